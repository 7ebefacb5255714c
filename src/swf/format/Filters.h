#pragma once

#include "swf/format/Color.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace kf::swf {

struct DropShadowFilter {
    Rgba color;
    Fixed16 blurX, blurY, angle, distance;
    Fixed8 strength;
    bool innerShadow = false, knockout = false, compositeSource = true;
    std::uint8_t passes = 1;
    bool operator==(const DropShadowFilter&) const = default;
};

struct BlurFilter {
    Fixed16 blurX, blurY;
    std::uint8_t passes = 1;
    bool operator==(const BlurFilter&) const = default;
};

struct GlowFilter {
    Rgba color;
    Fixed16 blurX, blurY;
    Fixed8 strength;
    bool innerGlow = false, knockout = false, compositeSource = true;
    std::uint8_t passes = 1;
    bool operator==(const GlowFilter&) const = default;
};

struct BevelFilter {
    Rgba shadowColor, highlightColor;
    Fixed16 blurX, blurY, angle, distance;
    Fixed8 strength;
    bool innerShadow = false, knockout = false, compositeSource = true, onTop = false;
    std::uint8_t passes = 1;
    bool operator==(const BevelFilter&) const = default;
};

// GradientGlow and GradientBevel share their layout.
struct GradientFilterStop {
    Rgba color;
    std::uint8_t ratio = 0;
    bool operator==(const GradientFilterStop&) const = default;
};
struct GradientGlowFilter {
    std::vector<GradientFilterStop> stops;
    Fixed16 blurX, blurY, angle, distance;
    Fixed8 strength;
    bool innerShadow = false, knockout = false, compositeSource = true, onTop = false;
    std::uint8_t passes = 1;
    bool operator==(const GradientGlowFilter&) const = default;
};
struct GradientBevelFilter : GradientGlowFilter {
    bool operator==(const GradientBevelFilter&) const = default;
};

struct ConvolutionFilter {
    std::uint8_t matrixX = 0, matrixY = 0;
    float divisor = 1, bias = 0;
    std::vector<float> matrix;
    Rgba defaultColor;
    bool clamp = false, preserveAlpha = false;
    bool operator==(const ConvolutionFilter&) const = default;
};

struct ColorMatrixFilter {
    float matrix[20] = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
    bool operator==(const ColorMatrixFilter&) const = default;
};

// FILTER records in their file order (ids 0..7).
using Filter = std::variant<DropShadowFilter, BlurFilter, GlowFilter, BevelFilter, GradientGlowFilter,
                            ConvolutionFilter, ColorMatrixFilter, GradientBevelFilter>;

enum class BlendMode : std::uint8_t {
    Normal = 1, // 0 also means normal in the file
    Layer = 2,
    Multiply = 3,
    Screen = 4,
    Lighten = 5,
    Darken = 6,
    Difference = 7,
    Add = 8,
    Subtract = 9,
    Invert = 10,
    Alpha = 11,
    Erase = 12,
    Overlay = 13,
    HardLight = 14,
};

} // namespace kf::swf
