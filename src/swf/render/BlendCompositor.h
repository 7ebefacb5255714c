#pragma once

#include "swf/format/Filters.h"

#include <QPoint>

class QImage;

namespace kf::swf {

// Composites a finished layer onto the image below it, pixel by pixel, the way each of Flash
// Player's blend modes combines an object with its backdrop. Both images are
// ARGB32-premultiplied; `layerOrigin` and `belowOrigin` place them in output pixels.
//
// A layer pixel of alpha 0 leaves the backdrop as it is, except in alpha mode, whose layer
// starts opaque (see PainterBackend::pushLayer): there alpha 0 is what the object cleared.
class BlendCompositor {
public:
    static void composite(QImage& below, const QPoint& belowOrigin, const QImage& layer,
                          const QPoint& layerOrigin, BlendMode mode);
};

} // namespace kf::swf
