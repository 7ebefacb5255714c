#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"
#include "swf/runtime/TimelineDefinition.h"

namespace kf::swf {

// A DefineSprite in the dictionary: its own timeline, shared by every instance.
class SpriteCharacter : public Character {
public:
    // `definition` must outlive the character (it lives in the movie the player owns).
    explicit SpriteCharacter(const DefineSpriteTag& definition)
        : m_id(definition.id),
          m_timeline(TimelineDefinition::fromTags(definition.tags, definition.frameCount)) {}

    CharacterKind kind() const override { return CharacterKind::Sprite; }
    CharacterId id() const override { return m_id; }

    const TimelineDefinition& timeline() const { return m_timeline; }

private:
    CharacterId m_id;
    TimelineDefinition m_timeline;
};

} // namespace kf::swf
