#pragma once

#include <string_view>

namespace kf::swf {

// ASCII-only case folding: instance names and labels are compared this way by AVM1 in
// movies before SWF 7; bytes above 127 are compared as they are.
bool equalsIgnoringCase(std::string_view left, std::string_view right);

} // namespace kf::swf
