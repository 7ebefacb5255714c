#pragma once

#include <QRect>
#include <QRgb>
#include <QTransform>

namespace kf::swf {

class GradientRamp;

// Computes a gradient's colour at every pixel centre of an output rectangle.
class GradientShader {
public:
    // `gradientToDevice` maps the gradient square to output pixels; `pixels` receives
    // area.width() × area.height() premultiplied colours, rows `stride` pixels apart.
    // Returns false, writing nothing, when the mapping cannot be inverted.
    static bool shade(const GradientRamp& ramp, const QTransform& gradientToDevice, const QRect& area,
                      QRgb* pixels, int stride);
};

} // namespace kf::swf
