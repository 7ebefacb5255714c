#include "swf/render/AliasedScanConverter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kf::swf {

namespace {

struct Edge {
    double top = 0.0; // y of the upper end
    double bottom = 0.0;
    double xAtTop = 0.0;
    double slope = 0.0; // dx per dy
    int winding = 1;    // +1 running down, -1 running up
};

struct Crossing {
    double x = 0.0;
    int winding = 0;
    bool operator<(const Crossing& other) const { return x < other.x; }
};

void collectEdges(const QPolygonF& polygon, std::vector<Edge>& edges) {
    const qsizetype count = polygon.size();
    for (qsizetype index = 0; index < count; ++index) {
        const QPointF& from = polygon[index];
        const QPointF& to = polygon[(index + 1) % count];
        if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) ||
            !std::isfinite(to.y()) || from.y() == to.y()) {
            continue;
        }
        const bool down = from.y() < to.y();
        const QPointF& upper = down ? from : to;
        const QPointF& lower = down ? to : from;
        edges.push_back(Edge{upper.y(), lower.y(), upper.x(),
                             (lower.x() - upper.x()) / (lower.y() - upper.y()), down ? 1 : -1});
    }
}

// The first pixel whose centre is at or past `position`, kept within reach of `low`..`high`
// so a far-away edge never overflows the conversion.
int firstPixelFrom(double position, int low, int high) {
    const double limited = std::clamp(position, low - 1.0, high + 2.0);
    return static_cast<int>(std::ceil(limited - 0.5));
}

} // namespace

QPainterPath AliasedScanConverter::coveredPixels(const QList<QPolygonF>& polygons, Qt::FillRule rule,
                                                 const QRect& bounds) {
    QPainterPath pixels;
    pixels.setFillRule(Qt::WindingFill);
    std::vector<Edge> edges;
    for (const QPolygonF& polygon : polygons) {
        collectEdges(polygon, edges);
    }
    if (edges.empty() || bounds.isEmpty()) {
        return pixels;
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
    double lowest = edges.front().bottom;
    for (const Edge& edge : edges) {
        lowest = std::max(lowest, edge.bottom);
    }
    const int firstRow =
        std::max(bounds.top(), firstPixelFrom(edges.front().top, bounds.top(), bounds.bottom()));
    const int lastRow = std::min(bounds.bottom(), firstPixelFrom(lowest, bounds.top(), bounds.bottom()) - 1);

    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        const double sampleY = row + 0.5;
        while (next < edges.size() && edges[next].top <= sampleY) {
            active.push_back(&edges[next]);
            ++next;
        }
        std::erase_if(active, [sampleY](const Edge* edge) { return edge->bottom <= sampleY; });
        crossings.clear();
        for (const Edge* edge : active) {
            if (edge->top <= sampleY) {
                crossings.push_back(
                    Crossing{edge->xAtTop + (sampleY - edge->top) * edge->slope, edge->winding});
            }
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (std::size_t index = 0; index + 1 < crossings.size(); ++index) {
            winding += rule == Qt::OddEvenFill ? 1 : crossings[index].winding;
            const bool inside = rule == Qt::OddEvenFill ? (winding & 1) != 0 : winding != 0;
            if (!inside) {
                continue;
            }
            const int left =
                std::max(bounds.left(), firstPixelFrom(crossings[index].x, bounds.left(), bounds.right()));
            const int right = std::min(bounds.right() + 1,
                                       firstPixelFrom(crossings[index + 1].x, bounds.left(), bounds.right()));
            if (left < right) {
                pixels.addRect(QRectF(left, row, right - left, 1));
            }
        }
    }
    return pixels;
}

} // namespace kf::swf
