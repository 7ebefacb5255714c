#pragma once

#include <string>

namespace kf::swf {
class SpriteObject;
}

namespace kf::swf::avm1 {

class Interpreter;
class Object;

// getURL and GetURL2 as loads: a "_levelN" window, or with `windowIsTarget` (GetURL2's
// loadTarget flag) a clip path, receives the movie; `variables` loads url-encoded
// variables there instead. `base` is the timeline a relative path starts from. False when
// the window names no level and the call is an ordinary getURL.
bool requestScriptLoad(Interpreter& vm, SpriteObject* base, const std::string& url, const std::string& window,
                       bool windowIsTarget, bool variables);

// MovieClip.loadMovie, unloadMovie and loadVariables, and the global functions loadMovie,
// loadMovieNum, unloadMovie, unloadMovieNum, loadVariables and loadVariablesNum.
void installMovieClipLoading(Interpreter& vm, Object& prototype);

} // namespace kf::swf::avm1
