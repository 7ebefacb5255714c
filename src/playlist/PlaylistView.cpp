#include "playlist/PlaylistView.h"

#include "platform/Twips.h"
#include "playlist/PlaylistColumns.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>

namespace kf {

PlaylistView::PlaylistView(PlaylistModel& model, QWidget* parent) : QTableView(parent), m_model(model) {
    setModel(&m_model);
}

void PlaylistView::InitList() {
    m_model.clear();

    verticalHeader()->hide();
    // Fixed row heights keep a list of 100,000 rows as quick as a short one.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setTabKeyNavigation(false);

    // The selection stays as visible as with the focus, so the played row can be seen
    // while the menus or the player have the focus.
    QPalette colours = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);

    const double dpi = logicalDpiX();
    const QList<PlaylistColumnDesign>& columns = playlistColumns();
    for (int column = 0; column < columns.size(); ++column) {
        setColumnWidth(column, Twips{columns[column].widthTwips}.toPixels(dpi));
    }
}

QList<int> PlaylistView::selectedPositions() const {
    QList<int> positions;
    if (!selectionModel()) {
        return positions;
    }
    const QModelIndexList rows = selectionModel()->selectedRows();
    for (const QModelIndex& row : rows) {
        positions.append(row.row() + 1);
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

} // namespace kf
