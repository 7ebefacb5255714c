#pragma once

#include "swf/avm1/Interpreter.h"

#include <vector>

namespace kf::swf::avm1 {

inline Value argument(const std::vector<Value>& arguments, std::size_t index) {
    return index < arguments.size() ? arguments[index] : Value();
}

} // namespace kf::swf::avm1
