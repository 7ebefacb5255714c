#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QTransform>
#include <vector>

namespace kf::swf {

// Cuts quadratic curves into straight segments the way aliased rendering expects them.
//
// Without antialiasing a pixel is in or out by whether its centre lies inside the outline,
// so the exact polygon a curve becomes decides which pixels along it are lit. The points are
// not spread evenly over the curve's parameter: each quadratic is mapped onto a piece of the
// unit parabola, whose curvature says how densely the points must lie for every segment to
// stay within the tolerance of the curve, and the points are placed at equal steps of an
// approximation of the integral of the square root of that curvature. Flat parts get few
// points, tight bends many; a curve already within the tolerance of its chord gets none.
class CurveFlattener {
public:
    // The tolerance, in output pixels, aliased fills are flattened with.
    static constexpr double aliasedTolerance = 0.1;
    // However large a curve is drawn, it is cut into at most this many segments.
    static constexpr int maximumSegments = 1024;

    // The points that replace the curve from `from` through `control` to `to`, `to` last and
    // `from` left out.
    static std::vector<QPointF> flattenQuadratic(const QPointF& from, const QPointF& control,
                                                 const QPointF& to, double tolerance);

    // `path` mapped through `transform`, with every curve that is a quadratic (a shape's and a
    // glyph's edges all are) replaced by its segments. Cubic curves stay curves.
    static QPainterPath flattenedPath(const QPainterPath& path, const QTransform& transform,
                                      double tolerance);
};

} // namespace kf::swf
