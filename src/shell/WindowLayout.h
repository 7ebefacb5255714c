#pragma once

#include <QRect>
#include <QSize>

namespace kf {

// The one rectangle that the list, the label and the player share: the client area above
// the status bar, or all of it while the status bar is hidden.
QRect playerArea(QSize clientSize, bool statusBarVisible, int statusBarHeight);

} // namespace kf
