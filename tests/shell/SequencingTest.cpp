#include "PlayingWindow.h"
#include "QStringPrinter.h"

#include <QFile>
#include <QNetworkProxy>
#include <QTcpServer>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

using SequencingTest = test::PlayingWindowTest;

TEST_F(SequencingTest, aMovieCountsAsEndedWithinFiveFramesOfItsEnd) {
    setPlayMode(12); // FolderLoop
    m_window->playlist().addPaths({movie(u"three.swf"_s, 3), movie(u"six.swf"_s, 6),
                                   movie(u"hundred.swf"_s, 100), movie(u"last.swf"_s, 100)});
    playEntry(1);
    tick(); // three frames: ended on its first frame
    EXPECT_EQ(current(), 2);
    tick(); // six frames, on frame 0: six away from the end
    EXPECT_EQ(current(), 2);
    player().GotoFrame(1);
    tick();
    EXPECT_EQ(current(), 3);
    player().GotoFrame(94);
    tick();
    EXPECT_EQ(current(), 3);
    // Still playing, but within five frames of the end.
    player().GotoFrame(95);
    EXPECT_TRUE(player().Playing());
    tick();
    EXPECT_EQ(current(), 4);
    EXPECT_EQ(player().Movie(), path(u"last.swf"_s));
    EXPECT_FALSE(player().Loop());
}

TEST_F(SequencingTest, folderLoopWalksPastMissingAndCorruptEntriesAndWrapsAround) {
    setPlayMode(12);
    QFile corrupt(path(u"corrupt.swf"_s));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(test::movieBytes(6).left(30) + QByteArray(200, '\xff'));
    corrupt.close();
    m_window->playlist().addPaths(
        {movie(u"a.swf"_s, 3), path(u"missing.swf"_s), path(u"corrupt.swf"_s), movie(u"b.swf"_s, 3)});
    playEntry(1);
    QList<int> visited;
    for (int step = 0; step < 4; ++step) {
        tick();
        visited.append(current());
        if (current() == 2 || current() == 3) {
            EXPECT_FALSE(player().Playing());
            EXPECT_EQ(player().TotalFrames(), 0);
        }
    }
    EXPECT_EQ(visited, (QList<int>{2, 3, 4, 1}));
    EXPECT_EQ(player().Movie(), path(u"a.swf"_s));
    EXPECT_EQ(player().TotalFrames(), 3);
    EXPECT_EQ(m_window->lvlist()->selectedPositions(), QList<int>{1});
}

TEST_F(SequencingTest, aMovieStillDownloadingHasNotEndedYet) {
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    QTcpServer silent; // takes the connection and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    setPlayMode(12);
    const QString address = u"http://127.0.0.1:%1/a.swf"_s.arg(silent.serverPort());
    m_window->playlist().addPaths({address, movie(u"b.swf"_s, 3)});
    playEntry(1);
    ASSERT_TRUE(player().isLoading());
    tick();
    tick();
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(m_window->SBar()->panelText(1), u"0/0"_s);
    EXPECT_EQ(m_window->SBar()->panelText(2), u"当前正在播放: "_s + address);
}

TEST_F(SequencingTest, singleLoopRestartsTheMovieAndTicksDuringTheWaitDoNothing) {
    setPlayMode(11);
    m_window->playlist().addPaths({movie(u"a.swf"_s, 3), movie(u"b.swf"_s, 3)});
    playEntry(1);
    int depth = 0;
    bool nested = false;
    m_platform.eventPump.setOnPump([&] {
        m_platform.clock.advance(0.1);
        ++depth;
        nested = nested || depth > 1;
        tick(); // the timer keeps firing while the restart waits
        --depth;
    });
    m_window->state().StopFlag = 0;
    tick();
    EXPECT_FALSE(nested);
    EXPECT_EQ(m_platform.eventPump.pumpCount(), 15);
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(player().Movie(), path(u"a.swf"_s));
    EXPECT_TRUE(player().Loop());
    EXPECT_TRUE(player().Playing());
    EXPECT_EQ(m_window->state().StopFlag, 1);
}

TEST_F(SequencingTest, manualSelectReturnsToTheListAndNoModeLeavesTheMovie) {
    setPlayMode(14);
    m_window->playlist().addPaths({movie(u"a.swf"_s, 3), movie(u"b.swf"_s, 3)});
    playEntry(1);
    tick();
    EXPECT_FALSE(player().Visible());
    EXPECT_FALSE(player().Playing());
    EXPECT_FALSE(m_window->lvlist()->isHidden());
    EXPECT_EQ(m_window->menus().item(MenuArrayId::mnuview, 10)->text(), u"动画(&M)"_s);
    EXPECT_EQ(current(), 1);
    // The next load shows the player again.
    playEntry(2);
    EXPECT_TRUE(player().Visible());

    setPlayMode(0);
    player().GotoFrame(2);
    tick();
    EXPECT_EQ(current(), 2);
    EXPECT_TRUE(player().Visible());
    EXPECT_EQ(m_platform.eventPump.pumpCount(), 0);
}

TEST_F(SequencingTest, aPausedMovieIsNeitherRestartedNorReplaced) {
    setPlayMode(12);
    m_window->playlist().addPaths({movie(u"a.swf"_s, 3), movie(u"b.swf"_s, 3)});
    playEntry(1);
    m_window->ControlCommand(1); // 暂停
    EXPECT_TRUE(m_window->state().PausedFlag);
    EXPECT_FALSE(player().Playing());
    tick();
    tick();
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(player().Movie(), path(u"a.swf"_s));
    EXPECT_TRUE(m_window->monitor().swftimer().isActive());
    setPlayMode(11);
    tick();
    EXPECT_EQ(m_platform.eventPump.pumpCount(), 0);

    setPlayMode(12);
    m_window->ControlCommand(0); // 播放
    EXPECT_FALSE(m_window->state().PausedFlag);
    tick();
    EXPECT_EQ(current(), 2);
}

TEST_F(SequencingTest, stepsWrapAroundBothWays) {
    m_window->playlist().addPaths({u"/m/1.swf"_s, u"/m/2.swf"_s, u"/m/3.swf"_s, u"/m/4.swf"_s});
    const struct {
        int from;
        int step;
        int to;
    } cases[] = {{4, +1, 1}, {1, -1, 4}, {0, -1, 4}, {0, +1, 1},
                 {9, +1, 1}, {9, -1, 3}, {2, +1, 3}, {3, -1, 2}};
    for (const auto& step : cases) {
        m_window->state().CurrentIndex = step.from;
        m_window->monitor().PlayNext(step.step);
        EXPECT_EQ(current(), step.to) << step.from << " " << step.step;
        EXPECT_EQ(player().Movie(), u"/m/%1.swf"_s.arg(step.to));
    }
}

TEST_F(SequencingTest, shufflePicksEveryEntryAndOnlyEntriesWhicheverWayItSteps) {
    m_window->playlist().addPaths({u"/m/1.swf"_s, u"/m/2.swf"_s, u"/m/3.swf"_s});
    m_window->ControlCommand(13);
    playEntry(1);
    QList<int> seen(4, 0);
    for (int pick = 0; pick < 300; ++pick) {
        m_window->ControlCommand(pick % 2 == 0 ? 9 : 8);
        ASSERT_GE(current(), 1);
        ASSERT_LE(current(), 3);
        ++seen[current()];
    }
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], 0);
    EXPECT_GT(seen[3], 0);
}

TEST_F(SequencingTest, nextWithAnEmptyListRestartsTheCurrentMovie) {
    m_window->InitSWF(movie(u"a.swf"_s, 100), true);
    player().GotoFrame(40);
    m_window->ControlCommand(9);
    EXPECT_EQ(m_platform.eventPump.pumpCount(), 15);
    EXPECT_EQ(player().Movie(), path(u"a.swf"_s));
    EXPECT_TRUE(player().Playing());
    EXPECT_EQ(player().FrameNum(), 0); // the scripted clock moved, but no frame timer ran
    EXPECT_EQ(current(), 0);
}

TEST_F(SequencingTest, statusBarShowsThePositionAndMovieUnlessHidden) {
    m_window->playlist().addPaths({movie(u"a.swf"_s, 100)});
    playEntry(1);
    player().GotoFrame(57);
    tick();
    EXPECT_EQ(m_window->SBar()->panelText(1), u"57/100"_s);
    EXPECT_EQ(m_window->SBar()->panelText(2), u"当前正在播放: "_s + path(u"a.swf"_s));
    m_window->SBar()->hide();
    player().GotoFrame(3);
    tick();
    EXPECT_EQ(m_window->SBar()->panelText(1), u"57/100"_s);
}

TEST_F(SequencingTest, doubleClickWithoutSelectionOnlySwitchesTheView) {
    m_window->playlist().addPaths({u"/m/1.swf"_s});
    m_window->lvlist_DblClick();
    EXPECT_EQ(m_window->calls, (QStringList{u"lvlist_DblClick"_s, u"ViewCommand 10"_s}));
    EXPECT_EQ(m_window->swfFlash1(), nullptr);
    // Without a player a tick still keeps the menus, and does nothing else.
    tick();
    EXPECT_EQ(current(), 0);
}

TEST_F(SequencingTest, thePlayerIsCreatedOnceAndHookedAfterTheFirstLoad) {
    EXPECT_FALSE(m_window->playerWindowHook().isHooked());
    m_window->InitSWF(u"/m/1.swf"_s, true);
    FlashControl* first = m_window->swfFlash1();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(m_window->playerWindowHook().isHooked());
    EXPECT_EQ(m_window->playerWindowHook().PlayerHwnd(), first->window());
    EXPECT_EQ(first->rect(), m_window->LblSWF()->geometry());
    m_window->InitSWF(u"/m/2.swf"_s, true);
    EXPECT_EQ(m_window->swfFlash1(), first);
    EXPECT_EQ(m_window->findChildren<QWidget*>(first->window()->objectName()).size(), 1);
    // The window's resize keeps the player on the shared rectangle.
    m_window->resize(m_window->width() + 40, m_window->height() + 30);
    m_window->Form_Resize();
    EXPECT_EQ(first->rect(), m_window->LblSWF()->geometry());
}

TEST_F(SequencingTest, closingTheMovieFromTheFileMenuLeavesAnEmptyPlayer) {
    m_window->InitSWF(movie(u"a.swf"_s, 10), true);
    m_window->fileMenu().mnufile_Click(8);
    EXPECT_EQ(player().Movie(), u"http://"_s);
    EXPECT_EQ(player().TotalFrames(), 0);
    EXPECT_FALSE(player().Playing());
    EXPECT_FALSE(player().isLoading());
}

} // namespace
} // namespace kf
