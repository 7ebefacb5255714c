#pragma once

#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/MorphShapeCharacter.h"

#include <memory>

namespace kf::swf {

// An instance of a DefineMorphShape character; its ratio() (from PlaceObject, changed by
// later moves) says how far between the start and end shapes it is drawn.
class MorphShapeObject : public DisplayObject {
public:
    MorphShapeObject(DisplayDepth depth, std::shared_ptr<const MorphShapeCharacter> character)
        : DisplayObject(depth, character->id()), m_character(std::move(character)) {}

    DisplayObjectKind kind() const override { return DisplayObjectKind::MorphShape; }
    const MorphShapeCharacter* morphShapeCharacter() const override { return m_character.get(); }

private:
    std::shared_ptr<const MorphShapeCharacter> m_character;
};

} // namespace kf::swf
