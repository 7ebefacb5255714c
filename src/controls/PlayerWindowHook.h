#pragma once

#include "platform/WindowProcedureHook.h"
#include "platform/WindowSystemService.h"
#include "player/FrmmainApi.h"
#include "player/ProgramState.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QMenu;

namespace kf {

// What the procedure on the player's window reaches.
struct PlayerWndProcParts {
    FrmmainApi& window;
    const ProgramState& state;
    // Ends a running rewind or fast-forward loop.
    std::function<void()> IsStop;
    // The Control menu, popped up over the movie instead of a menu of the player's own.
    std::function<QMenu*()> controlMenu;
    WindowSystemService& windowSystem;
};

// The program's procedure on the player's own window: Esc leaves full-screen mode, Ctrl+F
// toggles it, the context-menu key and the right button pop up the Control menu. None of
// these reach the movie (a plain F neither); every other event goes on to the player.
class PlayerWndProc : public QObject {
    Q_OBJECT

public:
    explicit PlayerWndProc(const PlayerWndProcParts& parts) : m_parts(parts) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyDown(const QKeyEvent& key);
    void popUpControlMenu();

    PlayerWndProcParts m_parts;
};

// The hook on the player's own window (keys and right clicks over the movie). Installed after
// the first load; the window removes it when it unloads.
class PlayerWindowHook {
public:
    explicit PlayerWindowHook(const PlayerWndProcParts& parts) : m_procedure(parts) {}

    bool isHooked() const { return m_OldPlayerWndProc.isInstalled(); }
    QObject* PlayerHwnd() const { return m_PlayerHwnd; }

    // After a load: finds the player's window among the main window's descendants and hooks
    // it, unless it is hooked already.
    void completeAfterLoad(QWidget& mainWindow);
    // Stores the first descendant whose name marks it as the player's window; false ends the
    // search.
    bool FindPlayerWindow(QObject* hwnd);
    void HookPlayerWindow();
    void UnhookPlayerWindow();

private:
    QPointer<QObject> m_PlayerHwnd;
    PlayerWndProc m_procedure;
    WindowProcedureHook m_OldPlayerWndProc;
};

} // namespace kf
