#pragma once

#include <QWidget>

namespace kf {

// Registers a window as a target for files dragged from the file manager.
inline void DragAcceptFiles(QWidget* window, bool accept) {
    window->setAcceptDrops(accept);
}

} // namespace kf
