#include "swf/render/GradientRamp.h"

#include "swf/render/BrushFactory.h"

#include <QColor>
#include <algorithm>
#include <cmath>

namespace kf::swf {

namespace {

double toLinear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double toSrgb(double channel) {
    return channel <= 0.0031308 ? channel * 12.92 : 1.055 * std::pow(channel, 1.0 / 2.4) - 0.055;
}

// Flash Player mixes linearRGB gradients in linear light held in 8 bits, each stop's channels
// truncated on the way in. Dark colours lose most of their steps that way, which is why its
// linearRGB ramps band near black and a dark channel can come out darker than both stops.
double toLinearByte(double channel) {
    return std::floor(toLinear(channel) * 255.0 + 1e-9);
}

double fromLinearByte(double level) {
    return toSrgb(std::clamp(std::floor(level + 1e-9), 0.0, 255.0) / 255.0);
}

int toByte(double value) {
    return std::clamp(static_cast<int>(std::lround(value * 255.0)), 0, 255);
}

} // namespace

std::optional<GradientRamp> GradientRamp::build(const FillStyle& style, const ColorTransform& transform) {
    if (!isGradientFill(style.type)) {
        return std::nullopt;
    }
    const QGradientStops stops = BrushFactory::gradientStops(style.gradient, transform);
    const Matrix& matrix = style.matrix;
    const double determinant = matrix.determinant();
    if (stops.size() < 2 || !std::isfinite(determinant) || determinant == 0.0) {
        return std::nullopt;
    }

    GradientRamp ramp;
    ramp.m_type = style.type;
    ramp.m_spread = style.gradient.spread;
    ramp.m_matrix = QTransform(matrix.a, matrix.b, matrix.c, matrix.d, matrix.tx, matrix.ty);
    if (style.type == FillType::FocalRadialGradient) {
        // With the focus on the rim itself every ray from it is a tangent; keep it inside.
        ramp.m_focalPoint = std::clamp(style.gradient.focalPoint.toDouble(), -0.98, 0.98);
    }
    const bool linearLight = style.gradient.interpolation == InterpolationMode::Linear;
    qsizetype segment = 0;
    for (int index = 0; index < size; ++index) {
        const double position = static_cast<double>(index) / (size - 1);
        while (segment + 2 < stops.size() && position > stops[segment + 1].first) {
            ++segment;
        }
        const QGradientStop& from = stops[segment];
        const QGradientStop& to = stops[segment + 1];
        const double span = to.first - from.first;
        const double amount = span > 0 ? std::clamp((position - from.first) / span, 0.0, 1.0) : 1.0;
        auto mix = [&](double a, double b) {
            if (linearLight) {
                return fromLinearByte(toLinearByte(a) + (toLinearByte(b) - toLinearByte(a)) * amount);
            }
            return a + (b - a) * amount;
        };
        const int alpha = toByte(from.second.alphaF() + (to.second.alphaF() - from.second.alphaF()) * amount);
        const QRgb straight = qRgba(toByte(mix(from.second.redF(), to.second.redF())),
                                    toByte(mix(from.second.greenF(), to.second.greenF())),
                                    toByte(mix(from.second.blueF(), to.second.blueF())), alpha);
        ramp.m_colors[static_cast<std::size_t>(index)] = qPremultiply(straight);
        ramp.m_opaque = ramp.m_opaque && alpha == 255;
    }
    return ramp;
}

} // namespace kf::swf
