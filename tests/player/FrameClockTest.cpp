#include "player/FrameClock.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(FrameClock, anHourOfLateTimersGivesExactlyTheFramesOfAnHour) {
    FrameClock clock;
    clock.setRate(24.0);
    clock.start(10.0);
    long long frames = 0;
    double now = 10.0;
    // Every timer fires a little late, by a varying amount: the count must not drift.
    for (int tick = 0; now < 10.0 + 3600.0; ++tick) {
        now += clock.secondsUntilNextFrame(now) + 0.0007 * (tick % 5);
        frames += clock.takeDueFrames(now);
    }
    EXPECT_NEAR(double(frames), 3600.0 * 24.0, 1.0);
    EXPECT_EQ(clock.takeDueFrames(now), 0);
}

TEST(FrameClock, firstFrameIsDueOnePeriodAfterStart) {
    FrameClock clock;
    clock.setRate(10.0);
    clock.start(0.0);
    EXPECT_EQ(clock.takeDueFrames(0.099), 0);
    EXPECT_NEAR(clock.secondsUntilNextFrame(0.099), 0.001, 1e-9);
    EXPECT_EQ(clock.takeDueFrames(0.1), 1);
    EXPECT_EQ(clock.takeDueFrames(0.35), 2);
    EXPECT_NEAR(clock.secondsUntilNextFrame(0.35), 0.05, 1e-9);
}

TEST(FrameClock, aLongStallCatchesUpAFewFramesThenKeepsItsPhase) {
    FrameClock clock;
    clock.setRate(20.0);
    clock.start(0.0);
    EXPECT_EQ(clock.takeDueFrames(5.0), FrameClock::MaximumCatchUp);
    EXPECT_EQ(clock.takeDueFrames(5.01), 0);
    EXPECT_EQ(clock.takeDueFrames(5.05), 1);
}

TEST(FrameClock, stoppedClockGivesNoFramesAndRatesAreKeptInRange) {
    FrameClock clock;
    clock.setRate(0.0);
    EXPECT_DOUBLE_EQ(clock.rate(), FrameClock::MinimumRate);
    clock.setRate(-5.0);
    EXPECT_DOUBLE_EQ(clock.rate(), FrameClock::MinimumRate);
    clock.setRate(1000.0);
    EXPECT_DOUBLE_EQ(clock.rate(), FrameClock::MaximumRate);
    clock.start(0.0);
    clock.stop();
    EXPECT_EQ(clock.takeDueFrames(100.0), 0);
}

} // namespace
} // namespace kf
