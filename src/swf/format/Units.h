#pragma once

#include <compare>
#include <cstdint>

namespace kf::swf {

// A length in twentieths of a pixel, the unit of every SWF coordinate.
struct Twips {
    std::int32_t value = 0;

    static constexpr int perPixel = 20;
    static constexpr Twips fromPixels(double pixels) {
        return Twips{static_cast<std::int32_t>(pixels * perPixel + (pixels >= 0 ? 0.5 : -0.5))};
    }
    constexpr double toPixels() const { return static_cast<double>(value) / perPixel; }

    constexpr auto operator<=>(const Twips&) const = default;
    constexpr Twips operator+(Twips other) const { return Twips{value + other.value}; }
    constexpr Twips operator-(Twips other) const { return Twips{value - other.value}; }
};

// Signed 8.8 fixed point (frame rate, colour-transform terms in some records, focal point).
struct Fixed8 {
    std::int16_t raw = 0;

    static constexpr Fixed8 fromDouble(double number) {
        return Fixed8{static_cast<std::int16_t>(number * 256.0 + (number >= 0 ? 0.5 : -0.5))};
    }
    constexpr double toDouble() const { return raw / 256.0; }
    constexpr auto operator<=>(const Fixed8&) const = default;
};

// Unsigned 8.8 as used by the header's frame rate.
struct UFixed8 {
    std::uint16_t raw = 0;

    static constexpr UFixed8 fromDouble(double number) {
        return UFixed8{static_cast<std::uint16_t>(number * 256.0 + 0.5)};
    }
    constexpr double toDouble() const { return raw / 256.0; }
    constexpr auto operator<=>(const UFixed8&) const = default;
};

// Signed 16.16 fixed point (matrix scale and rotate terms, filter parameters).
struct Fixed16 {
    std::int32_t raw = 0;

    static constexpr Fixed16 fromDouble(double number) {
        return Fixed16{static_cast<std::int32_t>(number * 65536.0 + (number >= 0 ? 0.5 : -0.5))};
    }
    constexpr double toDouble() const { return raw / 65536.0; }
    constexpr auto operator<=>(const Fixed16&) const = default;
};

// Identifier of an entry in the movie's character dictionary.
struct CharacterId {
    std::uint16_t value = 0;
    constexpr auto operator<=>(const CharacterId&) const = default;
};

// Position in a display list; higher depths are drawn above lower ones.
struct Depth {
    std::uint16_t value = 0;
    constexpr auto operator<=>(const Depth&) const = default;
};

} // namespace kf::swf
