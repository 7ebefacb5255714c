#include "playlist/PlaylistRemoval.h"
#include "playlist/PlaylistView.h"

#include "platform/ScriptedMessageBoxService.h"

#include "QStringPrinter.h"
#include "TestApplication.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

QStringList column(const PlaylistModel& model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        texts.append(model.data(model.index(row, column)).toString());
    }
    return texts;
}

class SortingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_lvlist.InitList();
        m_model.addPaths({u"http://x/beta.swf"_s, u"http://x/Alpha.flv"_s, u"http://x/gamma.mp3"_s});
    }

    void clickHeader(int position) {
        QHeaderView* header = m_lvlist.horizontalHeader();
        Q_EMIT header->sectionClicked(position - 1);
    }

    // Widgets below need the application before the fixture's members are built.
    bool m_applicationReady = (test::ensureApplication(), true);
    PlaylistModel m_model;
    PlaylistView m_lvlist{m_model};
};

TEST_F(SortingTest, clickingAColumnSortsAscendingThenFlipsTheDirection) {
    clickHeader(2); // 名称
    EXPECT_EQ(column(m_model, 1), (QStringList{u"Alpha"_s, u"beta"_s, u"gamma"_s}));
    clickHeader(2);
    EXPECT_EQ(column(m_model, 1), (QStringList{u"gamma"_s, u"beta"_s, u"Alpha"_s}));
    clickHeader(2);
    EXPECT_EQ(column(m_model, 1), (QStringList{u"Alpha"_s, u"beta"_s, u"gamma"_s}));
    clickHeader(2);
    // Another column starts ascending whatever the direction was.
    clickHeader(4); // 文件类型
    EXPECT_EQ(column(m_model, 3), (QStringList{u"flv"_s, u"mp3"_s, u"swf"_s}));
    EXPECT_TRUE(m_model.sortState().Sorted);
    EXPECT_EQ(m_model.sortState().SortKey, 3);
    EXPECT_EQ(m_model.sortState().SortOrder, Qt::AscendingOrder);
    // Numbers travel with their rows.
    EXPECT_EQ(column(m_model, 0), (QStringList{u"2"_s, u"3"_s, u"1"_s}));
}

TEST_F(SortingTest, theFirstClickOnTheNumberColumnSortsDescendingAsText) {
    for (int index = 4; index <= 12; ++index) {
        m_model.AddToList(u"http://x/%1.swf"_s.arg(index));
    }
    EXPECT_FALSE(m_model.sortState().Sorted);
    clickHeader(1); // 序号 is already the key: only the direction flips
    EXPECT_EQ(column(m_model, 0), (QStringList{u"9"_s, u"8"_s, u"7"_s, u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s,
                                               u"12"_s, u"11"_s, u"10"_s, u"1"_s}));
    clickHeader(1);
    EXPECT_EQ(column(m_model, 0).mid(0, 5), (QStringList{u"1"_s, u"10"_s, u"11"_s, u"12"_s, u"2"_s}));
}

TEST_F(SortingTest, rowsAddedLaterTakeTheirSortedPlace) {
    clickHeader(2);
    m_model.AddToList(u"http://x/ALPHA.swf"_s);
    m_model.addPaths({u"http://x/delta.swf"_s, u"http://x/aardvark.swf"_s, u"http://x/beta.flv"_s});
    // Equal names keep the order they came in.
    EXPECT_EQ(column(m_model, 1), (QStringList{u"aardvark"_s, u"Alpha"_s, u"ALPHA"_s, u"beta"_s, u"beta"_s,
                                               u"delta"_s, u"gamma"_s}));
    EXPECT_EQ(column(m_model, 3).mid(3, 2), (QStringList{u"swf"_s, u"flv"_s}));
    EXPECT_EQ(column(m_model, 0), (QStringList{u"6"_s, u"2"_s, u"4"_s, u"1"_s, u"7"_s, u"5"_s, u"3"_s}));
}

TEST_F(SortingTest, theSelectionStaysOnItsEntriesThroughASort) {
    m_lvlist.selectionModel()->select(m_model.index(2, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    clickHeader(2);
    EXPECT_EQ(m_lvlist.selectedPositions(), QList<int>{3});
    clickHeader(2);
    EXPECT_EQ(m_lvlist.selectedPositions(), QList<int>{1});
    EXPECT_EQ(m_model.entryAt(1).name, u"gamma"_s);
}

class RemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_lvlist.InitList();
        m_model.addPaths({u"a.swf"_s, u"b.swf"_s, u"c.swf"_s, u"d.swf"_s, u"e.swf"_s});
    }

    void selectRows(const QList<int>& rows) {
        for (int row : rows) {
            m_lvlist.selectionModel()->select(m_model.index(row, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    // Widgets below need the application before the fixture's members are built.
    bool m_applicationReady = (test::ensureApplication(), true);
    PlaylistModel m_model;
    PlaylistView m_lvlist{m_model};
    ScriptedMessageBoxService m_messageBox;
    PlaylistRemoval m_removal{m_lvlist, m_messageBox};
};

TEST_F(RemovalTest, removingSelectedRowsKeepsTheOthersAndTheirNumbers) {
    m_lvlist.hide(); // animation mode
    selectRows({1, 3});
    m_removal.RemoveSelected();
    EXPECT_EQ(column(m_model, 0), (QStringList{u"1"_s, u"3"_s, u"5"_s}));
    EXPECT_EQ(column(m_model, 1), (QStringList{u"a"_s, u"c"_s, u"e"_s}));
    EXPECT_FALSE(m_lvlist.isHidden());
    EXPECT_TRUE(m_messageBox.calls().isEmpty());

    m_removal.RemoveSelected(); // nothing selected now
    EXPECT_EQ(m_model.count(), 3);
}

TEST_F(RemovalTest, manyScatteredRowsGoInOneStepWithTheSameResult) {
    m_model.clear();
    QStringList paths;
    for (int index = 1; index <= 1000; ++index) {
        paths.append(u"%1.swf"_s.arg(index));
    }
    m_model.addPaths(paths);
    QList<int> everyThird;
    for (int row = 0; row < 1000; row += 3) {
        everyThird.append(row);
    }
    selectRows(everyThird);
    m_removal.RemoveSelected();
    ASSERT_EQ(m_model.count(), 666);
    EXPECT_EQ(m_model.entryAt(1).number, u"2"_s);
    EXPECT_EQ(m_model.entryAt(2).number, u"3"_s);
    EXPECT_EQ(m_model.entryAt(3).number, u"5"_s);
    EXPECT_EQ(m_model.entryAt(666).number, u"999"_s);
    EXPECT_TRUE(m_lvlist.selectedPositions().isEmpty());
}

TEST_F(RemovalTest, clearingAsksFirstAndCancelKeepsEveryRow) {
    m_removal.ClearList(); // unanswered: cancel
    EXPECT_EQ(m_model.count(), 5);
    ASSERT_EQ(m_messageBox.calls().size(), 1);
    EXPECT_EQ(m_messageBox.calls()[0].text, u"你真的要删除当前所有加载的文件列表吗？请确认!       "_s);
    EXPECT_EQ(m_messageBox.calls()[0].title, u"清除"_s);
    EXPECT_EQ(m_messageBox.calls()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(m_messageBox.calls()[0].icon, MessageIcon::Information);

    m_messageBox.queueAnswer(MessageAnswer::Ok);
    m_removal.ClearList();
    EXPECT_EQ(m_model.count(), 0);
}

} // namespace
} // namespace kf
