#include "swf/runtime/TextDefinitions.h"

#include "swf/runtime/CharacterDictionary.h"
#include "swf/runtime/EditTextCharacter.h"
#include "swf/runtime/FontCharacter.h"
#include "swf/runtime/TextCharacter.h"

namespace kf::swf {

namespace {

const DefineFontInfoTag* infoFor(CharacterId font, const std::vector<Tag>& tags) {
    for (const Tag& tag : tags) {
        if (const auto* info = std::get_if<DefineFontInfoTag>(&tag.body); info && info->fontId == font) {
            return info;
        }
    }
    return nullptr;
}

std::shared_ptr<const FontCharacter> fontIn(const CharacterDictionary& dictionary, CharacterId id) {
    std::shared_ptr<const Character> character = dictionary.findShared(id);
    if (!character || character->kind() != CharacterKind::Font) {
        return nullptr;
    }
    return std::static_pointer_cast<const FontCharacter>(character);
}

} // namespace

std::shared_ptr<const Character> makeTextCharacter(const Tag& tag, const std::vector<Tag>& tags,
                                                   const CharacterDictionary& dictionary) {
    if (const auto* font = std::get_if<DefineFontTag>(&tag.body)) {
        return std::make_shared<FontCharacter>(*font, infoFor(font->id, tags));
    }
    if (const auto* text = std::get_if<DefineTextTag>(&tag.body)) {
        std::vector<std::shared_ptr<const FontCharacter>> fonts;
        std::shared_ptr<const FontCharacter> current;
        for (const TextRecord& record : text->records) {
            if (record.fontId) {
                current = fontIn(dictionary, *record.fontId);
            }
            fonts.push_back(current);
        }
        return std::make_shared<TextCharacter>(*text, std::move(fonts));
    }
    if (const auto* field = std::get_if<DefineEditTextTag>(&tag.body)) {
        return std::make_shared<EditTextCharacter>(*field, field->fontId ? fontIn(dictionary, *field->fontId)
                                                                         : nullptr);
    }
    return nullptr;
}

} // namespace kf::swf
