#pragma once

#include <cstdint>

namespace kf {

// Decides how many movie frames are due at a moment. Frames are counted from the moment the
// clock started, so rounding never accumulates: after an hour at 24 fps exactly 86,400 frames
// have been due, however late each timer fired. A clock that fell far behind (the window was
// busy in a dialog) catches up at most MaximumCatchUp frames and then goes on from there,
// instead of racing through the missed part of the movie.
class FrameClock {
public:
    static constexpr int MaximumCatchUp = 4;
    static constexpr double MinimumRate = 0.01;
    static constexpr double MaximumRate = 120.0;

    // Frames per second; anything outside the range (zero, negative, NaN) is clamped into it.
    void setRate(double framesPerSecond);
    double rate() const { return m_rate; }

    // Starts counting at `now` (seconds); the first frame is due one period later.
    void start(double now);
    void stop() { m_running = false; }
    bool isRunning() const { return m_running; }

    // How many frames to advance at `now`; they count as done.
    int takeDueFrames(double now);
    // Seconds from `now` until the next frame is due (0 if it is already due).
    double secondsUntilNextFrame(double now) const;

private:
    double m_rate = 12.0;
    double m_origin = 0.0;
    std::int64_t m_framesDone = 0;
    bool m_running = false;
};

} // namespace kf
