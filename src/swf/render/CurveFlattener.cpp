#include "swf/render/CurveFlattener.h"

#include <algorithm>
#include <cmath>

namespace kf::swf {

namespace {

// Close approximations of the integral of the square root of the unit parabola's curvature
// and of its inverse; exact forms would need elliptic integrals.
double approximateIntegral(double x) {
    constexpr double d = 0.67;
    return x / (1.0 - d + std::sqrt(std::sqrt(d * d * d * d + 0.25 * x * x)));
}

double approximateInverseIntegral(double x) {
    constexpr double b = 0.39;
    return x * (1.0 - b + std::sqrt(b * b + 0.25 * x * x));
}

QPointF pointAt(const QPointF& from, const QPointF& control, const QPointF& to, double t) {
    const double u = 1.0 - t;
    return u * u * from + 2.0 * u * t * control + t * t * to;
}

double dot(const QPointF& a, const QPointF& b) {
    return a.x() * b.x() + a.y() * b.y();
}

double cross(const QPointF& a, const QPointF& b) {
    return a.x() * b.y() - a.y() * b.x();
}

// The quadratic control point of a cubic that QPainterPath::quadTo made, when it is one.
bool quadraticControl(const QPointF& from, const QPointF& first, const QPointF& second, const QPointF& to,
                      QPointF& control) {
    const QPointF fromStart = (3.0 * first - from) / 2.0;
    const QPointF fromEnd = (3.0 * second - to) / 2.0;
    const double size = std::max({std::abs(from.x()), std::abs(from.y()), std::abs(to.x()), std::abs(to.y()),
                                  std::abs(fromStart.x()), std::abs(fromStart.y()), 1.0});
    if ((fromStart - fromEnd).manhattanLength() > size * 1e-9) {
        return false;
    }
    control = (fromStart + fromEnd) / 2.0;
    return true;
}

} // namespace

std::vector<QPointF> CurveFlattener::flattenQuadratic(const QPointF& from, const QPointF& control,
                                                      const QPointF& to, double tolerance) {
    // A quadratic strays from its chord by at most half its control point's distance from it.
    const QPointF chord = to - from;
    const double chordLength = std::hypot(chord.x(), chord.y());
    if (std::abs(cross(chord, control - from)) <= 2.0 * tolerance * chordLength) {
        return {to};
    }
    // Map the curve onto the unit parabola y = x²: x0 and x2 are where its ends land, and
    // `scale` how much the parabola is shrunk to fit it.
    const QPointF bend = 2.0 * control - from - to;
    const double area = cross(to - from, bend);
    const double x0 = dot(control - from, bend) / area;
    const double x2 = dot(to - control, bend) / area;
    const double scale = std::abs(area) / (std::hypot(bend.x(), bend.y()) * std::abs(x2 - x0));
    const double a0 = approximateIntegral(x0);
    const double a2 = approximateIntegral(x2);
    const double rootTolerance = std::sqrt(tolerance);

    double spread = 0.0;
    if (std::isfinite(scale) && std::isfinite(a0) && std::isfinite(a2)) {
        const double rootScale = std::sqrt(scale);
        if ((x0 < 0.0) == (x2 < 0.0)) {
            spread = std::abs(a2 - a0) * rootScale;
        } else {
            // The curve runs through the parabola's vertex, where the integral's slope would
            // ask for points closer than the tolerance can tell apart.
            const double vertex = rootTolerance / rootScale;
            spread = rootTolerance * std::abs(a2 - a0) / approximateIntegral(vertex);
        }
    }
    // A straight or degenerate curve (control on the chord) has no finite spread: one segment.
    const double wanted = std::isfinite(spread) ? std::ceil(0.5 * spread / rootTolerance) : 1.0;
    const int segments = static_cast<int>(std::clamp(wanted, 1.0, static_cast<double>(maximumSegments)));

    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(segments));
    const double start = approximateInverseIntegral(a0);
    const double end = approximateInverseIntegral(a2);
    for (int index = 1; index < segments; ++index) {
        const double along = a0 + (a2 - a0) * index / segments;
        const double t = (approximateInverseIntegral(along) - start) / (end - start);
        points.push_back(pointAt(from, control, to, t));
    }
    points.push_back(to);
    return points;
}

QPainterPath CurveFlattener::flattenedPath(const QPainterPath& path, const QTransform& transform,
                                           double tolerance) {
    QPainterPath flattened;
    flattened.setFillRule(path.fillRule());
    QPointF current;
    const int count = path.elementCount();
    for (int index = 0; index < count; ++index) {
        const QPainterPath::Element element = path.elementAt(index);
        const QPointF point(element.x, element.y);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            flattened.moveTo(transform.map(point));
            break;
        case QPainterPath::LineToElement:
            flattened.lineTo(transform.map(point));
            break;
        case QPainterPath::CurveToElement: {
            if (index + 2 >= count) {
                return flattened;
            }
            const QPainterPath::Element second = path.elementAt(index + 1);
            const QPainterPath::Element last = path.elementAt(index + 2);
            const QPointF secondPoint(second.x, second.y);
            const QPointF to(last.x, last.y);
            QPointF control;
            if (quadraticControl(current, point, secondPoint, to, control)) {
                for (const QPointF& segmentEnd : flattenQuadratic(
                         transform.map(current), transform.map(control), transform.map(to), tolerance)) {
                    flattened.lineTo(segmentEnd);
                }
            } else {
                flattened.cubicTo(transform.map(point), transform.map(secondPoint), transform.map(to));
            }
            index += 2;
            current = to;
            continue;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
        current = point;
    }
    return flattened;
}

} // namespace kf::swf
