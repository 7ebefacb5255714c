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

using Edge = AliasedScanConverter::Edge;
using Crossing = AliasedScanConverter::Crossing;

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

std::int64_t floorDivide(std::int64_t numerator, std::int64_t denominator) {
    // denominator > 0
    const std::int64_t quotient = numerator / denominator;
    return quotient - ((numerator % denominator) < 0 ? 1 : 0);
}

// Starts an edge on the row sampled at `sampleY`. The edge crosses it at
// xAtTop + (sampleY - top) * run / rise; the first centre at or right of that, in whole
// arithmetic, is the numerator below over 256 * rise, rounded up.
void startEdge(Edge& edge, std::int64_t sampleY) {
    const std::int64_t numerator =
        edge.xAtTop * edge.rise + (sampleY - edge.top) * edge.run - halfPixel * edge.rise;
    const std::int64_t denominator = unitsPerPixel * edge.rise;
    edge.firstPixel = ceilDivide(numerator, denominator);
    edge.remainder = edge.firstPixel * denominator - numerator;
}

// Moves an edge one row down: the numerator grows by 256 * run, split here into whole
// pixels and a remainder so no row divides.
void stepEdge(Edge& edge) {
    const std::int64_t denominator = unitsPerPixel * edge.rise;
    const std::int64_t step = unitsPerPixel * edge.run;
    const std::int64_t wholeSteps = floorDivide(step, denominator);
    const std::int64_t partSteps = step - wholeSteps * denominator;
    edge.firstPixel += wholeSteps;
    edge.remainder -= partSteps;
    if (edge.remainder < 0) {
        edge.remainder += denominator;
        ++edge.firstPixel;
    }
}

// Rows cross few edges, in nearly the same order row after row.
void insertionSort(std::vector<Crossing>& crossings) {
    for (std::size_t index = 1; index < crossings.size(); ++index) {
        const Crossing moving = crossings[index];
        std::size_t place = index;
        while (place > 0 && moving.firstPixel < crossings[place - 1].firstPixel) {
            crossings[place] = crossings[place - 1];
            --place;
        }
        crossings[place] = moving;
    }
}

// The first pixel (row or column) whose centre is at or past `units`.
std::int64_t firstPixelFrom(std::int64_t units) {
    return ceilDivide(units - halfPixel, unitsPerPixel);
}

} // namespace

const std::vector<PixelSpan>& AliasedScanConverter::convert(const QList<QPolygonF>& polygons,
                                                            Qt::FillRule rule, const QRect& bounds) {
    m_spans.clear();
    m_edges.clear();
    for (const QPolygonF& polygon : polygons) {
        collectEdges(polygon, m_edges);
    }
    if (m_edges.empty() || bounds.isEmpty()) {
        return m_spans;
    }
    std::sort(m_edges.begin(), m_edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
    std::int64_t lowest = m_edges.front().bottom;
    for (const Edge& edge : m_edges) {
        lowest = std::max(lowest, edge.bottom);
    }
    const int firstRow = static_cast<int>(
        std::clamp<std::int64_t>(firstPixelFrom(m_edges.front().top), bounds.top(), bounds.bottom() + 1));
    const int lastRow = static_cast<int>(
        std::clamp<std::int64_t>(firstPixelFrom(lowest) - 1, bounds.top() - 1, bounds.bottom()));

    m_active.clear();
    std::size_t next = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        const std::int64_t sampleY = row * unitsPerPixel + halfPixel;
        while (next < m_edges.size() && m_edges[next].top <= sampleY) {
            startEdge(m_edges[next], sampleY);
            m_active.push_back(&m_edges[next]);
            ++next;
        }
        std::erase_if(m_active, [sampleY](const Edge* edge) { return edge->bottom <= sampleY; });
        m_crossings.clear();
        for (Edge* edge : m_active) {
            m_crossings.push_back(Crossing{edge->firstPixel, edge->winding});
            stepEdge(*edge);
        }
        insertionSort(m_crossings);
        int winding = 0;
        for (std::size_t index = 0; index + 1 < m_crossings.size(); ++index) {
            winding += rule == Qt::OddEvenFill ? 1 : m_crossings[index].winding;
            const bool inside = rule == Qt::OddEvenFill ? (winding & 1) != 0 : winding != 0;
            if (!inside) {
                continue;
            }
            const std::int64_t left = std::max<std::int64_t>(bounds.left(), m_crossings[index].firstPixel);
            const std::int64_t right =
                std::min<std::int64_t>(bounds.right() + 1, m_crossings[index + 1].firstPixel);
            if (left >= right) {
                continue;
            }
            // Crossings at the same place leave spans that touch: they are one run.
            if (!m_spans.empty() && m_spans.back().y == row &&
                m_spans.back().x + m_spans.back().length == left) {
                m_spans.back().length += static_cast<int>(right - left);
            } else {
                m_spans.push_back(PixelSpan{row, static_cast<int>(left), static_cast<int>(right - left)});
            }
        }
    }
    return m_spans;
}

QPainterPath AliasedScanConverter::coveredPixels(const QList<QPolygonF>& polygons, Qt::FillRule rule,
                                                 const QRect& bounds) {
    AliasedScanConverter converter;
    return pathOf(converter.convert(polygons, rule, bounds));
}

QPainterPath AliasedScanConverter::pathOf(const std::vector<PixelSpan>& spans) {
    QPainterPath pixels;
    pixels.setFillRule(Qt::WindingFill);
    for (const PixelSpan& span : spans) {
        pixels.addRect(QRectF(span.x, span.y, span.length, 1));
    }
    return pixels;
}

} // namespace kf::swf
