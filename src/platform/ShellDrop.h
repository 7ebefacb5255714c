#pragma once

#include <QMimeData>
#include <QStringList>
#include <QWidget>

namespace kf {

// Registers a window as a target for files dragged from the file manager.
inline void DragAcceptFiles(QWidget* window, bool accept) {
    window->setAcceptDrops(accept);
}

// The local files a drag carries, in the order the file manager lists them. A drag of text
// or of web links carries no file list and gives none. Paths come whole, however long.
QStringList DragQueryFiles(const QMimeData& drop);

// Whether the drag carries at least one local file, so the window may offer to take it.
bool DragHasFiles(const QMimeData& drop);

} // namespace kf
