#include "controls/FullScreenMode.h"

namespace kf {

namespace {

constexpr quint32 FrameStyle = WindowStyle::WS_CAPTION | WindowStyle::WS_THICKFRAME;
constexpr int TopLevelMenus = 4;
constexpr int ExitSeparatorItem = 15;
constexpr int ExitFullScreenItem = 16;

} // namespace

void FullScreenMode::FullScreenSWF() {
    QWidget& window = m_parts.mainWindow;
    const bool IsFullScreen = m_parts.state.IsFullScreen;
    // Hidden while it changes, so the frame and the state arrive together when it reappears.
    window.hide();
    showMenus(IsFullScreen);
    for (int item : {ExitSeparatorItem, ExitFullScreenItem}) {
        if (QAction* exitItem = m_parts.mnuset.item(item)) {
            exitItem->setVisible(!IsFullScreen);
        }
    }
    m_parts.SBar.setVisible(IsFullScreen);
    const quint32 style = m_parts.windowSystem.GetWindowLongA(window);
    FlashControl* swfFlash1 = m_parts.host.swfFlash1();
    if (IsFullScreen) {
        window.setWindowState(Qt::WindowNoState);
        if (swfFlash1) {
            swfFlash1->Move(m_SavedPlayerRect);
        }
        m_parts.windowSystem.SetWindowLongA(window, style | FrameStyle);
    } else {
        if (swfFlash1) {
            m_SavedPlayerRect = swfFlash1->rect();
        }
        m_SavedWindowRect = window.normalGeometry();
        m_parts.windowSystem.SetWindowLongA(window, style & ~FrameStyle);
        if (swfFlash1) {
            swfFlash1->Move(QRect(QPoint(0, 0), m_parts.clientArea.size()));
        }
    }
    if (IsFullScreen) {
        window.show();
        // Normal is the rectangle the window had before; not every window manager gives it
        // back by itself, and it can only be set once the window is back in that state.
        window.setGeometry(m_SavedWindowRect);
    } else {
        // Asked of the mapped window: a window manager drops a full-screen state set on a
        // window it has not seen yet, and the window would keep its size without a frame.
        window.showFullScreen();
    }
    m_parts.state.IsFullScreen = !IsFullScreen;
    if (swfFlash1) {
        swfFlash1->SetFocus();
    }
}

void FullScreenMode::showMenus(bool shown) {
    for (int item = 0; item < TopLevelMenus; ++item) {
        if (QAction* menu = m_parts.menuplay.item(item)) {
            menu->setVisible(shown);
        }
    }
    // A menu bar with no menu to show takes no room, as the window system's own does.
    m_parts.menuBar.setVisible(shown);
}

} // namespace kf
