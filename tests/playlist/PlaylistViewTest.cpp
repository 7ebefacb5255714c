#include "playlist/PlaylistView.h"

#include "platform/Twips.h"

#include "QStringPrinter.h"
#include "TestApplication.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(PlaylistView, initListGivesTheReportLookAndEmptiesTheList) {
    test::ensureApplication();
    PlaylistModel model;
    model.addPaths({u"a.swf"_s, u"b.swf"_s});
    PlaylistView lvlist(model);
    lvlist.InitList();

    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(lvlist.showGrid());
    EXPECT_FALSE(lvlist.verticalHeader()->isVisibleTo(&lvlist));
    EXPECT_TRUE(lvlist.horizontalHeader()->isVisibleTo(&lvlist));
    EXPECT_EQ(lvlist.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(lvlist.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(lvlist.editTriggers(), QAbstractItemView::NoEditTriggers);
    const QPalette colours = lvlist.palette();
    EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::Highlight),
              colours.color(QPalette::Active, QPalette::Highlight));

    const int designWidths[] = {1000, 2000, 6000, 1000, 2000};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(lvlist.columnWidth(column), Twips{designWidths[column]}.toPixels(lvlist.logicalDpiX()));
    }
}

TEST(PlaylistView, selectedPositionsAreOneBasedAndInListOrder) {
    test::ensureApplication();
    PlaylistModel model;
    PlaylistView lvlist(model);
    lvlist.InitList();
    model.addPaths({u"a.swf"_s, u"b.swf"_s, u"c.swf"_s, u"d.swf"_s, u"e.swf"_s});

    const auto select = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    lvlist.selectionModel()->select(model.index(3, 0), select);
    lvlist.selectionModel()->select(model.index(1, 2), select);
    EXPECT_EQ(lvlist.selectedPositions(), (QList<int>{2, 4}));
}

} // namespace
} // namespace kf
