#pragma once

#include "platform/EventPumpService.h"
#include "platform/MenuArray.h"
#include "platform/StatusBar.h"
#include "player/PlayerControlHost.h"
#include "player/ProgramState.h"

namespace kf {

// What the stepping loops act on, all owned by the main window.
struct SteppingParts {
    ProgramState& state;
    PlayerControlHost& host;
    StatusBar& SBar;
    const MenuArray& MnuBack;
    const MenuArray& MnuFast;
    EventPumpService& eventPump;
};

// Rewind (MnuBack) and fast-forward (MnuFast): a loop that moves the frame by the checked
// speed's step, lets the window handle its events between steps, and plays on at the end.
// The window stays usable meanwhile, so a loop may start inside another; StopFlag and the
// check marks are all they share.
class SteppingMenu {
public:
    static constexpr int PumpsPerStep = 3;
    // Fast-forward stops this many frames before the end, room for one more step of 4.
    static constexpr int EndMargin = 4;

    explicit SteppingMenu(const SteppingParts& parts) : m_parts(parts) {}

    void MnuBack_Click(int Index);
    void MnuFast_Click(int Index);

private:
    enum class Direction { Back, Fast };

    void runLoop(Direction direction, const MenuArray& speeds, int Index);
    void showPosition(const FlashControl& swfFlash1);
    bool goesOn(Direction direction, const FlashControl& swfFlash1) const;

    SteppingParts m_parts;
};

} // namespace kf
