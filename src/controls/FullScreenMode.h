#pragma once

#include "platform/MenuArray.h"
#include "platform/WindowSystemService.h"
#include "player/PlayerControlHost.h"
#include "player/ProgramState.h"

#include <QRect>
#include <QWidget>

namespace kf {

// What full-screen mode changes, all owned by the main window.
struct FullScreenParts {
    QWidget& mainWindow;
    QWidget& menuBar;
    const QWidget& clientArea;
    QWidget& SBar;
    ProgramState& state;
    PlayerControlHost& host;
    const MenuArray& menuplay;
    const MenuArray& mnuset;
    WindowSystemService& windowSystem;
};

// Full-screen mode: the window without caption, border, menus and status bar, covering the
// screen with the player. The one operation toggles it.
class FullScreenMode {
public:
    explicit FullScreenMode(const FullScreenParts& parts) : m_parts(parts) {}

    void FullScreenSWF();
    // The player's rectangle before full-screen mode, put back on leaving.
    QRect SavedPlayerRect() const { return m_SavedPlayerRect; }

private:
    void showMenus(bool shown);

    FullScreenParts m_parts;
    QRect m_SavedPlayerRect;
    QRect m_SavedWindowRect;
};

} // namespace kf
