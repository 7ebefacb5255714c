#pragma once

#include <QString>

namespace kf {

// Cuts text at its first NUL, in the caller's variable too: names and paths handed back in
// fixed-size buffers end there.
QString StripNulls(QString& text);

} // namespace kf
