#include "swf/render/ShapeRenderCache.h"

#include "swf/render/ShapePathBuilder.h"
#include "swf/runtime/ShapeCharacter.h"

namespace kf::swf {

namespace {

FillStyle strokeFill(const LineStyle& line) {
    if (line.fill) {
        return *line.fill;
    }
    FillStyle solid;
    solid.type = FillType::Solid;
    solid.color = line.color;
    return solid;
}

} // namespace

ShapeRenderCache::ShapeRenderCache(const DefineShapeTag& definition) {
    ShapeGeometry geometry = ShapePathBuilder::build(definition);
    m_bounds = geometry.bounds;
    for (StyleGroup& group : geometry.groups) {
        for (FillPath& fill : group.fills) {
            m_pieces.push_back(
                Piece{false, std::move(fill.path), LineStyle{}, CachedBrush(std::move(fill.style))});
        }
        for (StrokePath& stroke : group.strokes) {
            CachedBrush brush(strokeFill(stroke.style));
            m_pieces.push_back(
                Piece{true, std::move(stroke.path), std::move(stroke.style), std::move(brush)});
        }
    }
}

const ShapeRenderCache& ShapeRenderCache::of(const ShapeCharacter& character) {
    if (!character.renderCache) {
        character.renderCache = std::make_shared<ShapeRenderCache>(character.definition());
    }
    return *static_cast<const ShapeRenderCache*>(character.renderCache.get());
}

} // namespace kf::swf
