#pragma once

#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/TextCharacter.h"

#include <memory>

namespace kf::swf {

// An instance of a DefineText character: fixed glyph runs.
class StaticTextObject : public DisplayObject {
public:
    StaticTextObject(DisplayDepth depth, std::shared_ptr<const TextCharacter> character)
        : DisplayObject(depth, character->id()), m_character(std::move(character)) {}

    DisplayObjectKind kind() const override { return DisplayObjectKind::Text; }
    const TextCharacter* textCharacter() const override { return m_character.get(); }

private:
    std::shared_ptr<const TextCharacter> m_character;
};

} // namespace kf::swf
