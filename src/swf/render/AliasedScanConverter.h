#pragma once

#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRect>

namespace kf::swf {

// Decides which pixels an aliased fill lights: those whose centre lies inside the outline,
// a centre exactly on an edge counting for the pixel right of a left edge and below a top
// edge (edges are closed at the top and left, open at the bottom and right).
//
// QPainter rounds outline points to 1/64 pixel before it samples, which moves the edges of
// finely cut curves enough to flip single pixels. This takes points to 1/256 pixel and
// samples in whole numbers, so an edge through a centre (shapes are placed in twips, and
// 1/20 pixel often lands there) is found on it, not a rounding error to one side.
class AliasedScanConverter {
public:
    // The lit pixels of `polygons` (each closed back to its first point) under `rule`, within
    // `bounds`, as whole-pixel rectangles. Filling the result with any painter draws exactly
    // those pixels.
    static QPainterPath coveredPixels(const QList<QPolygonF>& polygons, Qt::FillRule rule,
                                      const QRect& bounds);
};

} // namespace kf::swf
