#include "playlist/PlaylistModel.h"

#include "playlist/EntryFields.h"
#include "playlist/PlaylistColumns.h"

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
    const PlaylistEntry& entry = m_entries[std::size_t(index.row())];
    switch (PlaylistColumn(index.column())) {
    case PlaylistColumn::Number:
        return entry.number;
    case PlaylistColumn::Name:
        return entry.name;
    case PlaylistColumn::Path:
        return entry.path;
    case PlaylistColumn::Type:
        return entry.type;
    case PlaylistColumn::Size:
        return entry.size;
    }
    return {};
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
    if (paths.isEmpty()) {
        return;
    }
    std::vector<PlaylistEntry> added;
    added.reserve(std::size_t(paths.size()));
    qsizetype number = count();
    for (const QString& path : paths) {
        added.push_back(makePlaylistEntry(++number, path));
    }
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + int(added.size()) - 1);
    m_entries.insert(m_entries.end(), std::make_move_iterator(added.begin()),
                     std::make_move_iterator(added.end()));
    endInsertRows();
}

void PlaylistModel::clear() {
    if (m_entries.empty()) {
        return;
    }
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

} // namespace kf
