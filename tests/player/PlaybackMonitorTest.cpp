#include "player/PlaybackMonitor.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(PlaybackMonitor, timerPollsEveryFiftyMillisecondsOnlyOncePlayStartsIt) {
    ProgramState state;
    PlaybackMonitor monitor(state);
    EXPECT_EQ(monitor.swftimer().interval(), 50);
    EXPECT_FALSE(monitor.swftimer().isActive());
}

TEST(PlaybackMonitor, isStopAsksARunningStepLoopToEnd) {
    ProgramState state;
    PlaybackMonitor monitor(state);
    EXPECT_EQ(state.StopFlag, 0);
    monitor.IsStop();
    EXPECT_EQ(state.StopFlag, 1);
    EXPECT_EQ(state.CurrentIndex, 0);
    EXPECT_FALSE(state.PausedFlag);
}

} // namespace
} // namespace kf
