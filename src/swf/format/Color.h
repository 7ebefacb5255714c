#pragma once

#include <algorithm>
#include <cstdint>

namespace kf::swf {

// Straight (not premultiplied) colour as stored in the file. RGB records read alpha 255.
struct Rgba {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;

    constexpr bool operator==(const Rgba&) const = default;
};

// CXFORM / CXFORMWITHALPHA. Multipliers are 8.8 fixed point (256 = unchanged);
// additions are added after multiplying, in 0..255 colour units.
struct ColorTransform {
    std::int16_t redMultiplier = 256;
    std::int16_t greenMultiplier = 256;
    std::int16_t blueMultiplier = 256;
    std::int16_t alphaMultiplier = 256;
    std::int16_t redAddition = 0;
    std::int16_t greenAddition = 0;
    std::int16_t blueAddition = 0;
    std::int16_t alphaAddition = 0;

    constexpr bool operator==(const ColorTransform&) const = default;

    constexpr bool isIdentity() const { return *this == ColorTransform{}; }

    constexpr Rgba apply(Rgba color) const {
        auto channel = [](int value, int multiplier, int addition) {
            return static_cast<std::uint8_t>(std::clamp(value * multiplier / 256 + addition, 0, 255));
        };
        return Rgba{channel(color.red, redMultiplier, redAddition),
                    channel(color.green, greenMultiplier, greenAddition),
                    channel(color.blue, blueMultiplier, blueAddition),
                    channel(color.alpha, alphaMultiplier, alphaAddition)};
    }

    // The transform of a child seen through its parent's: parent applied after this.
    constexpr ColorTransform concatenated(const ColorTransform& parent) const {
        auto multiply = [](int inner, int outer) { return static_cast<std::int16_t>(inner * outer / 256); };
        auto add = [](int innerAddition, int outerMultiplier, int outerAddition) {
            return static_cast<std::int16_t>(
                std::clamp(innerAddition * outerMultiplier / 256 + outerAddition, -32768, 32767));
        };
        return ColorTransform{multiply(redMultiplier, parent.redMultiplier),
                              multiply(greenMultiplier, parent.greenMultiplier),
                              multiply(blueMultiplier, parent.blueMultiplier),
                              multiply(alphaMultiplier, parent.alphaMultiplier),
                              add(redAddition, parent.redMultiplier, parent.redAddition),
                              add(greenAddition, parent.greenMultiplier, parent.greenAddition),
                              add(blueAddition, parent.blueMultiplier, parent.blueAddition),
                              add(alphaAddition, parent.alphaMultiplier, parent.alphaAddition)};
    }
};

} // namespace kf::swf
