#pragma once

#include "swf/format/Color.h"
#include "swf/format/Styles.h"

#include <QBrush>
#include <QImage>
#include <QRectF>

namespace kf::swf {

// Brushes for bitmap fills (fill types 0x40 to 0x43). The fill matrix takes bitmap pixels
// to shape twips, so a bitmap shown at its own size has a scale of 20.
//
// Qt's texture brushes always repeat. A clipped fill instead extends the bitmap's edge
// pixels outwards, so its texture is the bitmap with its edges copied out as far as the
// path reaches (at least one pixel, which keeps smoothing from blending in the far edge).
class BitmapFillBrush {
public:
    // `pathBounds`: what the filled path covers, in shape twips. A singular matrix or a
    // null image gives Qt::NoBrush: nothing is drawn.
    static QBrush build(const FillStyle& style, const QImage& image, const QRectF& pathBounds,
                        const ColorTransform& transform);

    static bool isSmoothed(FillType type) {
        return type == FillType::RepeatingBitmap || type == FillType::ClippedBitmap;
    }
    static bool isClipped(FillType type) {
        return type == FillType::ClippedBitmap || type == FillType::NonSmoothedClippedBitmap;
    }

    // `image` under `transform`, applied to straight colours as Flash Player does; the
    // result stays premultiplied.
    static QImage recolored(const QImage& image, const ColorTransform& transform);

private:
    // Clipped fills reach at most this many pixels past each edge; further out the texture
    // repeats. It bounds the padded copy of a tiny bitmap stretched over a large shape.
    static constexpr int maxPadding = 1024;

    static QImage padded(const QImage& image, int left, int top, int right, int bottom);
};

} // namespace kf::swf
