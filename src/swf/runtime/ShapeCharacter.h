#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"

#include <memory>

namespace kf::swf {

// A shape in the dictionary. The renderer hangs its per-character cache (paths, gradients)
// on `renderCache` so a frame that only moves objects rebuilds nothing.
class ShapeCharacter : public Character {
public:
    explicit ShapeCharacter(DefineShapeTag definition) : m_definition(std::move(definition)) {}

    CharacterKind kind() const override { return CharacterKind::Shape; }
    CharacterId id() const override { return m_definition.id; }

    const DefineShapeTag& definition() const { return m_definition; }

    // Owned and interpreted by the render library only.
    mutable std::shared_ptr<void> renderCache;

private:
    DefineShapeTag m_definition;
};

} // namespace kf::swf
