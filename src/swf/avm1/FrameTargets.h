#pragma once

#include "swf/avm1/Value.h"

#include <optional>

namespace kf::swf {
class SpriteObject;
}

namespace kf::swf::avm1 {

class Interpreter;

// The frame a script names with a value, for gotoAndPlay, GotoFrame2 and WaitForFrame2:
// the 0-based index (possibly past the last frame), or nothing when no frame is named.
// `bias` is GotoFrame2's scene bias, added to frame numbers.
std::optional<int> frameForValue(Interpreter& vm, const SpriteObject& clip, const Value& where, int bias = 0);

// Sends `clip` to the frame `where` names; false (and no move) when it names none.
bool gotoFrameValue(Interpreter& vm, SpriteObject& clip, const Value& where, int bias = 0);

} // namespace kf::swf::avm1
