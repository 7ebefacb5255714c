#pragma once

#include "playlist/PlaylistEntry.h"
#include "playlist/PlaylistSortState.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>
#include <vector>

namespace kf {

// A file found on disk, with its size if it could be read.
struct FoundFile {
    QString path;
    std::optional<quint64> size;
};

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
    // renumbered, so after removals numbers may repeat. Once the list is sorted, the row
    // goes to its sorted place instead of the end.
    void AddToList(const QString& path);
    // The same as AddToList for each path in turn, announced to the view in one step.
    void addPaths(const QStringList& paths);
    // The same for files whose sizes were read while finding them, so the disk is not asked
    // twice; a file without a size gets the empty size text, as AddToList gives it.
    void addFoundFiles(const std::vector<FoundFile>& files);
    void clear();
    // Removes every row whose flag is set (one flag per row, top to bottom).
    void removeFlaggedRows(const std::vector<bool>& flagged);

    // The column-click rule of the list: the clicked column (1-based) again flips the
    // direction, another column sorts ascending by it; sorting stays on from then on.
    void SortByColumn(int position);

    qsizetype count() const { return qsizetype(m_entries.size()); }
    const PlaylistEntry& entryAt(qsizetype position) const { return m_entries[std::size_t(position - 1)]; }
    const std::vector<PlaylistEntry>& entries() const { return m_entries; }

    const PlaylistSortState& sortState() const { return m_sortState; }

private:
    // Puts the rows in the order of the sort state, keeping the view's selection and current
    // row on the same entries. Rows before firstUnsorted are known to be in order already.
    void sortRows(int firstUnsorted);
    void appendEntries(std::vector<PlaylistEntry> added);
    void removeRun(int first, int last);

    std::vector<PlaylistEntry> m_entries;
    PlaylistSortState m_sortState;
};

} // namespace kf
