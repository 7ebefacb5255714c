#pragma once

#include "swf/format/Boxed.h"
#include "swf/format/Geometry.h"
#include "swf/format/ShapeRecords.h"
#include "swf/format/Styles.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <vector>

namespace kf::swf {

// MORPHFILLSTYLE as two fill styles of the same type: what the shape shows at ratio 0 and
// at ratio 65535. Gradients have as many records at both ends.
struct MorphFillStyle {
    FillStyle start;
    FillStyle end;
    bool operator==(const MorphFillStyle&) const = default;
};

// MORPHLINESTYLE and MORPHLINESTYLE2 as two line styles; only width and colour (or the
// fill of a LINESTYLE2 with a fill) differ between the ends.
struct MorphLineStyle {
    LineStyle start;
    LineStyle end;
    bool operator==(const MorphLineStyle&) const = default;
};

// Everything a DefineMorphShape holds but its id. The end edges repeat the start edges one
// for one, with no style changes beyond moves.
struct MorphShape {
    Rect startBounds;
    Rect endBounds;
    Rect startEdgeBounds; // version 2; otherwise equal to the bounds
    Rect endEdgeBounds;
    bool usesNonScalingStrokes = false;
    bool usesScalingStrokes = false;
    std::vector<MorphFillStyle> fillStyles;
    std::vector<MorphLineStyle> lineStyles;
    ShapeRecordArray startRecords;
    ShapeRecordArray endRecords;
    bool operator==(const MorphShape&) const = default;
};

// DefineMorphShape (1) and DefineMorphShape2 (2, LINESTYLE2 and edge bounds). The body sits
// behind a pointer: it is larger than every other tag and a movie holds few of them.
struct DefineMorphShapeTag {
    CharacterId id;
    std::uint8_t version = 1;
    Boxed<MorphShape> morph;
    bool operator==(const DefineMorphShapeTag&) const = default;
};

} // namespace kf::swf
