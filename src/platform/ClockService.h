#pragma once

#include <QDateTime>

namespace kf {

class ClockService {
public:
    virtual ~ClockService() = default;
    // Monotonic seconds since an arbitrary start: waits must not stall when the wall clock
    // jumps or passes midnight.
    virtual double elapsedSeconds() const = 0;
    // Wall-clock time for what the user reads (status-bar date and time).
    virtual QDateTime currentDateTime() const = 0;
};

} // namespace kf
