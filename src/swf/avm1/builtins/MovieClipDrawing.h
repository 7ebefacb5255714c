#pragma once

namespace kf::swf::avm1 {

class Interpreter;
class Object;

// The drawing API of MovieClip (beginFill, lineStyle, lineTo and the rest) on `prototype`.
void installMovieClipDrawing(Interpreter& vm, Object& prototype);

} // namespace kf::swf::avm1
