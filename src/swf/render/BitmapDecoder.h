#pragma once

#include "common/Result.h"

#include <QImage>
#include <cstdint>

namespace kf::swf {

class BitmapCharacter;

// Turns a bitmap character into premultiplied pixels: JPEG (with JPEGTables for DefineBits),
// PNG or GIF inside DefineBitsJPEG2 to 4, the zlib alpha plane of DefineBitsJPEG3 and 4,
// and DefineBitsLossless 1 and 2. Malformed or absurdly large images are errors.
class BitmapDecoder {
public:
    // Flash Player's own ceiling: 8191 pixels a side and 16,777,215 pixels in all.
    static constexpr int maxSide = 8191;
    static constexpr std::int64_t maxPixels = 16777215;

    static Result<QImage> decode(const BitmapCharacter& bitmap);
};

} // namespace kf::swf
