#pragma once

#include "platform/InputBoxService.h"
#include "platform/MenuArray.h"
#include "player/PlaybackMonitor.h"
#include "player/PlayerControlHost.h"
#include "player/ProgramState.h"

namespace kf {

class FrmmainApi;

// What the Control menu acts on, all owned by the main window.
struct ControlMenuParts {
    FrmmainApi& window;
    ProgramState& state;
    PlayerControlHost& host;
    PlaybackMonitor& monitor;
    const MenuArray& mnuset;
    InputBoxService& inputBox;
};

// The Control menu (mnuset): play, pause, stop, go to frame, previous and next, play modes,
// leaving full screen. Other areas reuse its commands by index.
class ControlMenu {
public:
    explicit ControlMenu(const ControlMenuParts& parts) : m_parts(parts) {}

    void ControlCommand(int Index);
    // True halts the movie where it is, false plays on.
    void SwfPause(bool Pause);

private:
    void play();
    void stop();
    void goToFrame();
    void choosePlayMode(int Index);

    ControlMenuParts m_parts;
};

} // namespace kf
