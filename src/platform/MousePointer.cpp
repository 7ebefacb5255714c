#include "platform/MousePointer.h"

#include <QApplication>
#include <QCursor>

namespace kf {

void setBusyMousePointer(bool busy) {
    if (busy) {
        if (QApplication::overrideCursor()) {
            QApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
        } else {
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
        return;
    }
    // The default pointer, not merely the one before: nested settings must not leave an
    // hourglass behind.
    while (QApplication::overrideCursor()) {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace kf
