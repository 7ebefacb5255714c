#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/CharacterDictionary.h"
#include "swf/runtime/DisplayProperties.h"

#include <map>

namespace kf::swf {

// What the timeline says should stand at one depth: the character, the tag that placed it
// and the properties the tags have set since.
struct TimelineSlot {
    CharacterId character;
    const PlaceObjectTag* placedBy = nullptr;
    DisplayProperties properties;
};

// A timeline's display list as its tags describe it, without live instances. Frames are
// played into this first and the live list is then brought in line with it, so a goto
// that crosses many frames creates only what the target frame shows.
class TimelineSlots {
public:
    // The dictionary tells which replacements Flash Player honours; without one every
    // replacement is made.
    explicit TimelineSlots(const CharacterDictionary* dictionary = nullptr) : m_dictionary(dictionary) {}

    using Slots = std::map<DisplayDepth, TimelineSlot>;

    // False for a placement that places nothing: no character for an empty depth.
    bool apply(const Tag& tag);
    bool applyPlace(const PlaceObjectTag& tag);
    void applyRemove(const RemoveObjectTag& tag);

    void set(DisplayDepth depth, TimelineSlot slot) { m_slots.insert_or_assign(depth, std::move(slot)); }
    const Slots& slots() const { return m_slots; }

private:
    bool canReplace(CharacterId current, CharacterId replacement) const;

    const CharacterDictionary* m_dictionary;
    Slots m_slots;
};

} // namespace kf::swf
