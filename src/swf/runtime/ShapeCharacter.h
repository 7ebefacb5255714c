#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"
#include "swf/runtime/ShapeBitmaps.h"

#include <memory>

namespace kf::swf {

// A shape in the dictionary. The renderer hangs its per-character cache (paths, gradients)
// on `renderCache` so a frame that only moves objects rebuilds nothing.
class ShapeCharacter : public Character {
public:
    explicit ShapeCharacter(DefineShapeTag definition, ShapeBitmaps bitmaps = {})
        : m_definition(std::move(definition)), m_bitmaps(std::move(bitmaps)) {}

    CharacterKind kind() const override { return CharacterKind::Shape; }
    CharacterId id() const override { return m_definition.id; }

    const DefineShapeTag& definition() const { return m_definition; }
    // The bitmaps its bitmap fills show.
    const ShapeBitmaps& bitmaps() const { return m_bitmaps; }

    // Owned and interpreted by the render library only.
    mutable std::shared_ptr<void> renderCache;

private:
    DefineShapeTag m_definition;
    ShapeBitmaps m_bitmaps;
};

} // namespace kf::swf
