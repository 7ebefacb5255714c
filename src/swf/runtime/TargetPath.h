#pragma once

#include <string_view>

namespace kf::swf {

class DisplayObject;
class SpriteObject;

// Resolves a SWF 3 target path from `base`: slash syntax ("/menu/button", "../other",
// "child"), the _root, _parent and _levelN names, and dots ("_root.menu") as later
// versions write them. Returns nullptr when any step is missing.
DisplayObject* resolveTargetPath(std::string_view path, SpriteObject& base, SpriteObject& root,
                                 bool caseSensitive);

} // namespace kf::swf
