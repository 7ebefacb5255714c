#include "swf/runtime/DisplayBounds.h"

#include "swf/runtime/BitmapObject.h"

#include "swf/runtime/DisplayList.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/EditTextObject.h"
#include "swf/runtime/MorphShapeCharacter.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/TextCharacter.h"

#include <algorithm>
#include <cmath>

namespace kf::swf {

namespace {

BoundingBox fromRect(const Rect& rect) {
    BoundingBox box;
    box.include(rect.xMin.value, rect.yMin.value);
    box.include(rect.xMax.value, rect.yMax.value);
    return box;
}

// A morph's box moves between its key shapes' boxes as its ratio does.
BoundingBox morphBounds(const MorphShapeCharacter& morph, std::uint16_t ratio, BoundsKind kind) {
    if (!morph.definition().morph) {
        return {};
    }
    const MorphShape& definition = *morph.definition().morph;
    const Rect& start = kind == BoundsKind::EdgesOnly ? definition.startEdgeBounds : definition.startBounds;
    const Rect& end = kind == BoundsKind::EdgesOnly ? definition.endEdgeBounds : definition.endBounds;
    const double t = ratio / 65535.0;
    auto mix = [t](Twips from, Twips to) { return std::round(from.value + (to.value - from.value) * t); };
    BoundingBox box;
    box.include(mix(start.xMin, end.xMin), mix(start.yMin, end.yMin));
    box.include(mix(start.xMax, end.xMax), mix(start.yMax, end.yMax));
    return box;
}

} // namespace

void BoundingBox::include(double x, double y) {
    if (empty) {
        xMin = xMax = x;
        yMin = yMax = y;
        empty = false;
        return;
    }
    xMin = std::min(xMin, x);
    yMin = std::min(yMin, y);
    xMax = std::max(xMax, x);
    yMax = std::max(yMax, y);
}

void BoundingBox::include(const BoundingBox& other) {
    if (!other.empty) {
        include(other.xMin, other.yMin);
        include(other.xMax, other.yMax);
    }
}

bool BoundingBox::contains(double x, double y) const {
    return !empty && x >= xMin && x <= xMax && y >= yMin && y <= yMax;
}

bool BoundingBox::intersects(const BoundingBox& other) const {
    return !empty && !other.empty && xMin <= other.xMax && other.xMin <= xMax && yMin <= other.yMax &&
           other.yMin <= yMax;
}

BoundingBox BoundingBox::transformed(const Matrix& matrix) const {
    BoundingBox result;
    if (empty) {
        return result;
    }
    const double corners[4][2] = {{xMin, yMin}, {xMax, yMin}, {xMin, yMax}, {xMax, yMax}};
    for (const auto& corner : corners) {
        const double x = matrix.a * corner[0] + matrix.c * corner[1] + matrix.tx;
        const double y = matrix.b * corner[0] + matrix.d * corner[1] + matrix.ty;
        result.include(std::round(x), std::round(y));
    }
    return result;
}

BoundingBox localBounds(const DisplayObject& object, BoundsKind kind) {
    if (const ShapeCharacter* shape = object.shapeCharacter()) {
        return fromRect(kind == BoundsKind::EdgesOnly ? shape->definition().edgeBounds
                                                      : shape->definition().bounds);
    }
    if (const MorphShapeCharacter* morph = object.morphShapeCharacter()) {
        return morphBounds(*morph, object.ratio(), kind);
    }
    if (const TextCharacter* text = object.textCharacter()) {
        return fromRect(text->definition().bounds);
    }
    if (const EditTextObject* field = object.asEditText()) {
        return fromRect(field->settings().bounds);
    }
    BoundingBox box;
    if (const BitmapObject* bitmap = object.asBitmap()) {
        // A pixel is a unit of the clip's space, twenty twips.
        if (bitmap->surface()->width() > 0) {
            box.include(0, 0);
            box.include(bitmap->surface()->width() * 20.0, bitmap->surface()->height() * 20.0);
        }
        return box;
    }
    if (const DisplayList* children = object.children()) {
        for (const auto& [depth, child] : children->objects()) {
            box.include(localBounds(*child, kind).transformed(child->matrix()));
        }
    }
    return box;
}

BoundingBox boundsThrough(const DisplayObject& object, const Matrix& matrix, BoundsKind kind) {
    return localBounds(object, kind).transformed(matrix);
}

} // namespace kf::swf
