#include "swf/runtime/ButtonObject.h"

#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <vector>

namespace kf::swf {

namespace {

ButtonState recordStateFor(ButtonObject::State state) {
    switch (state) {
    case ButtonObject::State::Over:
        return ButtonState::Over;
    case ButtonObject::State::Down:
        return ButtonState::Down;
    default:
        return ButtonState::Up;
    }
}

DisplayDepth depthOf(const ButtonRecord& record) {
    return DisplayDepth{record.depth.value};
}

} // namespace

void ButtonObject::markRemoved() {
    DisplayObject::markRemoved();
    for (auto& [depth, child] : m_shown.objects()) {
        child->markRemoved();
    }
    // The hit area is not among the children the player counts and retires with the
    // button, so it is handed over here.
    for (auto& [depth, child] : m_hitArea.objects()) {
        m_context.retire(std::move(child));
    }
    m_hitArea.objects().clear();
}

std::unique_ptr<DisplayObject> ButtonObject::instantiateRecord(const ButtonRecord& record) {
    SpriteObject* holder = parent();
    // A button's record naming the button itself (or a loop of buttons) would never end.
    if (!holder || record.characterId == characterId()) {
        return nullptr;
    }
    std::unique_ptr<DisplayObject> object =
        m_context.instantiate(record.characterId, depthOf(record), *holder);
    if (!object) {
        return nullptr;
    }
    DisplayProperties properties;
    properties.matrix = record.matrix;
    properties.colorTransform = m_character->recordTransform(record);
    properties.blendMode = record.blendMode;
    properties.filters = record.filters;
    object->setProperties(properties);
    return object;
}

void ButtonObject::construct() {
    if (m_constructed) {
        return;
    }
    m_constructed = true;
    for (const ButtonRecord& record : m_character->definition().records) {
        if (hasButtonState(record.states, ButtonState::HitTest) && !m_hitArea.at(depthOf(record))) {
            if (std::unique_ptr<DisplayObject> object = instantiateRecord(record)) {
                if (SpriteObject* sprite = object->asSprite()) {
                    sprite->construct();
                }
                m_hitArea.objects().emplace(depthOf(record), std::move(object));
            }
        }
    }
    m_state = State::Over; // anything but Up, so setState builds the up state
    setState(State::Up);
}

void ButtonObject::setState(State state) {
    if (state == m_state) {
        return;
    }
    m_state = state;
    const ButtonState wanted = recordStateFor(state);
    auto& objects = m_shown.objects();
    for (auto entry = objects.begin(); entry != objects.end();) {
        const ButtonRecord* record = m_shownRecords[entry->first];
        if (record && hasButtonState(record->states, wanted)) {
            ++entry;
            continue;
        }
        m_shownRecords.erase(entry->first);
        m_context.retire(std::move(entry->second));
        entry = objects.erase(entry);
    }
    std::vector<SpriteObject*> created;
    for (const ButtonRecord& record : m_character->definition().records) {
        if (!hasButtonState(record.states, wanted) || m_shown.at(depthOf(record))) {
            continue;
        }
        std::unique_ptr<DisplayObject> object = instantiateRecord(record);
        if (!object) {
            continue;
        }
        if (SpriteObject* sprite = object->asSprite()) {
            created.push_back(sprite);
        }
        m_shownRecords[depthOf(record)] = &record;
        objects.emplace(depthOf(record), std::move(object));
    }
    for (SpriteObject* sprite : created) {
        sprite->construct();
    }
}

} // namespace kf::swf
