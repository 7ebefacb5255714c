#include "PlayingWindow.h"
#include "QStringPrinter.h"

#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

// Rewind and fast-forward on a loaded, halted movie; every pump of the loop is counted and
// may run a command, as an event arriving between two steps would.
class SteppingTest : public test::PlayingWindowTest {
protected:
    void load(int frames, int startFrame) {
        m_window->InitSWF(movie(u"steps.swf"_s, frames), true);
        player().StopPlay();
        player().GotoFrame(startFrame);
        m_frames.clear();
        m_lastSeen = startFrame;
        m_platform.eventPump.setOnPump([this] {
            // The frames the steps leave, each once; the timer never fires here, so only the
            // loop and the commands run from the pumps move the movie.
            if (player().FrameNum() != m_lastSeen) {
                m_frames.append(player().FrameNum());
            }
            if (m_onPump) {
                m_onPump(m_platform.eventPump.pumpCount());
            }
            m_lastSeen = player().FrameNum();
        });
    }
    QAction* back(int index) { return m_window->menus().item(MenuArrayId::MnuBack, index); }
    QAction* fast(int index) { return m_window->menus().item(MenuArrayId::MnuFast, index); }
    int pumps() const { return m_platform.eventPump.pumpCount(); }
    QString positionPanel() const { return m_window->SBar()->panelText(1); }

    QList<int> m_frames;
    int m_lastSeen = 0;
    std::function<void(int pump)> m_onPump;
};

TEST_F(SteppingTest, withoutAPlayerNothingIsCheckedAndNothingPumps) {
    back(0)->trigger();
    fast(2)->trigger();
    EXPECT_FALSE(back(0)->isChecked());
    EXPECT_FALSE(fast(2)->isChecked());
    EXPECT_EQ(pumps(), 0);
}

TEST_F(SteppingTest, rewindAtFrameZeroMakesOneStepThenPlaysOn) {
    load(100, 0);
    back(1)->trigger();
    // One step written below 0, which the player keeps at its first frame.
    EXPECT_EQ(pumps(), SteppingMenu::PumpsPerStep);
    EXPECT_EQ(player().FrameNum(), 0);
    EXPECT_EQ(positionPanel(), u"0/100"_s);
    EXPECT_FALSE(back(1)->isChecked());
    EXPECT_TRUE(player().Playing());
}

TEST_F(SteppingTest, rewindRunsToTheStartByTheThirdSpeedsStepOfFour) {
    load(100, 10);
    m_onPump = [this](int) { EXPECT_TRUE(back(2)->isChecked()); };
    back(2)->trigger();
    EXPECT_EQ(m_frames, (QList<int>{6, 2, 0}));
    EXPECT_FALSE(back(2)->isChecked());
    EXPECT_TRUE(player().Playing());
}

TEST_F(SteppingTest, fastForwardStopsFourFramesBeforeTheEnd) {
    load(20, 3);
    fast(1)->trigger();
    EXPECT_EQ(m_frames, (QList<int>{5, 7, 9, 11, 13, 15, 17}));
    EXPECT_EQ(positionPanel(), u"17/20"_s);
    EXPECT_FALSE(fast(1)->isChecked());
    EXPECT_TRUE(player().Playing());
}

TEST_F(SteppingTest, fastForwardNearTheEndMakesOneStepAndThePlayerKeepsItsLastFrame) {
    load(100, 98);
    fast(2)->trigger();
    EXPECT_EQ(pumps(), SteppingMenu::PumpsPerStep);
    EXPECT_EQ(player().FrameNum(), 99);
    EXPECT_EQ(positionPanel(), u"99/100"_s);

    // A movie of five frames or fewer has no frame below its bound: one step, from anywhere.
    load(5, 0);
    fast(0)->trigger();
    EXPECT_EQ(m_frames, QList<int>{1});
}

TEST_F(SteppingTest, aSpeedClickedDuringTheLoopTakesOverAndTheOuterLoopEndsWithIt) {
    load(100, 0);
    m_onPump = [this](int pump) {
        if (pump == 4) {
            fast(2)->trigger();
        }
    };
    fast(0)->trigger();
    // Two steps of 1 by the outer loop, then the inner loop's steps of 4 up to the bound; the
    // outer loop finds the bound reached and makes no step of its own after it.
    ASSERT_GE(m_frames.size(), 3);
    EXPECT_EQ(m_frames.mid(0, 4), (QList<int>{1, 2, 6, 10}));
    EXPECT_EQ(m_frames.last(), 98);
    EXPECT_EQ(player().FrameNum(), 98);
    for (int index = 0; index < 3; ++index) {
        EXPECT_FALSE(fast(index)->isChecked()) << index;
    }
}

TEST_F(SteppingTest, playDuringAFastForwardEndsItAfterTheCurrentStep) {
    load(300, 0);
    m_onPump = [this](int pump) {
        if (pump == 5) {
            m_window->ControlCommand(0);
        }
    };
    fast(0)->trigger();
    EXPECT_EQ(m_frames, (QList<int>{1, 2}));
    EXPECT_EQ(pumps(), 2 * SteppingMenu::PumpsPerStep);
    EXPECT_FALSE(fast(0)->isChecked());
    EXPECT_TRUE(player().Playing());
}

TEST_F(SteppingTest, aRightClickOnThePlayerEndsARewindAndShowsTheControlMenu) {
    load(300, 200);
    m_onPump = [this](int pump) {
        if (pump == 7) {
            QWidget* stage = player().window();
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), stage->mapToGlobal(QPointF(10, 10)),
                              Qt::RightButton, Qt::RightButton, Qt::NoModifier);
            QCoreApplication::sendEvent(stage, &press);
        }
    };
    back(0)->trigger();
    EXPECT_EQ(m_frames, (QList<int>{199, 198, 197}));
    EXPECT_FALSE(back(0)->isChecked());
    EXPECT_TRUE(player().Playing());
    ASSERT_EQ(m_platform.windowSystem.popups().size(), 1);
    EXPECT_EQ(m_platform.windowSystem.popups().first(),
              m_window->menus().submenuOf(MenuArrayId::menuplay, 2));
}

TEST_F(SteppingTest, stopDuringAFastForwardDoesNotEndIt) {
    load(30, 0);
    m_onPump = [this](int pump) {
        if (pump == 2) {
            m_window->ControlCommand(2);
        }
    };
    fast(2)->trigger();
    // Stop rewinds to frame 0 and leaves StopFlag alone: the loop steps on from there.
    EXPECT_EQ(m_frames, (QList<int>{4, 4, 8, 12, 16, 20, 24, 28}));
    EXPECT_TRUE(player().Playing());
}

} // namespace
} // namespace kf
