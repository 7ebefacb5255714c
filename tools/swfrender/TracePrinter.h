#pragma once

#include "swf/runtime/PlayerHost.h"

#include <cstdio>

namespace kf::swf {

// Prints the movie's trace() lines on stdout when asked to; ignores everything else a
// script may ask of the host, since a still image has no sound or quality switch.
class TracePrinter : public PlayerHost {
public:
    explicit TracePrinter(bool enabled) : m_enabled(enabled) {}

    void toggleQuality() override {}
    void stopSounds() override {}
    void trace(const std::string& line) override {
        if (m_enabled) {
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
        }
    }

private:
    bool m_enabled;
};

} // namespace kf::swf
