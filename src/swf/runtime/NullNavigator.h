#pragma once

#include "swf/runtime/Navigator.h"

namespace kf::swf {

// For tools and tests that load movies without a browser or container.
class NullNavigator : public Navigator {
public:
    void getUrl(const std::string&, const std::string&) override {}
    void fsCommand(const std::string&, const std::string&) override {}
};

} // namespace kf::swf
