#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"

#include <memory>
#include <vector>

namespace kf::swf {

class CharacterDictionary;

// The dictionary entry for a font, static text or edit text tag, or null for any other tag.
// Texts take the fonts `dictionary` already holds; a DefineFont takes the DefineFontInfo
// that names it in `tags`. `tags` must outlive the character.
std::shared_ptr<const Character> makeTextCharacter(const Tag& tag, const std::vector<Tag>& tags,
                                                   const CharacterDictionary& dictionary);

} // namespace kf::swf
