#pragma once

#include <cstdint>

namespace kf::swf::avm1 {

// The volume and channel mix a Sound object sets for its timeline, in Flash Player's integer
// percentages. The values are kept as set, however far out of range: scripts read them back.
struct SoundSettings {
    std::int32_t volume = 100;
    std::int32_t leftToLeft = 100;
    std::int32_t leftToRight = 0;
    std::int32_t rightToRight = 100;
    std::int32_t rightToLeft = 0;

    // Panning right quietens the left channel, panning left the right one.
    void setPan(std::int32_t pan) {
        leftToRight = 0;
        rightToLeft = 0;
        if (pan >= 0) {
            leftToLeft = static_cast<std::int32_t>(100 - static_cast<std::int64_t>(pan));
            rightToRight = 100;
        } else {
            leftToLeft = 100;
            rightToRight = static_cast<std::int32_t>(100 + static_cast<std::int64_t>(pan));
        }
    }

    // Derived from the mix as Flash Player does: from the left channel unless it is exactly
    // 100, then from the right one; signs are dropped.
    std::int32_t pan() const {
        const auto magnitude = [](std::int32_t value) {
            return value < 0 ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
        };
        const std::int64_t result =
            leftToLeft == 100 ? magnitude(rightToRight) - 100 : 100 - magnitude(leftToLeft);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(result));
    }
};

} // namespace kf::swf::avm1
