#pragma once

namespace kf {

// Lets the window handle what is pending while a long command runs on its thread.
class EventPumpService {
public:
    virtual ~EventPumpService() = default;
    virtual void processPendingEvents() = 0;
    // Repaints and timers only: clicks and keys wait until the command is over, so a long
    // command keeps the window drawn without a second command starting inside it.
    virtual void processPendingEventsExceptInput() = 0;
};

} // namespace kf
