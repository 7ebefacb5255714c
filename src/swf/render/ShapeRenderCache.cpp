#include "swf/render/ShapeRenderCache.h"

#include "swf/render/BitmapRenderCache.h"
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

CachedBrush brushFor(FillStyle style, const QPainterPath& path, const ShapeBitmaps& bitmaps) {
    if (!isBitmapFill(style.type)) {
        return CachedBrush(std::move(style));
    }
    const BitmapCharacter* bitmap = bitmaps.find(style.bitmapId);
    const QImage* image = bitmap ? BitmapRenderCache::imageOf(*bitmap) : nullptr;
    return CachedBrush(std::move(style), image, path.controlPointRect());
}

} // namespace

ShapeRenderCache::ShapeRenderCache(const DefineShapeTag& definition, const ShapeBitmaps& bitmaps) {
    ShapeGeometry geometry = ShapePathBuilder::build(definition);
    m_bounds = geometry.bounds;
    for (StyleGroup& group : geometry.groups) {
        for (FillPath& fill : group.fills) {
            CachedBrush brush = brushFor(std::move(fill.style), fill.path, bitmaps);
            m_pieces.push_back(Piece{false, std::move(fill.path), LineStyle{}, std::move(brush)});
        }
        for (StrokePath& stroke : group.strokes) {
            CachedBrush brush = brushFor(strokeFill(stroke.style), stroke.path, bitmaps);
            m_pieces.push_back(
                Piece{true, std::move(stroke.path), std::move(stroke.style), std::move(brush)});
        }
    }
}

const ShapeRenderCache& ShapeRenderCache::of(const ShapeCharacter& character) {
    if (!character.renderCache) {
        character.renderCache =
            std::make_shared<ShapeRenderCache>(character.definition(), character.bitmaps());
    }
    return *static_cast<const ShapeRenderCache*>(character.renderCache.get());
}

} // namespace kf::swf
