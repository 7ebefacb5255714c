#pragma once

#include "swf/avm1/Value.h"

#include <optional>
#include <string_view>

namespace kf::swf {
class DisplayObject;
}

namespace kf::swf::avm1 {

class Interpreter;

// The underscore properties of movie clips and buttons (_x, _alpha, _currentframe, ...), by
// name or by the number GetProperty and SetProperty use. Names ignore case in every version.
// Frame counts of objects without a timeline read as 1.
std::string_view clipPropertyName(int index);
std::optional<Value> getClipProperty(Interpreter& vm, DisplayObject& clip, std::string_view name);
// False when `name` is no clip property, so the caller stores a variable instead.
bool setClipProperty(Interpreter& vm, DisplayObject& clip, std::string_view name, const Value& value);

} // namespace kf::swf::avm1
