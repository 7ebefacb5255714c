#include "swf/render/MorphRenderCache.h"

#include "swf/runtime/MorphInterpolation.h"
#include "swf/runtime/MorphShapeCharacter.h"

#include <algorithm>

namespace kf::swf {

const ShapeRenderCache& MorphRenderCache::at(const MorphShapeCharacter& character, std::uint16_t ratio) {
    if (!character.renderCache) {
        character.renderCache = std::make_shared<MorphRenderCache>();
    }
    auto& cache = *static_cast<MorphRenderCache*>(character.renderCache.get());
    std::vector<Entry>& entries = cache.m_entries;
    auto found = std::find_if(entries.begin(), entries.end(),
                              [ratio](const Entry& entry) { return entry.ratio == ratio; });
    if (found != entries.end()) {
        // Move it to the back so it is the last to go.
        std::rotate(found, found + 1, entries.end());
        return *entries.back().shape;
    }
    if (entries.size() >= capacity) {
        entries.erase(entries.begin());
    }
    const DefineShapeTag shape = interpolateMorph(character.definition(), ratio);
    entries.push_back(Entry{ratio, std::make_unique<ShapeRenderCache>(shape, character.bitmaps())});
    return *entries.back().shape;
}

} // namespace kf::swf
