#include "player/FrameClock.h"

#include <algorithm>
#include <cmath>

namespace kf {

namespace {

// A timer that fires exactly on a frame's due time must not see it as a hair early.
constexpr double DueTolerance = 1e-6;

} // namespace

void FrameClock::setRate(double framesPerSecond) {
    if (!(framesPerSecond >= MinimumRate)) {
        framesPerSecond = MinimumRate;
    }
    m_rate = std::min(framesPerSecond, MaximumRate);
}

void FrameClock::start(double now) {
    m_origin = now;
    m_framesDone = 0;
    m_running = true;
}

int FrameClock::takeDueFrames(double now) {
    if (!m_running) {
        return 0;
    }
    const auto due = static_cast<std::int64_t>(std::floor((now - m_origin) * m_rate + DueTolerance));
    const std::int64_t behind = due - m_framesDone;
    if (behind <= 0) {
        return 0;
    }
    if (behind > MaximumCatchUp) {
        // Give up the missed frames: count them as done so the next ones keep the old phase.
        m_framesDone = due;
        return MaximumCatchUp;
    }
    m_framesDone = due;
    return int(behind);
}

double FrameClock::secondsUntilNextFrame(double now) const {
    const double next = m_origin + double(m_framesDone + 1) / m_rate;
    return std::max(0.0, next - now);
}

} // namespace kf
