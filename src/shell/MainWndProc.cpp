#include "shell/MainWndProc.h"

namespace kf {

bool MainWndProc::eventFilter(QObject* watched, QEvent* event) {
    return QObject::eventFilter(watched, event);
}

} // namespace kf
