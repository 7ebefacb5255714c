#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"

#include <memory>
#include <vector>

namespace kf::swf {

// A DefineButton or DefineButton2 in the dictionary. The definition lives in the movie the
// player owns. DefineButton (version 1) buttons take their colour transform from a
// DefineButtonCxform tag, found among the movie's tags once, here.
class ButtonCharacter : public Character {
public:
    ButtonCharacter(const DefineButtonTag& definition, const ColorTransform& legacyTransform)
        : m_definition(definition), m_legacyTransform(legacyTransform) {}

    CharacterKind kind() const override { return CharacterKind::Button; }
    CharacterId id() const override { return m_definition.id; }

    const DefineButtonTag& definition() const { return m_definition; }
    bool trackAsMenu() const { return m_definition.trackAsMenu; }
    // The colour transform a record's character is shown with.
    ColorTransform recordTransform(const ButtonRecord& record) const {
        return m_definition.version == 1 ? m_legacyTransform : record.colorTransform;
    }

private:
    const DefineButtonTag& m_definition;
    ColorTransform m_legacyTransform;
};

// The button character a DefineButton or DefineButton2 tag makes, or null for any other tag.
// `tags` is the list the tag is in, where its DefineButtonCxform is.
std::shared_ptr<const Character> makeButtonCharacter(const Tag& tag, const std::vector<Tag>& tags);

} // namespace kf::swf
