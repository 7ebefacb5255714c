#include "swf/render/GradientShader.h"

#include "swf/render/GradientRamp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kf::swf {

namespace {

// How a gradient position (0..1 from the first to the last ratio) picks one of the ramp's 256
// entries: the position is scaled and truncated. Flash's linear gradients scale by 256, so
// entry k covers positions k/256 to (k+1)/256 (bands of same-ratio stops land exactly where
// its renders put them). Its radial distances run slightly short of that: measured against
// its renders, a scale just above 255 places the rings where it draws them.
constexpr double linearIndexScale = GradientRamp::size;
constexpr double radialIndexScale = 255.25;
// Focal gradients reach their last entries sooner: measured the same way, their rings sit
// where a scale of 255.75 puts them, and the last colour shows as a band of its own.
constexpr double focalIndexScale = 255.75;

// Ramp index for a gradient position, scaled by `indexScale`. Inlined into the pixel loop:
// a call per pixel cost as much as the shading itself.
template <SpreadMode spread> [[gnu::always_inline]] inline int rampIndex(double position, double indexScale) {
    if constexpr (spread == SpreadMode::Repeat) {
        position -= std::floor(position);
    } else if constexpr (spread == SpreadMode::Reflect) {
        position = std::fabs(position);
        position -= 2.0 * std::floor(position * 0.5);
        position = position > 1.0 ? 2.0 - position : position;
    }
    // Pad (and the ends of the others) clamps; NaN, from a degenerate focal case, falls to
    // the first colour.
    const double scaled = position * indexScale;
    if (!(scaled >= 1.0)) {
        return 0;
    }
    return scaled >= GradientRamp::size - 1 ? GradientRamp::size - 1 : static_cast<int>(scaled);
}

// Gradient positions in units of the gradient square's half size: linear runs from -1 to 1,
// radial from the centre (0) to the unit circle.
struct Linear {
    [[gnu::always_inline]] double operator()(double x, double) const { return (x + 1.0) * 0.5; }
};
struct Radial {
    // Single precision is plenty for 256 ramp entries, and its square root is faster.
    [[gnu::always_inline]] double operator()(double x, double y) const {
        return std::sqrt(static_cast<float>(x * x + y * y));
    }
};
// The position along the ray from the focus through the point, 1 where it meets the circle.
struct Focal {
    double focus;
    [[gnu::always_inline]] double operator()(double x, double y) const {
        const double dx = x - focus;
        const double lengthSquared = dx * dx + y * y;
        const double along = focus * dx;
        const double denominator = -along + std::sqrt(along * along + lengthSquared * (1.0 - focus * focus));
        return denominator > 0.0 ? lengthSquared / denominator : 0.0;
    }
};

template <SpreadMode spread, typename Position>
void shadeRows(const GradientRamp& ramp, const QTransform& deviceToUnit, const QRect& area, QRgb* pixels,
               int stride, Position position, double indexScale) {
    for (int row = 0; row < area.height(); ++row) {
        const double centreY = area.y() + row + 0.5;
        const double startX = area.x() + 0.5;
        double x = deviceToUnit.m11() * startX + deviceToUnit.m21() * centreY + deviceToUnit.dx();
        double y = deviceToUnit.m12() * startX + deviceToUnit.m22() * centreY + deviceToUnit.dy();
        QRgb* out = pixels + static_cast<std::ptrdiff_t>(row) * stride;
        for (int column = 0; column < area.width(); ++column) {
            out[column] = ramp.color(rampIndex<spread>(position(x, y), indexScale));
            x += deviceToUnit.m11();
            y += deviceToUnit.m12();
        }
    }
}

// The common linear, padded case: the position grows by a constant step along a row, so
// it is stepped in 16.16 fixed point of ramp entries. Returns false when the positions are
// too far out for that (a gradient tiny against the shape), leaving the row to the general loop.
bool shadeLinearPadRow(const GradientRamp& ramp, double start, double step, int width, QRgb* out) {
    constexpr double fixedOne = 65536.0;
    constexpr double limit = 1e6; // positions, far below what 64-bit fixed point holds
    const double end = start + step * width;
    if (!(std::fabs(start) < limit && std::fabs(end) < limit)) {
        return false;
    }
    std::int64_t value = std::llround(start * linearIndexScale * fixedOne);
    const std::int64_t increment = std::llround(step * linearIndexScale * fixedOne);
    for (int column = 0; column < width; ++column) {
        const std::int64_t index = std::clamp<std::int64_t>(value >> 16, 0, GradientRamp::size - 1);
        out[column] = ramp.color(static_cast<int>(index));
        value += increment;
    }
    return true;
}

void shadeLinearPad(const GradientRamp& ramp, const QTransform& deviceToUnit, const QRect& area, QRgb* pixels,
                    int stride) {
    const Linear position;
    const double step = deviceToUnit.m11() * 0.5;
    for (int row = 0; row < area.height(); ++row) {
        const double centreY = area.y() + row + 0.5;
        const double startX = area.x() + 0.5;
        const double x = deviceToUnit.m11() * startX + deviceToUnit.m21() * centreY + deviceToUnit.dx();
        QRgb* out = pixels + static_cast<std::ptrdiff_t>(row) * stride;
        if (!shadeLinearPadRow(ramp, position(x, 0.0), step, area.width(), out)) {
            shadeRows<SpreadMode::Pad>(ramp, deviceToUnit, QRect(area.x(), area.y() + row, area.width(), 1),
                                       out, stride, position, linearIndexScale);
        }
    }
}

template <typename Position>
void shadeWithSpread(const GradientRamp& ramp, const QTransform& deviceToUnit, const QRect& area,
                     QRgb* pixels, int stride, Position position, double indexScale) {
    switch (ramp.spread()) {
    case SpreadMode::Reflect:
        shadeRows<SpreadMode::Reflect>(ramp, deviceToUnit, area, pixels, stride, position, indexScale);
        return;
    case SpreadMode::Repeat:
        shadeRows<SpreadMode::Repeat>(ramp, deviceToUnit, area, pixels, stride, position, indexScale);
        return;
    case SpreadMode::Pad:
        break;
    }
    shadeRows<SpreadMode::Pad>(ramp, deviceToUnit, area, pixels, stride, position, indexScale);
}

} // namespace

GradientShader::GradientShader(const GradientRamp& ramp, const QTransform& gradientToDevice) : m_ramp(ramp) {
    const QTransform deviceToGradient = gradientToDevice.inverted(&m_valid);
    const double unit = 1.0 / GradientRamp::halfSize;
    m_deviceToUnit = deviceToGradient * QTransform::fromScale(unit, unit);
}

bool GradientShader::isOpaque() const {
    return m_ramp.isOpaque();
}

bool GradientShader::shade(const GradientRamp& ramp, const QTransform& gradientToDevice, const QRect& area,
                           QRgb* pixels, int stride) {
    const GradientShader shader(ramp, gradientToDevice);
    if (!shader.isValid() || area.isEmpty()) {
        return false;
    }
    shader.shadeArea(area, pixels, stride);
    return true;
}

void GradientShader::shadeArea(const QRect& area, QRgb* pixels, int stride) const {
    if (!m_valid || area.isEmpty()) {
        return;
    }
    switch (m_ramp.type()) {
    case FillType::RadialGradient:
        shadeWithSpread(m_ramp, m_deviceToUnit, area, pixels, stride, Radial{}, radialIndexScale);
        break;
    case FillType::FocalRadialGradient:
        shadeWithSpread(m_ramp, m_deviceToUnit, area, pixels, stride, Focal{m_ramp.focalPoint()},
                        focalIndexScale);
        break;
    default:
        if (m_ramp.spread() == SpreadMode::Pad) {
            shadeLinearPad(m_ramp, m_deviceToUnit, area, pixels, stride);
        } else {
            shadeWithSpread(m_ramp, m_deviceToUnit, area, pixels, stride, Linear{}, linearIndexScale);
        }
        break;
    }
}

} // namespace kf::swf
