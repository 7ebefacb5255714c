#pragma once

#include "swf/format/Boxed.h"
#include "swf/format/Geometry.h"
#include "swf/format/MovieAllocator.h"
#include "swf/format/Styles.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace kf::swf {

// The style arrays a StyleChangeRecord of DefineShape2 and later brings in: they replace the
// current arrays from that record on.
struct ShapeStyles {
    FillStyleArray fillStyles;
    LineStyleArray lineStyles;
    bool operator==(const ShapeStyles&) const = default;
};

// STYLECHANGERECORD. Style indices are 1-based into the current arrays; 0 means none.
//
// A shape holds one of these per move or style switch among its edges, so the optional parts
// are packed behind accessors (a flag byte and the values) and the new style arrays, which few
// records have, sit behind one pointer: the record takes 24 bytes instead of over a hundred.
// Indices are at most 15 bits wide in the file, so 16 bits hold them.
struct StyleChangeRecord {
    Boxed<ShapeStyles> newStyles;

    bool hasMoveTo() const { return (m_present & movePresent) != 0; }
    std::optional<Twips> moveToX() const { return hasMoveTo() ? std::optional(m_moveToX) : std::nullopt; }
    std::optional<Twips> moveToY() const { return hasMoveTo() ? std::optional(m_moveToY) : std::nullopt; }
    std::optional<std::uint32_t> fillStyle0() const { return index(fill0Present, m_fillStyle0); }
    std::optional<std::uint32_t> fillStyle1() const { return index(fill1Present, m_fillStyle1); }
    std::optional<std::uint32_t> lineStyle() const { return index(linePresent, m_lineStyle); }

    void setMoveTo(Twips x, Twips y) {
        m_moveToX = x;
        m_moveToY = y;
        m_present |= movePresent;
    }
    void setFillStyle0(std::uint32_t index) { set(fill0Present, m_fillStyle0, index); }
    void setFillStyle1(std::uint32_t index) { set(fill1Present, m_fillStyle1, index); }
    void setLineStyle(std::uint32_t index) { set(linePresent, m_lineStyle, index); }

    bool operator==(const StyleChangeRecord&) const = default;

private:
    static constexpr std::uint8_t movePresent = 1;
    static constexpr std::uint8_t fill0Present = 2;
    static constexpr std::uint8_t fill1Present = 4;
    static constexpr std::uint8_t linePresent = 8;

    std::optional<std::uint32_t> index(std::uint8_t flag, std::uint16_t value) const {
        return (m_present & flag) != 0 ? std::optional<std::uint32_t>(value) : std::nullopt;
    }
    void set(std::uint8_t flag, std::uint16_t& member, std::uint32_t value) {
        member = static_cast<std::uint16_t>(value);
        m_present |= flag;
    }

    // Absent parts stay zero, so the defaulted == compares only what is present.
    Twips m_moveToX;
    Twips m_moveToY;
    std::uint16_t m_fillStyle0 = 0;
    std::uint16_t m_fillStyle1 = 0;
    std::uint16_t m_lineStyle = 0;
    std::uint8_t m_present = 0;
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
using ShapeRecordArray = std::vector<ShapeRecord, MovieAllocator<ShapeRecord>>;

// SHAPE (glyphs: no style arrays) and SHAPEWITHSTYLE.
struct Shape {
    FillStyleArray fillStyles;
    LineStyleArray lineStyles;
    ShapeRecordArray records; // without the end record
    bool operator==(const Shape&) const = default;
};

} // namespace kf::swf
