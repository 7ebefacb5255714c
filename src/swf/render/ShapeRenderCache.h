#pragma once

#include "swf/format/Styles.h"
#include "swf/render/CachedBrush.h"

#include <QPainterPath>
#include <QRectF>
#include <vector>

namespace kf::swf {

class ShapeBitmaps;
class ShapeCharacter;
struct DefineShapeTag;

// What the renderer keeps per shape character: its paths in shape space and a brush per
// style, in drawing order. Built on first draw and hung on ShapeCharacter::renderCache.
class ShapeRenderCache {
public:
    struct Piece {
        bool isStroke = false;
        QPainterPath path;
        LineStyle line; // strokes only
        CachedBrush brush;
    };

    // `bitmaps` supplies the pixels of bitmap fills; they are decoded here if not yet.
    ShapeRenderCache(const DefineShapeTag& definition, const ShapeBitmaps& bitmaps);

    // The cache of `character`, built now when it has none.
    static const ShapeRenderCache& of(const ShapeCharacter& character);

    const std::vector<Piece>& pieces() const { return m_pieces; }
    const QRectF& bounds() const { return m_bounds; }

private:
    std::vector<Piece> m_pieces;
    QRectF m_bounds;
};

} // namespace kf::swf
