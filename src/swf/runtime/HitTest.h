#pragma once

#include "swf/format/Geometry.h"

namespace kf::swf {

struct DefineShapeTag;
class DisplayList;
class DisplayObject;

// Whether a point (twips, in the shape's own space) is on the shape: inside one of its fills
// by the shape's fill rule (even-odd, or non-zero for DefineShape4 shapes that ask for it),
// or within half a line's width of a stroked edge. This is the test Flash Player applies to
// a button's hit area and to clips under the mouse, not a bounding box.
bool shapeContainsPoint(const DefineShapeTag& shape, double x, double y);

// Whether a point in stage twips lands on `object` drawn with `world` (its parent's world
// matrix times its own): its shape, or any visible child's. Masks do not count.
bool objectContainsPoint(const DisplayObject& object, const Matrix& world, double x, double y);

// The same for every object of a list whose parent draws with `parentWorld`.
bool listContainsPoint(const DisplayList& list, const Matrix& parentWorld, double x, double y);

} // namespace kf::swf
