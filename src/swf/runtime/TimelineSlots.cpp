#include "swf/runtime/TimelineSlots.h"

#include <string>
#include <utility>

namespace kf::swf {

bool TimelineSlots::apply(const Tag& tag) {
    if (const auto* place = std::get_if<PlaceObjectTag>(&tag.body)) {
        return applyPlace(*place);
    }
    if (const auto* remove = std::get_if<RemoveObjectTag>(&tag.body)) {
        applyRemove(*remove);
    }
    return true;
}

bool TimelineSlots::applyPlace(const PlaceObjectTag& tag) {
    const DisplayDepth depth{tag.depth.value};
    auto existing = m_slots.find(depth);
    // PlaceObject 1 has no move flag: it always places.
    const bool isMove = tag.version >= 2 && tag.isMove;

    if (!isMove) {
        // Flash Player ignores a placement on an occupied depth rather than replacing.
        if (existing != m_slots.end()) {
            return true;
        }
        if (!tag.characterId) {
            return false;
        }
        TimelineSlot slot{*tag.characterId, &tag, {}};
        slot.properties.apply(tag);
        m_slots.emplace(depth, std::move(slot));
        return true;
    }

    // A move on an empty depth has nothing to modify.
    if (existing == m_slots.end()) {
        return true;
    }
    TimelineSlot& slot = existing->second;
    if (tag.characterId && *tag.characterId != slot.character &&
        canReplace(slot.character, *tag.characterId)) {
        // Replace: a new character, keeping the matrix, colour transform and the rest
        // unless this tag sets them.
        slot.character = *tag.characterId;
        slot.placedBy = &tag;
    }
    // A move never renames: the instance keeps the name it was placed with, even when the
    // tag replaces its character.
    std::string name = std::move(slot.properties.name);
    slot.properties.apply(tag);
    slot.properties.name = std::move(name);
    return true;
}

bool TimelineSlots::canReplace(CharacterId current, CharacterId replacement) const {
    if (!m_dictionary) {
        return true;
    }
    // Flash Player swaps the character of shapes and morph shapes only (static text later);
    // a sprite or button keeps its instance and takes just the tag's other properties.
    const Character* from = m_dictionary->find(current);
    const Character* to = m_dictionary->find(replacement);
    auto drawsOutlines = [](const Character* character) {
        return character && (character->kind() == CharacterKind::Shape ||
                             character->kind() == CharacterKind::MorphShape);
    };
    return drawsOutlines(from) && drawsOutlines(to);
}

void TimelineSlots::applyRemove(const RemoveObjectTag& tag) {
    // RemoveObject names the character too, but Flash Player removes by depth alone.
    m_slots.erase(DisplayDepth{tag.depth.value});
}

} // namespace kf::swf
