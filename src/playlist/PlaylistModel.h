#pragma once

#include "playlist/PlaylistEntry.h"
#include "playlist/PlaylistSortState.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace kf {

// The playlist itself: the rows the list view shows, addressed by 1-based position.
class PlaylistModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit PlaylistModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Appends a row for the path; the number is the row count before it plus 1, never
    // renumbered, so after removals numbers may repeat.
    void AddToList(const QString& path);
    // The same as AddToList for each path in turn, announced to the view in one step.
    void addPaths(const QStringList& paths);
    void clear();

    qsizetype count() const { return qsizetype(m_entries.size()); }
    const PlaylistEntry& entryAt(qsizetype position) const { return m_entries[std::size_t(position - 1)]; }
    const std::vector<PlaylistEntry>& entries() const { return m_entries; }

    const PlaylistSortState& sortState() const { return m_sortState; }

private:
    std::vector<PlaylistEntry> m_entries;
    PlaylistSortState m_sortState;
};

} // namespace kf
