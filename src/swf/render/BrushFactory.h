#pragma once

#include "swf/format/Color.h"
#include "swf/format/Styles.h"

#include <QBrush>
#include <QColor>
#include <QGradientStops>

namespace kf::swf {

// Qt brushes for SWF fill styles. Gradient brushes carry the fill matrix as their brush
// transform, so they are built in shape space and follow the shape's world transform.
class BrushFactory {
public:
    static QColor color(Rgba rgba, const ColorTransform& transform);
    // Bitmap fills give Qt::NoBrush for now: nothing is drawn.
    static QBrush brush(const FillStyle& style, const ColorTransform& transform);
    // A gradient's stops as Flash Player uses them: ratios 0..255 mapped to 0..1, each
    // strictly after the one before, colours under `transform`.
    static QGradientStops gradientStops(const Gradient& gradient, const ColorTransform& transform);
};

} // namespace kf::swf
