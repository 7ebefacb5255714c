#include "platform/QtWindowSystemService.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>
#include <QWindow>

namespace kf {

namespace {

// Tells the native window first and the widget afterwards: the widget's own setter would
// recreate the native window.
void changeWindowFlag(QWidget& window, Qt::WindowType flag, bool on) {
    const Qt::WindowFlags flags = on ? window.windowFlags() | flag : window.windowFlags() & ~flag;
    if (QWindow* handle = window.windowHandle()) {
        handle->setFlags(flags);
    }
    window.overrideWindowFlags(flags);
}

} // namespace

bool QtWindowSystemService::SetWindowPos(QWidget& hWnd, bool topMost) {
    if (!hWnd.isWindow()) {
        return false;
    }
    changeWindowFlag(hWnd, Qt::WindowStaysOnTopHint, topMost);
    return true;
}

quint32 QtWindowSystemService::GetWindowLongA(const QWidget& hWnd) const {
    if (hWnd.windowFlags().testFlag(Qt::FramelessWindowHint)) {
        return 0;
    }
    return WindowStyle::WS_CAPTION | WindowStyle::WS_THICKFRAME;
}

void QtWindowSystemService::SetWindowLongA(QWidget& hWnd, quint32 style) {
    if (!hWnd.isWindow()) {
        return;
    }
    // Qt draws no caption without a border or the reverse: either bit keeps the frame.
    const bool framed = (style & (WindowStyle::WS_CAPTION | WindowStyle::WS_THICKFRAME)) != 0;
    changeWindowFlag(hWnd, Qt::FramelessWindowHint, !framed);
}

void QtWindowSystemService::TrackPopupMenu(QMenu& menu) {
    menu.popup(QCursor::pos());
}

} // namespace kf
