#pragma once

#include "platform/WindowProcedureHook.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace kf {

// The program's procedure on the player's own window. For now every event passes on to the
// movie unchanged; the keys and right clicks it will catch come with the player-keys work.
class PlayerWndProc : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The hook on the player's own window (keys and right clicks over the movie). Installed after
// the first load; the window removes it when it unloads.
class PlayerWindowHook {
public:
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
