#pragma once

#include <QRect>
#include <QRgb>
#include <QTransform>

namespace kf::swf {

class GradientRamp;

// Computes a gradient's colour at every pixel centre of an output rectangle.
class GradientShader {
public:
    // Ready to shade areas of `ramp` mapped by `gradientToDevice`; the ramp is borrowed.
    GradientShader(const GradientRamp& ramp, const QTransform& gradientToDevice);

    // False when the mapping cannot be inverted: nothing can be shaded then.
    bool isValid() const { return m_valid; }
    // True when every colour the ramp shades is opaque.
    bool isOpaque() const;
    // As the static shade() below, for a valid shader.
    void shadeArea(const QRect& area, QRgb* pixels, int stride) const;

    // `gradientToDevice` maps the gradient square to output pixels; `pixels` receives
    // area.width() × area.height() premultiplied colours, rows `stride` pixels apart.
    // Returns false, writing nothing, when the mapping cannot be inverted.
    static bool shade(const GradientRamp& ramp, const QTransform& gradientToDevice, const QRect& area,
                      QRgb* pixels, int stride);

private:
    const GradientRamp& m_ramp;
    QTransform m_deviceToUnit;
    bool m_valid = false;
};

} // namespace kf::swf
