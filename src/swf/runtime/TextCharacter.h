#pragma once

#include "swf/format/TextTags.h"
#include "swf/runtime/Character.h"
#include "swf/runtime/FontCharacter.h"

#include <memory>
#include <vector>

namespace kf::swf {

// A DefineText or DefineText2 in the dictionary: glyph runs set in fonts defined before it.
class TextCharacter : public Character {
public:
    // `fonts` holds, per record of `definition`, the font that record selects (the last
    // one named at or before it), or null where it names none the dictionary has.
    TextCharacter(const DefineTextTag& definition, std::vector<std::shared_ptr<const FontCharacter>> fonts)
        : m_definition(definition), m_fonts(std::move(fonts)) {}

    CharacterKind kind() const override { return CharacterKind::Text; }
    CharacterId id() const override { return m_definition.id; }

    const DefineTextTag& definition() const { return m_definition; }
    const FontCharacter* fontOf(std::size_t record) const {
        return record < m_fonts.size() ? m_fonts[record].get() : nullptr;
    }

    // Owned and interpreted by the render library only.
    mutable std::shared_ptr<void> renderCache;

private:
    const DefineTextTag& m_definition;
    std::vector<std::shared_ptr<const FontCharacter>> m_fonts;
};

} // namespace kf::swf
