#pragma once

#include <QString>

namespace kf {

// "KorvelFlash播放器 V" with the version: the minor number has two digits (2.0 gives V2.00).
QString makeAppTitle(int majorVersion, int minorVersion);

} // namespace kf
