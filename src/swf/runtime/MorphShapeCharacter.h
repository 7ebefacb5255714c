#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"
#include "swf/runtime/ShapeBitmaps.h"

#include <memory>

namespace kf::swf {

// A DefineMorphShape in the dictionary: a shape between two key shapes, chosen per instance
// by the PlaceObject ratio. The renderer keeps its shapes per ratio on `renderCache`.
class MorphShapeCharacter : public Character {
public:
    // `definition` must outlive the character (it lives in the movie the player owns).
    MorphShapeCharacter(const DefineMorphShapeTag& definition, ShapeBitmaps bitmaps)
        : m_definition(definition), m_bitmaps(std::move(bitmaps)) {}

    CharacterKind kind() const override { return CharacterKind::MorphShape; }
    CharacterId id() const override { return m_definition.id; }

    const DefineMorphShapeTag& definition() const { return m_definition; }
    const ShapeBitmaps& bitmaps() const { return m_bitmaps; }

    // Owned and interpreted by the render library only.
    mutable std::shared_ptr<void> renderCache;

private:
    const DefineMorphShapeTag& m_definition;
    ShapeBitmaps m_bitmaps;
};

} // namespace kf::swf
