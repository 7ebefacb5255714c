#pragma once

#include "swf/format/Geometry.h"
#include "swf/format/Styles.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace kf::swf {

// STYLECHANGERECORD. Style indices are 1-based into the current arrays; 0 means none.
struct StyleChangeRecord {
    std::optional<Twips> moveToX; // set together with moveToY
    std::optional<Twips> moveToY;
    std::optional<std::uint32_t> fillStyle0;
    std::optional<std::uint32_t> fillStyle1;
    std::optional<std::uint32_t> lineStyle;
    // Present in DefineShape2 and later: replaces the current style arrays from here on.
    std::optional<FillStyleArray> newFillStyles;
    std::optional<LineStyleArray> newLineStyles;
    bool operator==(const StyleChangeRecord&) const = default;
};

// STRAIGHTEDGERECORD, relative to the current point.
struct StraightEdgeRecord {
    Twips deltaX;
    Twips deltaY;
    constexpr bool operator==(const StraightEdgeRecord&) const = default;
};

// CURVEDEDGERECORD: a quadratic Bezier, both deltas relative to the point before them.
struct CurvedEdgeRecord {
    Twips controlDeltaX;
    Twips controlDeltaY;
    Twips anchorDeltaX;
    Twips anchorDeltaY;
    constexpr bool operator==(const CurvedEdgeRecord&) const = default;
};

using ShapeRecord = std::variant<StyleChangeRecord, StraightEdgeRecord, CurvedEdgeRecord>;

// SHAPE (glyphs: no style arrays) and SHAPEWITHSTYLE.
struct Shape {
    FillStyleArray fillStyles;
    LineStyleArray lineStyles;
    std::vector<ShapeRecord> records; // without the end record
    bool operator==(const Shape&) const = default;
};

} // namespace kf::swf
