#pragma once

#include "swf/avm1/Value.h"

#include <cstdint>
#include <string>

namespace kf::swf {
class DisplayObject;
class SpriteObject;
} // namespace kf::swf

namespace kf::swf::avm1 {

class Interpreter;

// Scripts see display-list depths shifted down by 16384: the timeline's depth 1 is -16383,
// and script-made clips live from 0 up.
constexpr std::int32_t scriptDepthOffset = 16384;

// duplicateMovieClip and the CloneSprite action: a copy of `source` (same character,
// placement properties and clip events; not its variables or playhead) at a display-list
// depth, beside it in its parent. `initObject`'s properties land on the copy. Returns
// nullptr when the source is the main timeline or the depth is out of range.
SpriteObject* duplicateClip(Interpreter& vm, SpriteObject& source, const std::string& name,
                            std::int64_t listDepth, const Value& initObject);

// removeMovieClip and the RemoveSprite action: only clips at script depths 0 to 1048575 can
// be removed; timeline clips and those parked below stay.
void removeScriptClip(DisplayObject& clip);

// The clip's new instance joins the stage: initObject's properties, then (SWF 6 and later)
// its construct event, right away inside the calling script.
void initializeScriptClip(Interpreter& vm, SpriteObject& clip, const Value& initObject);

// Whether scripts reach `object` itself by name or depth: clips, text fields and, from SWF 6
// on, buttons. Any other object (a shape, static text, an older movie's button) answers as
// the clip that holds it.
bool isScriptAddressable(const DisplayObject& object, std::uint8_t swfVersion);

// Whether a display-list depth may hold a clip a script makes.
bool isScriptCreationDepth(std::int64_t listDepth);
// The narrower range for clips made from a symbol or a copy (attachMovie, duplicateMovieClip,
// CloneSprite): script depths from -16384 up; only createEmptyMovieClip goes lower.
bool isSymbolCreationDepth(std::int64_t listDepth);

// duplicateMovieClip, attachMovie, createEmptyMovieClip, removeMovieClip, swapDepths,
// getInstanceAtDepth and getNextHighestDepth on the MovieClip prototype.
void installMovieClipDepths(Interpreter& vm, Object& prototype);

} // namespace kf::swf::avm1
