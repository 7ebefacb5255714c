#pragma once

#include <string>

namespace kf::swf {

// The player-wide effects of scripts that the host carries out: render quality, sound
// output and the trace log.
class PlayerHost {
public:
    virtual ~PlayerHost() = default;
    virtual void toggleQuality() = 0;
    virtual void stopSounds() = 0;
    virtual void trace(const std::string& line) = 0;
};

} // namespace kf::swf
