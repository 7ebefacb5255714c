#pragma once

namespace kf {

// Lets the window handle what is pending while a long command runs on its thread.
class EventPumpService {
public:
    virtual ~EventPumpService() = default;
    virtual void processPendingEvents() = 0;
};

} // namespace kf
