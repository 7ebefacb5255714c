#include "swf/render/ShapePathBuilder.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace kf::swf {

namespace {

// Sums of deltas may leave the int32 range in a hostile file; saturate instead of wrapping.
std::int32_t saturatingAdd(std::int32_t base, std::int32_t delta) {
    const std::int64_t sum = static_cast<std::int64_t>(base) + delta;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::uint64_t pointKey(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
}

// How far a stroke can reach beyond its centre line, in its own width units.
double strokeReach(const LineStyle& style) {
    double reach = 0.5;
    if (style.join == JoinStyle::Miter) {
        reach = std::max(reach, 0.5 * std::max(1.0, style.miterLimit.toDouble()));
    }
    if (style.startCap == CapStyle::Square || style.endCap == CapStyle::Square) {
        reach = std::max(reach, 0.75);
    }
    return reach;
}

} // namespace

ShapeGeometry ShapePathBuilder::build(const DefineShapeTag& shape) {
    ShapePathBuilder builder(shape);
    builder.run();
    return std::move(builder.m_geometry);
}

ShapePathBuilder::ShapePathBuilder(const DefineShapeTag& shape) : m_shape(shape) {}

void ShapePathBuilder::run() {
    startGroup(m_shape.shape.fillStyles, m_shape.shape.lineStyles);
    for (const ShapeRecord& record : m_shape.shape.records) {
        if (const auto* change = std::get_if<StyleChangeRecord>(&record)) {
            applyStyleChange(*change);
        } else if (const auto* straight = std::get_if<StraightEdgeRecord>(&record)) {
            Edge edge;
            edge.from = m_position;
            edge.to = {saturatingAdd(m_position.x, straight->deltaX.value),
                       saturatingAdd(m_position.y, straight->deltaY.value)};
            addEdge(edge);
        } else if (const auto* curve = std::get_if<CurvedEdgeRecord>(&record)) {
            Edge edge;
            edge.curved = true;
            edge.from = m_position;
            edge.control = {saturatingAdd(m_position.x, curve->controlDeltaX.value),
                            saturatingAdd(m_position.y, curve->controlDeltaY.value)};
            edge.to = {saturatingAdd(edge.control.x, curve->anchorDeltaX.value),
                       saturatingAdd(edge.control.y, curve->anchorDeltaY.value)};
            addEdge(edge);
        }
    }
    finishGroup();
}

void ShapePathBuilder::applyStyleChange(const StyleChangeRecord& change) {
    if (change.newStyles) {
        // The indices in this same record already refer to the new arrays.
        finishGroup();
        startGroup(change.newStyles->fillStyles, change.newStyles->lineStyles);
    }
    if (change.hasMoveTo()) {
        finishPolyline();
        m_position = {change.moveToX()->value, change.moveToY()->value};
    }
    if (const std::optional<std::uint32_t> fill0 = change.fillStyle0()) {
        m_fill0 = *fill0;
    }
    if (const std::optional<std::uint32_t> fill1 = change.fillStyle1()) {
        m_fill1 = *fill1;
    }
    if (const std::optional<std::uint32_t> line = change.lineStyle(); line && *line != m_line) {
        finishPolyline();
        m_line = *line;
    }
}

void ShapePathBuilder::addEdge(const Edge& edge) {
    m_position = edge.to;
    if (m_fill1 >= 1 && m_fill1 <= m_fillEdges.size()) {
        m_fillEdges[m_fill1 - 1].push_back(edge);
    }
    if (m_fill0 >= 1 && m_fill0 <= m_fillEdges.size()) {
        m_fillEdges[m_fill0 - 1].push_back(Edge{edge.to, edge.control, edge.from, edge.curved});
    }
    if (m_line >= 1 && m_line <= m_strokePaths.size()) {
        const std::size_t style = m_line - 1;
        QPainterPath& path = m_strokePaths[style];
        if (!m_polyline || m_polyline->lineStyle != style || !(m_polyline->end == edge.from)) {
            finishPolyline();
            path.moveTo(edge.from.x, edge.from.y);
            m_polyline = Polyline{style, edge.from, edge.from};
        }
        if (edge.curved) {
            path.quadTo(edge.control.x, edge.control.y, edge.to.x, edge.to.y);
        } else {
            path.lineTo(edge.to.x, edge.to.y);
        }
        m_polyline->end = edge.to;
    } else {
        finishPolyline();
    }
}

void ShapePathBuilder::finishPolyline() {
    if (!m_polyline) {
        return;
    }
    // A polyline that returns to its start is closed so its corner gets a join, not two caps.
    const Polyline& line = *m_polyline;
    QPainterPath& path = m_strokePaths[line.lineStyle];
    if (line.end == line.start && path.elementCount() > 1) {
        if (!m_lineStyles[line.lineStyle].noClose) {
            path.closeSubpath();
        } else {
            // Qt's stroker joins any outline that ends on its start; a hundredth of a twip
            // apart keeps the caps the file asks for.
            const int last = path.elementCount() - 1;
            path.setElementPositionAt(last, path.elementAt(last).x + 0.01, path.elementAt(last).y);
        }
    }
    m_polyline.reset();
}

void ShapePathBuilder::startGroup(const FillStyleArray& fills, const LineStyleArray& lines) {
    m_fillStyles = fills;
    m_lineStyles = lines;
    m_fillEdges.assign(m_fillStyles.size(), {});
    m_strokePaths.assign(m_lineStyles.size(), QPainterPath());
    m_polyline.reset();
    m_fill0 = 0;
    m_fill1 = 0;
    m_line = 0;
}

void ShapePathBuilder::finishGroup() {
    finishPolyline();
    const Qt::FillRule rule = m_shape.usesFillWindingRule ? Qt::WindingFill : Qt::OddEvenFill;
    StyleGroup group;
    for (std::size_t index = 0; index < m_fillEdges.size(); ++index) {
        if (m_fillEdges[index].empty()) {
            continue;
        }
        QPainterPath path = chainContours(m_fillEdges[index]);
        path.setFillRule(rule);
        m_geometry.bounds = m_geometry.bounds.united(path.controlPointRect());
        group.fills.push_back(FillPath{std::move(path), m_fillStyles[index]});
    }
    for (std::size_t index = 0; index < m_strokePaths.size(); ++index) {
        if (m_strokePaths[index].isEmpty()) {
            continue;
        }
        const LineStyle& style = m_lineStyles[index];
        const double reach = style.width * strokeReach(style);
        m_geometry.bounds = m_geometry.bounds.united(
            m_strokePaths[index].controlPointRect().adjusted(-reach, -reach, reach, reach));
        group.strokes.push_back(StrokePath{std::move(m_strokePaths[index]), style});
    }
    if (!group.fills.empty() || !group.strokes.empty()) {
        m_geometry.groups.push_back(std::move(group));
    }
    m_fillEdges.clear();
    m_strokePaths.clear();
}

QPainterPath ShapePathBuilder::chainContours(const std::vector<Edge>& edges) const {
    // Edges by start point, each list in record order; `next` skips the ones already used.
    struct Candidates {
        std::vector<std::size_t> edges;
        std::size_t next = 0;
    };
    std::unordered_map<std::uint64_t, Candidates> byStart;
    byStart.reserve(edges.size());
    for (std::size_t index = 0; index < edges.size(); ++index) {
        byStart[pointKey(edges[index].from.x, edges[index].from.y)].edges.push_back(index);
    }
    std::vector<bool> used(edges.size(), false);
    auto takeStartingAt = [&](const Point& point) -> std::optional<std::size_t> {
        auto found = byStart.find(pointKey(point.x, point.y));
        if (found == byStart.end()) {
            return std::nullopt;
        }
        Candidates& candidates = found->second;
        while (candidates.next < candidates.edges.size() && used[candidates.edges[candidates.next]]) {
            ++candidates.next;
        }
        if (candidates.next == candidates.edges.size()) {
            return std::nullopt;
        }
        return candidates.edges[candidates.next++];
    };

    QPainterPath path;
    for (std::size_t first = 0; first < edges.size(); ++first) {
        if (used[first]) {
            continue;
        }
        const Point start = edges[first].from;
        path.moveTo(start.x, start.y);
        std::optional<std::size_t> current = first;
        while (current) {
            used[*current] = true;
            const Edge& edge = edges[*current];
            if (edge.curved) {
                path.quadTo(edge.control.x, edge.control.y, edge.to.x, edge.to.y);
            } else {
                path.lineTo(edge.to.x, edge.to.y);
            }
            if (edge.to == start) {
                break;
            }
            current = takeStartingAt(edge.to);
        }
        // Fills close open outlines implicitly, as Flash Player does for sloppy files.
        path.closeSubpath();
    }
    return path;
}

} // namespace kf::swf
