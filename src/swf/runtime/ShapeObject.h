#pragma once

#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/ShapeCharacter.h"

#include <memory>

namespace kf::swf {

// An instance of a DefineShape character.
class ShapeObject : public DisplayObject {
public:
    ShapeObject(DisplayDepth depth, std::shared_ptr<const ShapeCharacter> character)
        : DisplayObject(depth, character->id()), m_character(std::move(character)) {}

    DisplayObjectKind kind() const override { return DisplayObjectKind::Shape; }
    const ShapeCharacter* shapeCharacter() const override { return m_character.get(); }

private:
    std::shared_ptr<const ShapeCharacter> m_character;
};

} // namespace kf::swf
