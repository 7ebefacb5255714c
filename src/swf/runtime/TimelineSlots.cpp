#include "swf/runtime/TimelineSlots.h"

namespace kf::swf {

void TimelineSlots::apply(const Tag& tag) {
    if (const auto* place = std::get_if<PlaceObjectTag>(&tag.body)) {
        applyPlace(*place);
    } else if (const auto* remove = std::get_if<RemoveObjectTag>(&tag.body)) {
        applyRemove(*remove);
    }
}

void TimelineSlots::applyPlace(const PlaceObjectTag& tag) {
    const DisplayDepth depth{tag.depth.value};
    auto existing = m_slots.find(depth);
    // PlaceObject 1 has no move flag: it always places.
    const bool isMove = tag.version >= 2 && tag.isMove;

    if (!isMove) {
        // Flash Player ignores a placement on an occupied depth rather than replacing.
        if (existing != m_slots.end() || !tag.characterId) {
            return;
        }
        TimelineSlot slot{*tag.characterId, &tag, {}};
        slot.properties.apply(tag);
        m_slots.emplace(depth, std::move(slot));
        return;
    }

    // A move on an empty depth has nothing to modify.
    if (existing == m_slots.end()) {
        return;
    }
    TimelineSlot& slot = existing->second;
    if (tag.characterId && *tag.characterId != slot.character &&
        canReplace(slot.character, *tag.characterId)) {
        // Replace: a new character, keeping the matrix, colour transform and the rest
        // unless this tag sets them.
        slot.character = *tag.characterId;
        slot.placedBy = &tag;
    }
    slot.properties.apply(tag);
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
