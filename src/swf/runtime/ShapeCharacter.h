#pragma once

#include "swf/format/Tags.h"

#include <memory>

namespace kf::swf {

// A shape in the dictionary. The renderer hangs its per-character cache (paths, gradients)
// on `renderCache` so a frame that only moves objects rebuilds nothing.
class ShapeCharacter {
public:
    explicit ShapeCharacter(DefineShapeTag definition) : m_definition(std::move(definition)) {}

    const DefineShapeTag& definition() const { return m_definition; }
    CharacterId id() const { return m_definition.id; }

    // Owned and interpreted by the render library only.
    mutable std::shared_ptr<void> renderCache;

private:
    DefineShapeTag m_definition;
};

} // namespace kf::swf
