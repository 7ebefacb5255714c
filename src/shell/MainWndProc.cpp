#include "shell/MainWndProc.h"

#include "platform/ShellDrop.h"
#include "shell/Frmmain.h"

#include <QDropEvent>

namespace kf {

bool MainWndProc::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Only a file list is offered to the window; text or web links are refused at once.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData() && DragHasFiles(*drag->mimeData())) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData() && DragHasFiles(*drop->mimeData())) {
            m_window.DropFiles(*drop->mimeData());
            drop->acceptProposedAction();
        } else {
            drop->ignore();
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace kf
