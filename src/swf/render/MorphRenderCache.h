#pragma once

#include "swf/render/ShapeRenderCache.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kf::swf {

class MorphShapeCharacter;

// The shapes a morph character has been drawn at, per ratio, hung on
// MorphShapeCharacter::renderCache. Every instance of the morph shares them; a morph held
// still, or several instances at the same ratio, build their shape once. The most recently
// drawn ratios are kept, up to a bound, so a long tween costs no unbounded memory.
class MorphRenderCache {
public:
    static const ShapeRenderCache& at(const MorphShapeCharacter& character, std::uint16_t ratio);

    static constexpr std::size_t capacity = 64;

private:
    struct Entry {
        std::uint16_t ratio = 0;
        std::unique_ptr<ShapeRenderCache> shape;
    };
    // Most recently used last.
    std::vector<Entry> m_entries;
};

} // namespace kf::swf
