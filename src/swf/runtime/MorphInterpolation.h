#pragma once

#include "swf/format/Tags.h"

#include <cstdint>

namespace kf::swf {

// The shape a morph shows at `ratio` (0 is the start shape, 65535 the end shape): points,
// matrices, colours, widths and gradient stops taken proportionally between the two ends.
// An edge that is straight at one end and curved at the other becomes a curve whose control
// point lies midway along the straight one. Points are rounded to whole twips from their
// absolute positions, so the rounding never accumulates along a contour.
DefineShapeTag interpolateMorph(const DefineMorphShapeTag& morph, std::uint16_t ratio);

// The in-between of two fill styles of the same type, `t` from 0 (start) to 1 (end).
FillStyle interpolateFill(const FillStyle& start, const FillStyle& end, double t);

} // namespace kf::swf
