#include "shell/WindowLayout.h"

namespace kf {

QRect playerArea(QSize clientSize, bool statusBarVisible, int statusBarHeight) {
    const int height = clientSize.height() - (statusBarVisible ? statusBarHeight : 0);
    return QRect(0, 0, clientSize.width(), height);
}

} // namespace kf
