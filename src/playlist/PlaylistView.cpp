#include "playlist/PlaylistView.h"

#include "platform/ShellDrop.h"
#include "platform/Twips.h"
#include "playlist/PlaylistColumns.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>

namespace kf {

PlaylistView::PlaylistView(PlaylistModel& model, QWidget* parent) : QTableView(parent), m_model(model) {
    setModel(&m_model);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_model.SortByColumn(section + 1); });
    // Drops are taken here while the list is shown; hidden, they fall through to the window.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
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
    const std::vector<bool> flags = selectedRowFlags();
    for (std::size_t row = 0; row < flags.size(); ++row) {
        if (flags[row]) {
            positions.append(int(row) + 1);
        }
    }
    return positions;
}

std::vector<bool> PlaylistView::selectedRowFlags() const {
    std::vector<bool> flags(std::size_t(m_model.rowCount()), false);
    if (!selectionModel()) {
        return flags;
    }
    // Read from the ranges: asking row by row is quadratic when every other row of a long
    // list is selected.
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange& range : selection) {
        for (int row = range.top(); row <= range.bottom() && row < int(flags.size()); ++row) {
            flags[std::size_t(row)] = true;
        }
    }
    return flags;
}

void PlaylistView::lvlist_OLEDragDrop(const QMimeData& Data) {
    m_model.addPaths(DragQueryFiles(Data));
}

void PlaylistView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() && DragHasFiles(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PlaylistView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData() && DragHasFiles(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PlaylistView::dropEvent(QDropEvent* event) {
    if (!event->mimeData() || !DragHasFiles(*event->mimeData())) {
        event->ignore();
        return;
    }
    lvlist_OLEDragDrop(*event->mimeData());
    event->acceptProposedAction();
}

} // namespace kf
