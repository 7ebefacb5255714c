#include "playlist/PlaylistModel.h"

#include "playlist/EntryFields.h"
#include "playlist/PlaylistColumns.h"
#include "playlist/PlaylistOrder.h"

#include <algorithm>

namespace kf {

PlaylistModel::PlaylistModel(QObject* parent) : QAbstractTableModel(parent) {}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

int PlaylistModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(playlistColumns().size());
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(playlistColumns().at(index.column()).alignment | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    return m_entries[std::size_t(index.row())].field(index.column());
}

QVariant PlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return playlistColumns().at(section).caption;
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(playlistColumns().at(section).alignment | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

bool PlaylistModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount()) {
        return false;
    }
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_entries.erase(m_entries.begin() + row, m_entries.begin() + row + count);
    endRemoveRows();
    return true;
}

void PlaylistModel::AddToList(const QString& path) {
    addPaths(QStringList{path});
}

void PlaylistModel::addPaths(const QStringList& paths) {
    std::vector<PlaylistEntry> added;
    added.reserve(std::size_t(paths.size()));
    qsizetype number = count();
    for (const QString& path : paths) {
        added.push_back(makePlaylistEntry(++number, path));
    }
    appendEntries(std::move(added));
}

void PlaylistModel::addFoundFiles(const std::vector<FoundFile>& files) {
    std::vector<PlaylistEntry> added;
    added.reserve(files.size());
    qsizetype number = count();
    for (const FoundFile& file : files) {
        QString sizeText;
        if (!isLocalPath(file.path)) {
            sizeText = GetFileSize(file.path);
        } else if (file.size) {
            sizeText = QString::number(*file.size);
        }
        added.push_back(makePlaylistEntry(++number, file.path, sizeText));
    }
    appendEntries(std::move(added));
}

void PlaylistModel::appendEntries(std::vector<PlaylistEntry> added) {
    if (added.empty()) {
        return;
    }
    if (m_sortState.Sorted && added.size() == 1) {
        // One row goes straight to its place, after its equals, without re-sorting the rest.
        const PlaylistOrder order(m_sortState);
        const auto place = std::upper_bound(m_entries.begin(), m_entries.end(), added.front(),
                                            [&order](const PlaylistEntry& entry, const PlaylistEntry& row) {
                                                return order.before(entry, row);
                                            });
        const int row = int(place - m_entries.begin());
        beginInsertRows(QModelIndex(), row, row);
        m_entries.insert(place, std::move(added.front()));
        endInsertRows();
        return;
    }
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + int(added.size()) - 1);
    m_entries.insert(m_entries.end(), std::make_move_iterator(added.begin()),
                     std::make_move_iterator(added.end()));
    endInsertRows();
    if (m_sortState.Sorted) {
        sortRows(first);
    }
}

void PlaylistModel::clear() {
    if (m_entries.empty()) {
        return;
    }
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

void PlaylistModel::removeFlaggedRows(const std::vector<bool>& flagged) {
    const int rows = std::min(rowCount(), int(flagged.size()));
    std::vector<std::pair<int, int>> runs;
    for (int row = 0; row < rows; ++row) {
        if (!flagged[std::size_t(row)]) {
            continue;
        }
        if (!runs.empty() && runs.back().second == row - 1) {
            runs.back().second = row;
        } else {
            runs.emplace_back(row, row);
        }
    }
    // A few runs go one by one, from the last, so the view keeps its scroll position. Many
    // runs (every other row of a long list) would each shift the whole list and the view's
    // bookkeeping; rebuilding once is linear.
    constexpr std::size_t MaximumSeparateRuns = 64;
    if (runs.size() <= MaximumSeparateRuns) {
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            removeRun(run->first, run->second);
        }
        return;
    }
    beginResetModel();
    std::vector<PlaylistEntry> kept;
    kept.reserve(m_entries.size());
    for (std::size_t row = 0; row < m_entries.size(); ++row) {
        if (row >= flagged.size() || !flagged[row]) {
            kept.push_back(std::move(m_entries[row]));
        }
    }
    m_entries = std::move(kept);
    endResetModel();
}

void PlaylistModel::removeRun(int first, int last) {
    beginRemoveRows(QModelIndex(), first, last);
    m_entries.erase(m_entries.begin() + first, m_entries.begin() + last + 1);
    endRemoveRows();
}

void PlaylistModel::SortByColumn(int position) {
    if (position - 1 == m_sortState.SortKey) {
        m_sortState.SortOrder =
            m_sortState.SortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortState.Sorted = false;
        m_sortState.SortOrder = Qt::AscendingOrder;
        m_sortState.SortKey = position - 1;
    }
    m_sortState.Sorted = true;
    sortRows(0);
}

void PlaylistModel::sortRows(int firstUnsorted) {
    if (m_sortState.SortKey < 0 || m_sortState.SortKey >= columnCount()) {
        return;
    }
    const std::vector<int> order = PlaylistOrder(m_sortState).sortedRows(m_entries, firstUnsorted);
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(order.size());
    std::vector<PlaylistEntry> sorted;
    sorted.reserve(m_entries.size());
    for (std::size_t newRow = 0; newRow < order.size(); ++newRow) {
        newRowOf[std::size_t(order[newRow])] = int(newRow);
        sorted.push_back(std::move(m_entries[std::size_t(order[newRow])]));
    }
    m_entries = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        after.append(index.isValid() ? createIndex(newRowOf[std::size_t(index.row())], index.column())
                                     : QModelIndex());
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace kf
