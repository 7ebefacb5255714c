#include "swf/runtime/HitTest.h"

#include "swf/format/Tags.h"
#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/ShapeCharacter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>

namespace kf::swf {

namespace {

// Curves are cut into this many straight pieces; a hit area does not need more.
constexpr int curveSteps = 8;
// Deeper trees are not searched: a hostile file cannot exhaust the stack.
constexpr int maximumNesting = 256;

struct Point {
    double x = 0;
    double y = 0;
};

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double nearestX = a.x + t * dx - p.x;
    const double nearestY = a.y + t * dy - p.y;
    return std::sqrt(nearestX * nearestX + nearestY * nearestY);
}

// Walks a shape's edges as straight pieces with the styles on each side.
class ShapeProbe {
public:
    ShapeProbe(const DefineShapeTag& shape, Point point) : m_shape(shape), m_point(point) {}

    bool hit() {
        const LineStyleArray* lines = &m_shape.shape.lineStyles;
        Point pen;
        std::uint32_t fill0 = 0;
        std::uint32_t fill1 = 0;
        std::uint32_t line = 0;
        for (const ShapeRecord& record : m_shape.shape.records) {
            if (const auto* change = std::get_if<StyleChangeRecord>(&record)) {
                if (change->newStyles) {
                    // New arrays start a new numbering: indices before and after differ.
                    ++m_generation;
                    lines = &change->newStyles->lineStyles;
                    fill0 = fill1 = line = 0;
                }
                if (change->hasMoveTo()) {
                    pen = Point{static_cast<double>(change->moveToX()->value),
                                static_cast<double>(change->moveToY()->value)};
                }
                fill0 = change->fillStyle0().value_or(fill0);
                fill1 = change->fillStyle1().value_or(fill1);
                line = change->lineStyle().value_or(line);
                m_lineWidth = line > 0 && line <= lines->size() ? (*lines)[line - 1].width : -1;
            } else if (const auto* straight = std::get_if<StraightEdgeRecord>(&record)) {
                const Point next{pen.x + straight->deltaX.value, pen.y + straight->deltaY.value};
                segment(pen, next, fill0, fill1);
                pen = next;
            } else if (const auto* curve = std::get_if<CurvedEdgeRecord>(&record)) {
                const Point control{pen.x + curve->controlDeltaX.value, pen.y + curve->controlDeltaY.value};
                const Point anchor{control.x + curve->anchorDeltaX.value,
                                   control.y + curve->anchorDeltaY.value};
                Point previous = pen;
                for (int step = 1; step <= curveSteps; ++step) {
                    const double t = static_cast<double>(step) / curveSteps;
                    const double u = 1.0 - t;
                    const Point on{u * u * pen.x + 2 * u * t * control.x + t * t * anchor.x,
                                   u * u * pen.y + 2 * u * t * control.y + t * t * anchor.y};
                    segment(previous, on, fill0, fill1);
                    previous = on;
                }
                pen = anchor;
            }
            if (m_onStroke) {
                return true;
            }
        }
        for (const auto& [style, winding] : m_windings) {
            if (m_shape.usesFillWindingRule ? winding.sum != 0 : (winding.crossings % 2) != 0) {
                return true;
            }
        }
        return false;
    }

private:
    struct Winding {
        int sum = 0;
        int crossings = 0;
    };

    void segment(Point from, Point to, std::uint32_t fill0, std::uint32_t fill1) {
        if (m_lineWidth >= 0) {
            // Hairlines still take a pixel.
            const double halfWidth = std::max(m_lineWidth, 20) / 2.0;
            if (distanceToSegment(m_point, from, to) <= halfWidth) {
                m_onStroke = true;
            }
        }
        if (fill0 == 0 && fill1 == 0) {
            return;
        }
        // A ray from the point towards +x: count the edges it crosses, with their direction.
        const bool upward = from.y <= m_point.y && to.y > m_point.y;
        const bool downward = to.y <= m_point.y && from.y > m_point.y;
        if (!upward && !downward) {
            return;
        }
        const double crossingX = from.x + (m_point.y - from.y) * (to.x - from.x) / (to.y - from.y);
        if (crossingX <= m_point.x) {
            return;
        }
        const int direction = upward ? 1 : -1;
        // The fill on one side counts the edge one way, the fill on the other side the other
        // way; an edge with the same fill on both sides cancels out.
        if (fill0 != 0) {
            Winding& winding = m_windings[key(fill0)];
            winding.sum += direction;
            ++winding.crossings;
        }
        if (fill1 != 0) {
            Winding& winding = m_windings[key(fill1)];
            winding.sum -= direction;
            ++winding.crossings;
        }
    }

    std::uint64_t key(std::uint32_t fill) const { return (std::uint64_t{m_generation} << 32) | fill; }

    const DefineShapeTag& m_shape;
    Point m_point;
    std::uint32_t m_generation = 0;
    int m_lineWidth = -1;
    bool m_onStroke = false;
    std::map<std::uint64_t, Winding> m_windings;
};

bool objectContains(const DisplayObject& object, const Matrix& world, double x, double y, int level);

bool listContains(const DisplayList& list, const Matrix& parentWorld, double x, double y, int level) {
    if (level >= maximumNesting) {
        return false;
    }
    for (const auto& [depth, child] : list.objects()) {
        if (child->clipDepth() || !child->visible()) {
            continue;
        }
        if (objectContains(*child, parentWorld * child->matrix(), x, y, level + 1)) {
            return true;
        }
    }
    return false;
}

bool objectContains(const DisplayObject& object, const Matrix& world, double x, double y, int level) {
    if (const ShapeCharacter* shape = object.shapeCharacter()) {
        const DefineShapeTag& definition = shape->definition();
        if (world.determinant() == 0.0) {
            return false;
        }
        const Matrix inverse = world.inverted();
        const double localX = inverse.mapX(x, y);
        const double localY = inverse.mapY(x, y);
        const Rect& bounds = definition.bounds;
        if (localX < bounds.xMin.value || localX > bounds.xMax.value || localY < bounds.yMin.value ||
            localY > bounds.yMax.value) {
            return false;
        }
        return shapeContainsPoint(definition, localX, localY);
    }
    // A button answers for its hit area, whatever state it shows.
    if (const ButtonObject* button = object.asButton()) {
        return listContains(button->hitArea(), world, x, y, level);
    }
    if (const DisplayList* children = object.children()) {
        return listContains(*children, world, x, y, level);
    }
    return false;
}

} // namespace

bool shapeContainsPoint(const DefineShapeTag& shape, double x, double y) {
    return ShapeProbe(shape, Point{x, y}).hit();
}

bool objectContainsPoint(const DisplayObject& object, const Matrix& world, double x, double y) {
    return objectContains(object, world, x, y, 0);
}

bool listContainsPoint(const DisplayList& list, const Matrix& parentWorld, double x, double y) {
    return listContains(list, parentWorld, x, y, 0);
}

} // namespace kf::swf
