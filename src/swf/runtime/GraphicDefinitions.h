#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"

#include <memory>
#include <vector>

namespace kf::swf {

class CharacterDictionary;

// The character a shape, bitmap or morph-shape definition makes, or null for any other tag.
// `tags` is the list the tag is in (DefineBits finds the movie's JPEGTables there);
// `dictionary` holds what was defined before, which the fills' bitmaps come from.
std::shared_ptr<const Character> makeGraphicCharacter(const Tag& tag, const std::vector<Tag>& tags,
                                                      const CharacterDictionary& dictionary);

} // namespace kf::swf
