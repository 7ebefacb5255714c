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
    // Scripts that paint bitmaps pixel by pixel legitimately run millions of actions in one
    // frame; the interpreter's time limit stops real hangs sooner where the clock runs.
    std::size_t maxActionsPerFrame = 20000000;
    // Each backward goto replays the timeline from frame 1; scripts bouncing between far
    // frames of a large movie would replay it thousands of times in one frame.
    std::size_t maxTagsReplayedPerFrame = 2000000;
    // loadMovie and loadVariables read at most this much of a file.
    std::size_t maxLoadedBytes = std::size_t{64} * 1024 * 1024;
};

} // namespace kf::swf
