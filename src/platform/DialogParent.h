#pragma once

#include <QPointer>
#include <QWidget>

namespace kf {

// The window that owns the Qt dialogs, so they open centred over it and stay modal to it.
// Shared by the Qt services and set once the main window exists.
class DialogParent {
public:
    QWidget* window() const { return m_window; }
    void setWindow(QWidget* window) { m_window = window; }

private:
    QPointer<QWidget> m_window;
};

} // namespace kf
