#pragma once

#include "swf/format/Geometry.h"

namespace kf::swf {

class DisplayObject;

// An axis-aligned box in twips; empty until something is added.
struct BoundingBox {
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    bool empty = true;

    void include(double x, double y);
    void include(const BoundingBox& other);
    bool contains(double x, double y) const;
    bool intersects(const BoundingBox& other) const;
    double width() const { return empty ? 0 : xMax - xMin; }
    double height() const { return empty ? 0 : yMax - yMin; }
    // The box around this one's corners mapped through `matrix`, on whole twips as Flash
    // Player keeps rectangles.
    BoundingBox transformed(const Matrix& matrix) const;
};

// Which extent of shapes to use: with strokes (getBounds, _width) or the edges only (getRect).
enum class BoundsKind : bool { WithStrokes, EdgesOnly };

// The object's extent in its own coordinates: its shape, glyphs or field box, or for a
// container the union of its children's boxes, each mapped into the container's space.
// Invisible children count, as they do for _width in Flash Player.
BoundingBox localBounds(const DisplayObject& object, BoundsKind kind = BoundsKind::WithStrokes);

// The object's extent seen through `matrix` (its local space to the space wanted).
BoundingBox boundsThrough(const DisplayObject& object, const Matrix& matrix,
                          BoundsKind kind = BoundsKind::WithStrokes);

} // namespace kf::swf
