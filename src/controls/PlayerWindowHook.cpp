#include "controls/PlayerWindowHook.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

// The keys the procedure keeps from the movie; their releases stay away with them, so the
// movie never sees half of a key.
bool isCaughtKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Escape || key.key() == Qt::Key_F || key.key() == Qt::Key_Menu;
}

bool isRightButton(const QEvent& event) {
    return static_cast<const QMouseEvent&>(event).button() == Qt::RightButton;
}

} // namespace

bool PlayerWndProc::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claims the caught keys before the window's shortcuts: Ctrl+F is the hook's here,
        // also in full-screen mode where the menus that carry the shortcut are hidden.
        if (isCaughtKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        return keyDown(*static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return isCaughtKey(*static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (isRightButton(*event)) {
            m_parts.IsStop();
            popUpControlMenu();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        return isRightButton(*event);
    case QEvent::ContextMenu:
        // The player's own context menu is never shown; the key and the button have already
        // brought up the Control menu.
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool PlayerWndProc::keyDown(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Escape:
        // Swallowed in either mode; it only has something to leave in full screen.
        if (m_parts.state.IsFullScreen) {
            m_parts.window.FullScreenSWF();
        }
        return true;
    case Qt::Key_F:
        if (key.modifiers().testFlag(Qt::ControlModifier)) {
            m_parts.window.FullScreenSWF();
        }
        return true;
    case Qt::Key_Menu:
        popUpControlMenu();
        return true;
    default:
        return false;
    }
}

void PlayerWndProc::popUpControlMenu() {
    if (QMenu* menu = m_parts.controlMenu ? m_parts.controlMenu() : nullptr) {
        m_parts.windowSystem.TrackPopupMenu(*menu);
    }
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
