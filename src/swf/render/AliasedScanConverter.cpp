#include "swf/render/AliasedScanConverter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kf::swf {

namespace {

// Points are taken in 1/256 pixel. Products of two such coordinates then fit in 64 bits
// for points up to 2^22 pixels from the origin, and every tie is decided exactly.
constexpr std::int64_t unitsPerPixel = 256;
constexpr std::int64_t halfPixel = unitsPerPixel / 2;
constexpr double farthest = static_cast<double>(1 << 22) * unitsPerPixel;

struct Edge {
    std::int64_t top = 0; // y of the upper end
    std::int64_t bottom = 0;
    std::int64_t xAtTop = 0;
    std::int64_t run = 0;  // x of the lower end minus x of the upper
    std::int64_t rise = 0; // bottom - top, always positive
    int winding = 1;       // +1 running down, -1 running up
};

struct Crossing {
    std::int64_t firstPixel = 0; // of those whose centre is at or right of the edge
    int winding = 0;
    bool operator<(const Crossing& other) const { return firstPixel < other.firstPixel; }
};

std::int64_t toUnits(double pixels) {
    return std::llround(std::clamp(pixels * unitsPerPixel, -farthest, farthest));
}

std::int64_t ceilDivide(std::int64_t numerator, std::int64_t denominator) {
    // denominator > 0
    const std::int64_t quotient = numerator / denominator;
    return quotient + ((numerator % denominator) > 0 ? 1 : 0);
}

void collectEdges(const QPolygonF& polygon, std::vector<Edge>& edges) {
    const qsizetype count = polygon.size();
    for (qsizetype index = 0; index < count; ++index) {
        const QPointF& from = polygon[index];
        const QPointF& to = polygon[(index + 1) % count];
        if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) ||
            !std::isfinite(to.y())) {
            continue;
        }
        const std::int64_t fromX = toUnits(from.x());
        const std::int64_t fromY = toUnits(from.y());
        const std::int64_t toX = toUnits(to.x());
        const std::int64_t toY = toUnits(to.y());
        if (fromY == toY) {
            continue;
        }
        const bool down = fromY < toY;
        edges.push_back(down ? Edge{fromY, toY, fromX, toX - fromX, toY - fromY, 1}
                             : Edge{toY, fromY, toX, fromX - toX, fromY - toY, -1});
    }
}

// The first pixel (row or column) whose centre is at or past `units`.
std::int64_t firstPixelFrom(std::int64_t units) {
    return ceilDivide(units - halfPixel, unitsPerPixel);
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
    std::int64_t lowest = edges.front().bottom;
    for (const Edge& edge : edges) {
        lowest = std::max(lowest, edge.bottom);
    }
    const int firstRow = static_cast<int>(
        std::clamp<std::int64_t>(firstPixelFrom(edges.front().top), bounds.top(), bounds.bottom() + 1));
    const int lastRow = static_cast<int>(
        std::clamp<std::int64_t>(firstPixelFrom(lowest) - 1, bounds.top() - 1, bounds.bottom()));

    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        const std::int64_t sampleY = row * unitsPerPixel + halfPixel;
        while (next < edges.size() && edges[next].top <= sampleY) {
            active.push_back(&edges[next]);
            ++next;
        }
        std::erase_if(active, [sampleY](const Edge* edge) { return edge->bottom <= sampleY; });
        crossings.clear();
        for (const Edge* edge : active) {
            // The edge crosses the row at xAtTop + (sampleY - top) * run / rise; the first
            // centre at or right of that, in whole arithmetic.
            const std::int64_t numerator =
                edge->xAtTop * edge->rise + (sampleY - edge->top) * edge->run - halfPixel * edge->rise;
            crossings.push_back(Crossing{ceilDivide(numerator, unitsPerPixel * edge->rise), edge->winding});
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (std::size_t index = 0; index + 1 < crossings.size(); ++index) {
            winding += rule == Qt::OddEvenFill ? 1 : crossings[index].winding;
            const bool inside = rule == Qt::OddEvenFill ? (winding & 1) != 0 : winding != 0;
            if (!inside) {
                continue;
            }
            const std::int64_t left = std::max<std::int64_t>(bounds.left(), crossings[index].firstPixel);
            const std::int64_t right =
                std::min<std::int64_t>(bounds.right() + 1, crossings[index + 1].firstPixel);
            if (left < right) {
                pixels.addRect(QRectF(static_cast<double>(left), row, static_cast<double>(right - left), 1));
            }
        }
    }
    return pixels;
}

} // namespace kf::swf
