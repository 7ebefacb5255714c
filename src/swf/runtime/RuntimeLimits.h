#pragma once

#include <cstddef>

namespace kf::swf {

// Bounds that keep a hostile or broken movie from hanging or exhausting the player.
struct RuntimeLimits {
    // A sprite that places itself, directly or through others, would nest forever.
    int maxNesting = 64;
    // Sprites placing several copies of sprites that do the same grow exponentially.
    std::size_t maxObjects = 200000;
    // Frame scripts that goto each other would run forever within one frame.
    std::size_t maxScriptsPerFrame = 10000;
    std::size_t maxActionsPerFrame = 1000000;
};

} // namespace kf::swf
