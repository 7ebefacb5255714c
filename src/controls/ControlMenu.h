#pragma once

namespace kf {

// The Control menu (mnuset): play, pause, stop, go to frame, previous and next, play modes,
// leaving full screen. Other areas reuse its commands by index.
class ControlMenu {
public:
    void ControlCommand(int Index);
};

} // namespace kf
