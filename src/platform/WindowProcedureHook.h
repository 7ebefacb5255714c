#pragma once

#include <QObject>
#include <QPointer>

namespace kf {

// Stands in for replacing a window's procedure: an event filter on the window that sees
// its events first. Installing and restoring happen at the moments the handlers name.
class WindowProcedureHook {
public:
    WindowProcedureHook() = default;
    WindowProcedureHook(const WindowProcedureHook&) = delete;
    WindowProcedureHook& operator=(const WindowProcedureHook&) = delete;
    ~WindowProcedureHook() { restore(); }

    void install(QObject* window, QObject* procedure);
    void restore();
    bool isInstalled() const { return m_window && m_procedure; }
    QObject* window() const { return m_window; }

private:
    QPointer<QObject> m_window;
    QPointer<QObject> m_procedure;
};

} // namespace kf
