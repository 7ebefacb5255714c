#pragma once

#include "swf/format/Boxed.h"
#include "swf/format/Color.h"
#include "swf/format/Geometry.h"
#include "swf/format/MovieAllocator.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <vector>

namespace kf::swf {

enum class SpreadMode : std::uint8_t { Pad = 0, Reflect = 1, Repeat = 2 };
enum class InterpolationMode : std::uint8_t { Normal = 0, Linear = 1 };

struct GradientRecord {
    std::uint8_t ratio = 0;
    Rgba color;
    constexpr bool operator==(const GradientRecord&) const = default;
};

// A movie's arrays live in its arena (MovieAllocator); arrays made in code use the heap.
using GradientRecordArray = std::vector<GradientRecord, MovieAllocator<GradientRecord>>;

// GRADIENT and FOCALGRADIENT. The gradient square spans -16384..16384 twips before `matrix`.
struct Gradient {
    GradientRecordArray records;
    Fixed8 focalPoint; // only meaningful for focal radial gradients, -1..1
    SpreadMode spread = SpreadMode::Pad;
    InterpolationMode interpolation = InterpolationMode::Normal;
    bool operator==(const Gradient&) const = default;
};

enum class FillType : std::uint8_t {
    Solid = 0x00,
    LinearGradient = 0x10,
    RadialGradient = 0x12,
    FocalRadialGradient = 0x13,
    RepeatingBitmap = 0x40,
    ClippedBitmap = 0x41,
    NonSmoothedRepeatingBitmap = 0x42,
    NonSmoothedClippedBitmap = 0x43,
};

constexpr bool isGradientFill(FillType type) {
    return type == FillType::LinearGradient || type == FillType::RadialGradient ||
           type == FillType::FocalRadialGradient;
}
constexpr bool isBitmapFill(FillType type) {
    return static_cast<std::uint8_t>(type) >= 0x40 && static_cast<std::uint8_t>(type) <= 0x43;
}

// FILLSTYLE. Only the members of `type` are meaningful.
struct FillStyle {
    FillType type = FillType::Solid;
    Rgba color;           // Solid
    Matrix matrix;        // gradients and bitmaps
    Gradient gradient;    // gradients
    CharacterId bitmapId; // bitmaps; 0xFFFF means "no bitmap"
    bool operator==(const FillStyle&) const = default;
};

enum class CapStyle : std::uint8_t { Round = 0, None = 1, Square = 2 };
enum class JoinStyle : std::uint8_t { Round = 0, Bevel = 1, Miter = 2 };

// LINESTYLE and LINESTYLE2 in one shape. For LINESTYLE the extra members keep their defaults.
struct LineStyle {
    std::uint16_t width = 0; // twips; 0 draws a hairline
    Rgba color;
    CapStyle startCap = CapStyle::Round;
    CapStyle endCap = CapStyle::Round;
    JoinStyle join = JoinStyle::Round;
    bool noHorizontalScale = false;
    bool noVerticalScale = false;
    bool pixelHinting = false;
    bool noClose = false;
    Fixed8 miterLimit = Fixed8::fromDouble(3.0);
    // LINESTYLE2 with HasFillFlag: the stroke is painted with this fill. Rare, so boxed: a
    // line style is a few bytes of fields otherwise.
    Boxed<FillStyle> fill;
    bool operator==(const LineStyle&) const = default;
};

using FillStyleArray = std::vector<FillStyle, MovieAllocator<FillStyle>>;
using LineStyleArray = std::vector<LineStyle, MovieAllocator<LineStyle>>;

} // namespace kf::swf
