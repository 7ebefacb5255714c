#pragma once

#include "playlist/PlaylistModel.h"

#include <QTableView>

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

private:
    PlaylistModel& m_model;
};

} // namespace kf
