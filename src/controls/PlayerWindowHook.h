#pragma once

#include "platform/WindowProcedureHook.h"

namespace kf {

// The hook on the player's own window (keys and right clicks over the movie). Installed after
// the first load; the window removes it when it unloads.
class PlayerWindowHook {
public:
    bool isHooked() const { return m_OldPlayerWndProc.isInstalled(); }
    void UnhookPlayerWindow() { m_OldPlayerWndProc.restore(); }

private:
    WindowProcedureHook m_OldPlayerWndProc;
};

} // namespace kf
