#include "controls/PlayerWindowHook.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

bool PlayerWndProc::eventFilter(QObject* watched, QEvent* event) {
    return QObject::eventFilter(watched, event);
}

void PlayerWindowHook::completeAfterLoad(QWidget& mainWindow) {
    if (isHooked()) {
        return;
    }
    const QList<QWidget*> descendants = mainWindow.findChildren<QWidget*>();
    for (QWidget* window : descendants) {
        if (!FindPlayerWindow(window)) {
            break;
        }
    }
    if (m_PlayerHwnd) {
        HookPlayerWindow();
    }
}

bool PlayerWindowHook::FindPlayerWindow(QObject* hwnd) {
    if (hwnd && hwnd->objectName().startsWith(u"swf"_s)) {
        m_PlayerHwnd = hwnd;
        return false;
    }
    return true;
}

void PlayerWindowHook::HookPlayerWindow() {
    m_OldPlayerWndProc.install(m_PlayerHwnd, &m_procedure);
}

void PlayerWindowHook::UnhookPlayerWindow() {
    m_OldPlayerWndProc.restore();
    m_PlayerHwnd = nullptr;
}

} // namespace kf
