#pragma once

#include "playlist/PlaylistEntry.h"
#include "playlist/PlaylistSortState.h"

#include <vector>

namespace kf {

// The order of a sorted list: the shown texts of the key column compared as text, so "10"
// comes before "9"; letter case does not count.
class PlaylistOrder {
public:
    explicit PlaylistOrder(const PlaylistSortState& state) : m_key(state.SortKey), m_order(state.SortOrder) {}

    bool before(const PlaylistEntry& left, const PlaylistEntry& right) const;

    // Row numbers of entries in sorted order. Equal rows keep their relative order, so a
    // sort the user repeats does not shuffle them; rows from firstUnsorted on are new ones
    // merged in after their equals.
    std::vector<int> sortedRows(const std::vector<PlaylistEntry>& entries, int firstUnsorted) const;

private:
    const QString& keyText(const PlaylistEntry& entry) const;

    int m_key;
    Qt::SortOrder m_order;
};

} // namespace kf
