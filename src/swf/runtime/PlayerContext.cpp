#include "swf/runtime/PlayerContext.h"

#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/EditTextObject.h"
#include "swf/runtime/MorphShapeObject.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/ShapeObject.h"
#include "swf/runtime/SpriteCharacter.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/StaticTextObject.h"
#include "swf/runtime/TextCompare.h"

namespace kf::swf {

namespace {
std::size_t countObjects(const DisplayObject& object) {
    std::size_t count = 1;
    if (const DisplayList* children = object.children()) {
        for (const auto& [depth, child] : children->objects()) {
            count += countObjects(*child);
        }
    }
    return count;
}
} // namespace

PlayerContext::PlayerContext(const CharacterDictionary& dictionary, std::uint8_t swfVersion,
                             RuntimeLimits limits)
    : m_dictionary(dictionary), m_swfVersion(swfVersion), m_limits(limits) {}

std::unique_ptr<DisplayObject> PlayerContext::instantiate(CharacterId id, DisplayDepth depth,
                                                          SpriteObject& parent) {
    if (m_liveObjects >= m_limits.maxObjects) {
        return nullptr;
    }
    std::shared_ptr<const Character> character = m_dictionary.findShared(id);
    if (!character) {
        return nullptr;
    }
    std::unique_ptr<DisplayObject> object;
    switch (character->kind()) {
    case CharacterKind::Shape:
        object =
            std::make_unique<ShapeObject>(depth, std::static_pointer_cast<const ShapeCharacter>(character));
        break;
    case CharacterKind::Sprite: {
        if (parent.nestingLevel() + 1 > m_limits.maxNesting) {
            return nullptr;
        }
        auto sprite = std::static_pointer_cast<const SpriteCharacter>(character);
        object = std::make_unique<SpriteObject>(depth, id, sprite->timeline(), *this,
                                                parent.nestingLevel() + 1, sprite);
        break;
    }
    case CharacterKind::Text:
        object =
            std::make_unique<StaticTextObject>(depth, std::static_pointer_cast<const TextCharacter>(character));
        break;
    case CharacterKind::EditText:
        object =
            std::make_unique<EditTextObject>(depth, std::static_pointer_cast<const EditTextCharacter>(character));
        break;
    case CharacterKind::MorphShape:
        object = std::make_unique<MorphShapeObject>(
            depth, std::static_pointer_cast<const MorphShapeCharacter>(character));
        break;
    case CharacterKind::Button:
        object = std::make_unique<ButtonObject>(depth, std::static_pointer_cast<const ButtonCharacter>(character),
                                                *this);
        break;
    default:
        return nullptr;
    }
    object->setParent(&parent);
    object->setCreationOrder(++m_created);
    ++m_liveObjects;
    // A button's records are instantiated with it: its up state shows at once.
    if (ButtonObject* button = object->asButton()) {
        button->construct();
    }
    return object;
}

std::unique_ptr<SpriteObject> PlayerContext::instantiateEmptySprite(DisplayDepth depth, SpriteObject& parent) {
    if (m_liveObjects >= m_limits.maxObjects || parent.nestingLevel() + 1 > m_limits.maxNesting) {
        return nullptr;
    }
    static const TimelineDefinition emptyTimeline = TimelineDefinition::empty();
    auto sprite = std::make_unique<SpriteObject>(depth, CharacterId{0}, emptyTimeline, *this,
                                                 parent.nestingLevel() + 1);
    sprite->setParent(&parent);
    sprite->setCreationOrder(++m_created);
    ++m_liveObjects;
    return sprite;
}

void PlayerContext::addExports(const std::vector<Tag>& tags) {
    for (const Tag& tag : tags) {
        const auto* body = std::get_if<UnknownTag>(&tag.body);
        if (tag.code != TagCode::ExportAssets || !body) {
            continue;
        }
        // UI16 count, then per symbol a UI16 character id and a NUL-terminated name.
        const std::vector<std::uint8_t>& bytes = body->body;
        std::size_t position = 2;
        const std::size_t count = bytes.size() >= 2 ? bytes[0] | (bytes[1] << 8) : 0;
        for (std::size_t index = 0; index < count && position + 2 < bytes.size(); ++index) {
            const CharacterId id{static_cast<std::uint16_t>(bytes[position] | (bytes[position + 1] << 8))};
            position += 2;
            std::string name;
            while (position < bytes.size() && bytes[position] != 0) {
                name.push_back(static_cast<char>(bytes[position++]));
            }
            ++position;
            if (!exportedCharacter(name)) {
                m_exports.emplace_back(std::move(name), id);
            }
        }
    }
}

std::optional<CharacterId> PlayerContext::exportedCharacter(std::string_view name) const {
    for (const auto& [exported, id] : m_exports) {
        if (namesAreCaseSensitive() ? exported == name : equalsIgnoringCase(exported, name)) {
            return id;
        }
    }
    return std::nullopt;
}

void PlayerContext::retire(std::unique_ptr<DisplayObject> object) {
    const std::size_t count = countObjects(*object);
    m_liveObjects = count > m_liveObjects ? 0 : m_liveObjects - count;
    object->markRemoved();
    m_retired.push_back(std::move(object));
}

} // namespace kf::swf
