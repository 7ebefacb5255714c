#include "playlist/PlaylistOrder.h"

#include "playlist/PlaylistColumns.h"

#include <algorithm>
#include <numeric>

namespace kf {

const QString& PlaylistOrder::keyText(const PlaylistEntry& entry) const {
    return entry.field(m_key);
}

bool PlaylistOrder::before(const PlaylistEntry& left, const PlaylistEntry& right) const {
    const int comparison = QString::compare(keyText(left), keyText(right), Qt::CaseInsensitive);
    return m_order == Qt::AscendingOrder ? comparison < 0 : comparison > 0;
}

std::vector<int> PlaylistOrder::sortedRows(const std::vector<PlaylistEntry>& entries,
                                           int firstUnsorted) const {
    // Folded once per row, so each of the n log n comparisons is a plain one; folding inside
    // every comparison made sorting 100,000 rows several times slower.
    std::vector<QString> keys;
    keys.reserve(entries.size());
    for (const PlaylistEntry& entry : entries) {
        keys.push_back(keyText(entry).toCaseFolded());
    }
    const bool ascending = m_order == Qt::AscendingOrder;
    const auto less = [&keys, ascending](int left, int right) {
        const int comparison = QString::compare(keys[std::size_t(left)], keys[std::size_t(right)]);
        return ascending ? comparison < 0 : comparison > 0;
    };
    std::vector<int> rows(entries.size());
    std::iota(rows.begin(), rows.end(), 0);
    const auto middle = rows.begin() + std::clamp(firstUnsorted, 0, int(rows.size()));
    // Rows already in order only need the new ones merged in: linear, so a sorted list of
    // 100,000 rows still takes a scan's worth of new rows at once.
    std::stable_sort(middle, rows.end(), less);
    if (middle != rows.begin()) {
        std::inplace_merge(rows.begin(), middle, rows.end(), less);
    }
    return rows;
}

} // namespace kf
