#pragma once

#include "swf/runtime/PlayerHost.h"

namespace kf::swf {

class NullPlayerHost : public PlayerHost {
public:
    void toggleQuality() override {}
    void stopSounds() override {}
    void trace(const std::string&) override {}
};

} // namespace kf::swf
