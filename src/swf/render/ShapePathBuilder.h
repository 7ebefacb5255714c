#pragma once

#include "swf/format/Tags.h"
#include "swf/render/ShapeGeometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kf::swf {

// Turns a shape's edge records into fill contours and stroke polylines.
//
// Each edge carries a fill style on its left (fill0) and on its right (fill1), so one
// region's outline is scattered over many records, interleaved with other styles' edges.
// The builder collects every style's edges — fill1 edges as they run, fill0 edges reversed,
// so each region lies on the same side of all its edges — and then chains them into closed
// contours by matching end points. Strokes follow the records in order.
class ShapePathBuilder {
public:
    static ShapeGeometry build(const DefineShapeTag& shape);

private:
    struct Point {
        std::int32_t x = 0;
        std::int32_t y = 0;
        bool operator==(const Point&) const = default;
    };
    struct Edge {
        Point from;
        Point control;
        Point to;
        bool curved = false;
    };
    struct Polyline {
        std::size_t lineStyle = 0; // 0-based
        Point start;
        Point end;
    };

    explicit ShapePathBuilder(const DefineShapeTag& shape);

    void run();
    void applyStyleChange(const StyleChangeRecord& change);
    void addEdge(const Edge& edge);
    void startGroup(const FillStyleArray& fills, const LineStyleArray& lines);
    void finishGroup();
    void finishPolyline();
    QPainterPath chainContours(const std::vector<Edge>& edges) const;

    const DefineShapeTag& m_shape;
    ShapeGeometry m_geometry;

    FillStyleArray m_fillStyles;
    LineStyleArray m_lineStyles;
    std::vector<std::vector<Edge>> m_fillEdges; // per fill style of the current group
    std::vector<QPainterPath> m_strokePaths;    // per line style of the current group
    std::optional<Polyline> m_polyline;
    Point m_position;
    std::uint32_t m_fill0 = 0; // 1-based, 0 = none
    std::uint32_t m_fill1 = 0;
    std::uint32_t m_line = 0;
};

} // namespace kf::swf
