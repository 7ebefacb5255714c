#pragma once

#include <QBrush>

namespace kf::swf {

class GradientRamp;

// How the inside of a path is painted: a Qt brush, or, for gradients, a ramp the backend
// shades itself (the brush then holds the same gradient for backends that cannot). Both are
// borrowed from the shape's cache for the duration of one draw: copying a brush per draw
// touched memory a frame of thousands of shapes could not afford.
struct FillPaint {
    const QBrush* brush = nullptr;
    const GradientRamp* gradient = nullptr;
    // False for the bitmap fills that ask to be drawn without smoothing.
    bool smooth = true;
    // Applied to the brush as a whole (a fading bitmap); 1 draws it as it is.
    double opacity = 1.0;
};

} // namespace kf::swf
