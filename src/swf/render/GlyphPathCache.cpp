#include "swf/render/GlyphPathCache.h"

#include "swf/render/ShapePathBuilder.h"
#include "swf/runtime/FontCharacter.h"

#include <memory>

namespace kf::swf {

namespace {

QPainterPath buildOutline(const Shape& glyph) {
    // A glyph is a shape whose one fill style is the text's colour: the shape builder
    // already turns its edges into closed contours.
    DefineShapeTag shape;
    shape.shape.fillStyles.push_back(FillStyle{});
    shape.shape.records = glyph.records;
    const ShapeGeometry geometry = ShapePathBuilder::build(shape);
    QPainterPath outline;
    for (const StyleGroup& group : geometry.groups) {
        for (const FillPath& fill : group.fills) {
            outline.setFillRule(fill.path.fillRule());
            outline.addPath(fill.path);
        }
    }
    return outline;
}

} // namespace

const QPainterPath& GlyphPathCache::path(const FontCharacter& font, std::size_t glyph) {
    static const QPainterPath none;
    if (glyph >= font.glyphCount()) {
        return none;
    }
    if (!font.renderCache) {
        auto cache = std::make_shared<GlyphPathCache>();
        cache->m_paths.resize(font.glyphCount());
        font.renderCache = cache;
    }
    auto& cache = *static_cast<GlyphPathCache*>(font.renderCache.get());
    std::optional<QPainterPath>& slot = cache.m_paths[glyph];
    if (!slot) {
        slot = buildOutline(font.definition().glyphs[glyph].shape);
    }
    return *slot;
}

} // namespace kf::swf
