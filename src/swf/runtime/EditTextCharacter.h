#pragma once

#include "swf/format/TextTags.h"
#include "swf/runtime/Character.h"
#include "swf/runtime/FontCharacter.h"

#include <memory>

namespace kf::swf {

// A DefineEditText in the dictionary, with the embedded font it names when there is one.
// Every instance starts from it and then keeps its own text and properties.
class EditTextCharacter : public Character {
public:
    EditTextCharacter(const DefineEditTextTag& definition, std::shared_ptr<const FontCharacter> font)
        : m_definition(definition), m_font(std::move(font)) {}

    CharacterKind kind() const override { return CharacterKind::EditText; }
    CharacterId id() const override { return m_definition.id; }

    const DefineEditTextTag& definition() const { return m_definition; }
    const std::shared_ptr<const FontCharacter>& font() const { return m_font; }

private:
    const DefineEditTextTag& m_definition;
    std::shared_ptr<const FontCharacter> m_font;
};

} // namespace kf::swf
