#include "platform/WindowProcedureHook.h"

namespace kf {

void WindowProcedureHook::install(QObject* window, QObject* procedure) {
    restore();
    if (!window || !procedure) {
        return;
    }
    window->installEventFilter(procedure);
    m_window = window;
    m_procedure = procedure;
}

void WindowProcedureHook::restore() {
    if (m_window && m_procedure) {
        m_window->removeEventFilter(m_procedure);
    }
    m_window = nullptr;
    m_procedure = nullptr;
}

} // namespace kf
