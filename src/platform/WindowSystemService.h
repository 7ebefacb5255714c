#pragma once

#include <QtGlobal>

class QMenu;
class QWidget;

namespace kf {

// Window-style bits of a top-level window, with the window system's own values, so a style
// read, changed and written back keeps bits this program never touches.
namespace WindowStyle {
inline constexpr quint32 WS_CAPTION = 0x00C00000;
inline constexpr quint32 WS_THICKFRAME = 0x00040000;
} // namespace WindowStyle

// What the window system does to a top-level window beyond Qt's widget calls: its place in
// the stacking order, its frame, and pop-up menus at the mouse.
class WindowSystemService {
public:
    virtual ~WindowSystemService() = default;

    // Puts the window above every other window, or back among them; neither its position nor
    // its size changes, and the window is not recreated, so what it shows goes on as it was.
    virtual bool SetWindowPos(QWidget& hWnd, bool topMost) = 0;
    // The window's style: WS_CAPTION and WS_THICKFRAME while it has a title bar and border.
    virtual quint32 GetWindowLongA(const QWidget& hWnd) const = 0;
    virtual void SetWindowLongA(QWidget& hWnd, quint32 style) = 0;
    // Pops the menu up at the mouse pointer; the click on an item arrives as its trigger.
    virtual void TrackPopupMenu(QMenu& menu) = 0;
};

} // namespace kf
