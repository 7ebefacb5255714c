#pragma once

#include "playlist/PlaylistModel.h"

#include <QTableView>

#include <vector>

class QMimeData;

namespace kf {

// The report-style list view of the playlist, shown as lvlist on the main window.
class PlaylistView : public QTableView {
    Q_OBJECT

public:
    explicit PlaylistView(PlaylistModel& model, QWidget* parent = nullptr);

    // Empties the list and gives it its report look and its five columns.
    void InitList();

    PlaylistModel& playlist() const { return m_model; }
    // 1-based positions of the selected rows, top to bottom.
    QList<int> selectedPositions() const;
    // One flag per row, set for the selected ones.
    std::vector<bool> selectedRowFlags() const;

    // Files dropped on the list itself are appended; anything else dropped here is ignored.
    void lvlist_OLEDragDrop(const QMimeData& Data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    PlaylistModel& m_model;
};

} // namespace kf
