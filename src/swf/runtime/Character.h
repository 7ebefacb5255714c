#pragma once

#include "swf/format/Units.h"

#include <cstdint>

namespace kf::swf {

// The kinds of dictionary entries. Only shapes and sprites are instantiated so far; the
// others are listed so later kinds slot in without renumbering.
enum class CharacterKind : std::uint8_t { Shape, Sprite, Bitmap, Font, Text, Button, MorphShape, EditText };

// An entry of the movie's character dictionary: what a PlaceObject tag instantiates.
class Character {
public:
    Character() = default;
    virtual ~Character() = default;
    Character(const Character&) = delete;
    Character& operator=(const Character&) = delete;

    virtual CharacterKind kind() const = 0;
    virtual CharacterId id() const = 0;
};

} // namespace kf::swf
