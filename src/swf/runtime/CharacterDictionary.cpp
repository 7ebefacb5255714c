#include "swf/runtime/CharacterDictionary.h"

#include "swf/runtime/ButtonCharacter.h"
#include "swf/runtime/GraphicDefinitions.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/SpriteCharacter.h"
#include "swf/runtime/TextDefinitions.h"

namespace kf::swf {

void CharacterDictionary::addDefinitions(const std::vector<Tag>& tags) {
    for (const Tag& tag : tags) {
        if (auto graphic = makeGraphicCharacter(tag, tags, *this)) {
            add(std::move(graphic));
        } else if (auto text = makeTextCharacter(tag, tags, *this)) {
            add(std::move(text));
        } else if (auto button = makeButtonCharacter(tag, tags)) {
            add(std::move(button));
        } else if (const auto* sprite = std::get_if<DefineSpriteTag>(&tag.body)) {
            add(std::make_shared<SpriteCharacter>(*sprite));
            // Definitions inside a sprite are invalid but occur; the reader bounds their nesting.
            addDefinitions(sprite->tags);
        }
    }
}

const Character* CharacterDictionary::find(CharacterId id) const {
    auto found = m_characters.find(id.value);
    return found == m_characters.end() ? nullptr : found->second.get();
}

std::shared_ptr<const Character> CharacterDictionary::findShared(CharacterId id) const {
    auto found = m_characters.find(id.value);
    return found == m_characters.end() ? nullptr : found->second;
}

void CharacterDictionary::add(std::shared_ptr<const Character> character) {
    m_characters.try_emplace(character->id().value, std::move(character));
}

} // namespace kf::swf
