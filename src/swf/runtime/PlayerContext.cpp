#include "swf/runtime/PlayerContext.h"

#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/EditTextObject.h"
#include "swf/runtime/MorphShapeObject.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/ShapeObject.h"
#include "swf/runtime/SpriteCharacter.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/StaticTextObject.h"

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

PlayerContext::PlayerContext(std::shared_ptr<const LoadedMovie> movie, RuntimeLimits limits)
    : m_movie(std::move(movie)), m_limits(limits) {}

std::unique_ptr<DisplayObject> PlayerContext::instantiate(CharacterId id, DisplayDepth depth,
                                                          SpriteObject& parent) {
    if (m_liveObjects >= m_limits.maxObjects) {
        return nullptr;
    }
    // A clip inside a loaded movie places that movie's characters.
    const std::shared_ptr<const LoadedMovie>& movie = parent.movie() ? parent.movie() : m_movie;
    std::shared_ptr<const Character> character = movie->dictionary().findShared(id);
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
        auto clip = std::make_unique<SpriteObject>(depth, id, sprite->timeline(), *this,
                                                   parent.nestingLevel() + 1, sprite);
        clip->setMovie(movie);
        object = std::move(clip);
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
    sprite->setMovie(parent.movie() ? parent.movie() : m_movie);
    sprite->setCreationOrder(++m_created);
    ++m_liveObjects;
    return sprite;
}

SpriteObject* PlayerContext::level(int number) const {
    DisplayObject* root = m_levels.at(DisplayDepth{number});
    return root ? root->asSprite() : nullptr;
}

void PlayerContext::retire(std::unique_ptr<DisplayObject> object) {
    const std::size_t count = countObjects(*object);
    m_liveObjects = count > m_liveObjects ? 0 : m_liveObjects - count;
    object->markRemoved();
    m_retired.push_back(std::move(object));
}

} // namespace kf::swf
