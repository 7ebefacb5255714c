#pragma once

#include "swf/render/PixelSpan.h"

#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRect>
#include <cstdint>
#include <vector>

namespace kf::swf {

// Decides which pixels an aliased fill lights: those whose centre lies inside the outline,
// a centre exactly on an edge counting for the pixel right of a left edge and below a top
// edge (edges are closed at the top and left, open at the bottom and right).
//
// QPainter rounds outline points to 1/64 pixel before it samples, which moves the edges of
// finely cut curves enough to flip single pixels. This takes points to 1/256 pixel and
// samples in whole numbers, so an edge through a centre (shapes are placed in twips, and
// 1/20 pixel often lands there) is found on it, not a rounding error to one side.
//
// A converter keeps its working memory between calls: a frame converts thousands of shapes.
class AliasedScanConverter {
public:
    // The lit pixels of `polygons` (each closed back to its first point) under `rule`, within
    // `bounds`, row by row from the top and left to right within a row. The spans stay valid
    // until the next call.
    const std::vector<PixelSpan>& convert(const QList<QPolygonF>& polygons, Qt::FillRule rule,
                                          const QRect& bounds);

    // The same pixels as whole-pixel rectangles: filling the result with any painter draws
    // exactly those pixels.
    static QPainterPath coveredPixels(const QList<QPolygonF>& polygons, Qt::FillRule rule,
                                      const QRect& bounds);
    static QPainterPath pathOf(const std::vector<PixelSpan>& spans);

    // Working memory, public only for the helpers that fill it.
    struct Edge {
        std::int64_t top = 0; // y of the upper end
        std::int64_t bottom = 0;
        std::int64_t xAtTop = 0;
        std::int64_t run = 0;  // x of the lower end minus x of the upper
        std::int64_t rise = 0; // bottom - top, always positive
        int winding = 1;       // +1 running down, -1 running up
        // While active: the first pixel at or right of the edge on the current row, and how
        // far (in units of `rise` / 256 pixels) past the crossing that pixel's centre lies.
        std::int64_t firstPixel = 0;
        std::int64_t remainder = 0;
    };
    struct Crossing {
        std::int64_t firstPixel = 0; // of those whose centre is at or right of the edge
        int winding = 0;
    };

private:
    std::vector<Edge> m_edges;
    std::vector<Edge*> m_active;
    std::vector<Crossing> m_crossings;
    std::vector<PixelSpan> m_spans;
};

} // namespace kf::swf
