#pragma once

#include "common/Result.h"
#include "swf/format/BitmapTags.h"

#include <QImage>
#include <cstdint>

namespace kf::swf {

// Inflates DefineBitsLossless and DefineBitsLossless2 pixels: colour-mapped (palette of RGB,
// or RGBA for Lossless2), 15-bit and 32-bit, rows padded to 32 bits. Lossless2 colours are
// premultiplied in the file already, so they are taken as they are (clamped to their alpha).
// Data that inflates short of the image is an error: the bitmap then draws nothing.
class LosslessDecoder {
public:
    static Result<QImage> decode(const DefineBitsLosslessTag& tag, int maxSide, std::int64_t maxPixels);
};

} // namespace kf::swf
