#include "swf/render/BrushFactory.h"

#include "swf/render/GradientRamp.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <optional>

namespace kf::swf {

namespace {

// The gradient square spans -16384..16384 twips before the fill matrix.
constexpr double gradientHalfSize = 16384.0;

// Flash Player moves a stop whose ratio does not exceed the previous one's to one ratio
// unit past it: seven stops at ratio 150 show as seven one-unit bands from 150 to 156.
constexpr int ratioUnits = 255;

QTransform toQTransform(const Matrix& matrix) {
    return QTransform(matrix.a, matrix.b, matrix.c, matrix.d, matrix.tx, matrix.ty);
}

QGradient::Spread spreadOf(SpreadMode mode) {
    switch (mode) {
    case SpreadMode::Reflect:
        return QGradient::ReflectSpread;
    case SpreadMode::Repeat:
        return QGradient::RepeatSpread;
    case SpreadMode::Pad:
        break;
    }
    return QGradient::PadSpread;
}

} // namespace

QColor BrushFactory::color(Rgba rgba, const ColorTransform& transform) {
    const Rgba shown = transform.isIdentity() ? rgba : transform.apply(rgba);
    return QColor(shown.red, shown.green, shown.blue, shown.alpha);
}

QGradientStops BrushFactory::gradientStops(const Gradient& gradient, const ColorTransform& transform) {
    QGradientStops stops;
    int previousRatio = -1;
    for (const GradientRecord& record : gradient.records) {
        const int ratio = std::max<int>(record.ratio, previousRatio + 1);
        if (ratio > ratioUnits) {
            break; // pushed past the end: Flash Player drops the rest
        }
        stops.append({static_cast<double>(ratio) / ratioUnits, color(record.color, transform)});
        previousRatio = ratio;
    }
    return stops;
}

QBrush BrushFactory::brush(const FillStyle& style, const ColorTransform& transform) {
    if (style.type == FillType::Solid) {
        return QBrush(color(style.color, transform));
    }
    if (!isGradientFill(style.type)) {
        return QBrush(Qt::NoBrush); // bitmap fills come with the bitmap work
    }
    if (style.gradient.records.empty()) {
        // Flash Player paints a gradient without stops black (swfdec's empty-gradient test).
        return QBrush(color(Rgba{0, 0, 0, 255}, transform));
    }
    QGradientStops stops = gradientStops(style.gradient, transform);
    const bool alphaVaries = std::any_of(
        style.gradient.records.begin(), style.gradient.records.end(), [&](const GradientRecord& record) {
            return record.color.alpha != style.gradient.records.front().color.alpha;
        });
    if (style.gradient.interpolation == InterpolationMode::Linear || alphaVaries) {
        // Qt interpolates in sRGB only, and between premultiplied colours, where a stop's
        // colour fades out with its alpha; Flash Player mixes the colours unpremultiplied.
        // Hand Qt the ramp instead, one stop per ratio unit.
        if (const std::optional<GradientRamp> ramp = GradientRamp::build(style, transform)) {
            stops.clear();
            for (int index = 0; index < GradientRamp::size; ++index) {
                stops.append({static_cast<double>(index) / (GradientRamp::size - 1),
                              QColor::fromRgba(qUnpremultiply(ramp->color(index)))});
            }
        }
    }
    const double determinant = style.matrix.determinant();
    if (stops.size() == 1 || !std::isfinite(determinant) || determinant == 0.0) {
        // A collapsed gradient square shows one colour; the last one, as padding would.
        return QBrush(stops.last().second);
    }

    QBrush brush;
    if (style.type == FillType::LinearGradient) {
        QLinearGradient linear(-gradientHalfSize, 0.0, gradientHalfSize, 0.0);
        linear.setStops(stops);
        linear.setSpread(spreadOf(style.gradient.spread));
        brush = QBrush(linear);
    } else {
        double focal = 0.0;
        if (style.type == FillType::FocalRadialGradient) {
            // Qt's focal cone degenerates with the focus on the rim itself; keep it just inside.
            focal = std::clamp(style.gradient.focalPoint.toDouble(), -0.98, 0.98);
        }
        QRadialGradient radial(QPointF(0.0, 0.0), gradientHalfSize, QPointF(focal * gradientHalfSize, 0.0));
        radial.setStops(stops);
        radial.setSpread(spreadOf(style.gradient.spread));
        brush = QBrush(radial);
    }
    brush.setTransform(toQTransform(style.matrix));
    return brush;
}

} // namespace kf::swf
