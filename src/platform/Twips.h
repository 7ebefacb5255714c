#pragma once

#include <QtGlobal>

namespace kf {

// The window's design unit: 1440 per inch, so 15 per pixel at 96 dpi.
struct Twips {
    int value = 0;

    int toPixels(double logicalDpi) const { return qRound(value * logicalDpi / 1440.0); }
};

} // namespace kf
