#pragma once

#include "swf/format/Filters.h"

#include <QPoint>

class QImage;

namespace kf::swf {

// Composites a finished layer onto the image below it, pixel by pixel, the way each of Flash
// Player's blend modes combines an object with its backdrop. Both images are
// ARGB32-premultiplied; `layerOrigin` and `belowOrigin` place them in output pixels.
//
// A layer pixel of alpha 0 leaves the backdrop as it is in every mode: for alpha and erase
// this is what Flash Player shows where an alpha-mode object is fully transparent (the part of
// a gradient padded with alpha 0 keeps the parent's pixels rather than clearing them).
class BlendCompositor {
public:
    static void composite(QImage& below, const QPoint& belowOrigin, const QImage& layer,
                          const QPoint& layerOrigin, BlendMode mode);
};

} // namespace kf::swf
