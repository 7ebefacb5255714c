#include "PlayingWindow.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

using ControlMenuTest = test::PlayingWindowTest;

TEST_F(ControlMenuTest, playWithoutAPlayerStillStartsTheTimerAndEndsSteppingLoops) {
    m_window->state().PausedFlag = true;
    m_window->ControlCommand(0);
    EXPECT_EQ(m_window->state().StopFlag, 1);
    EXPECT_FALSE(m_window->state().PausedFlag);
    EXPECT_TRUE(m_window->monitor().swftimer().isActive());
    EXPECT_EQ(m_window->swfFlash1(), nullptr);
    // The commands that need a player do nothing without one.
    for (int index : {1, 2, 6, 8, 9}) {
        m_window->ControlCommand(index);
    }
    EXPECT_TRUE(m_window->monitor().swftimer().isActive());
    EXPECT_TRUE(m_platform.inputBox.calls().isEmpty());
    EXPECT_EQ(m_window->swfFlash1(), nullptr);
}

TEST_F(ControlMenuTest, playSetsLoopFromSingleLoopAndResumesAPausedMovie) {
    m_window->InitSWF(movie(u"a.swf"_s, 100), true);
    EXPECT_TRUE(player().Loop());
    m_window->ControlCommand(1);
    EXPECT_FALSE(player().Playing());
    setPlayMode(12);
    m_window->ControlCommand(0);
    EXPECT_TRUE(player().Playing());
    EXPECT_FALSE(player().Loop());
}

TEST_F(ControlMenuTest, stopRewindsAndHaltsAndTurnsTheTimerOffButLeavesStopFlag) {
    m_window->InitSWF(movie(u"a.swf"_s, 100), true);
    player().GotoFrame(30);
    m_window->state().StopFlag = 0;
    m_window->ControlCommand(2);
    EXPECT_FALSE(m_window->monitor().swftimer().isActive());
    EXPECT_EQ(m_window->state().StopFlag, 0);
    EXPECT_EQ(player().FrameNum(), 0);
    EXPECT_FALSE(player().Playing());
}

TEST_F(ControlMenuTest, goToFrameOffersThePositionAndTakesOnlyFramesStrictlyInside) {
    m_window->InitSWF(movie(u"a.swf"_s, 300), true);
    player().GotoFrame(57);
    player().StopPlay();
    m_platform.inputBox.queueAnswer(u"57,300"_s);
    m_window->ControlCommand(6);
    ASSERT_EQ(m_platform.inputBox.calls().size(), 1);
    const ScriptedInputBoxService::Call& box = m_platform.inputBox.calls().first();
    EXPECT_EQ(box.prompt, u"请告诉我你要跳到哪一帧，下面显示的是该FLASH当前播放的帧数和总帧数"_s);
    EXPECT_EQ(box.title, u"跳帧"_s);
    EXPECT_EQ(box.defaultText, u"57,300"_s);
    EXPECT_EQ(player().FrameNum(), 57); // the unchanged default is not a frame inside the movie

    for (const QString& refused :
         {u"0"_s, u"-4"_s, u"300"_s, u"301"_s, u"abc"_s, u"99999999999"_s, QString()}) {
        m_platform.inputBox.queueAnswer(refused);
        m_window->ControlCommand(6);
        EXPECT_EQ(player().FrameNum(), 57) << refused.toStdString();
    }
    m_window->ControlCommand(6); // Cancel
    EXPECT_EQ(player().FrameNum(), 57);

    m_platform.inputBox.queueAnswer(u"299"_s);
    m_window->ControlCommand(6);
    EXPECT_EQ(player().FrameNum(), 299);
    m_platform.inputBox.queueAnswer(u" 1 "_s);
    m_window->ControlCommand(6);
    EXPECT_EQ(player().FrameNum(), 1);
    // Going to a frame neither plays nor halts the movie.
    EXPECT_FALSE(player().Playing());
}

TEST_F(ControlMenuTest, atMostOnePlayModeIsCheckedAndPossiblyNone) {
    const auto checked = [this] {
        QList<int> items;
        for (int index = 11; index <= 14; ++index) {
            if (mnuset(index)->isChecked()) {
                items.append(index);
            }
        }
        return items;
    };
    EXPECT_EQ(checked(), QList<int>{11});
    m_window->ControlCommand(13);
    EXPECT_EQ(checked(), QList<int>{13});
    m_window->ControlCommand(13);
    EXPECT_EQ(checked(), QList<int>{});
    m_window->ControlCommand(14);
    mnuset(14)->trigger(); // a click on the menu goes through the same command
    EXPECT_EQ(checked(), QList<int>{});
    mnuset(12)->trigger();
    EXPECT_EQ(checked(), QList<int>{12});
}

TEST_F(ControlMenuTest, previousAndNextStepThroughTheListFromTheCommandLineStart) {
    m_window->playlist().addPaths({u"/m/1.swf"_s, u"/m/2.swf"_s, u"/m/3.swf"_s});
    m_window->InitSWF(u"/m/1.swf"_s, true);
    m_window->ControlCommand(8);
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(player().Movie(), u"/m/3.swf"_s);
    m_window->state().CurrentIndex = 0;
    m_window->ControlCommand(9);
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(m_window->state().StopFlag, 1);
}

TEST_F(ControlMenuTest, exitFullScreenCallsTheFullScreenToggleAndSeparatorsDoNothing) {
    for (int index : {3, 4, 5, 7, 10, 15}) {
        m_window->ControlCommand(index);
    }
    m_window->ControlCommand(16);
    EXPECT_EQ(m_window->calls.filter(u"FullScreenSWF"_s).size(), 1);
    EXPECT_FALSE(m_window->monitor().swftimer().isActive());
    EXPECT_EQ(m_window->state().StopFlag, 0);
}

} // namespace
} // namespace kf
