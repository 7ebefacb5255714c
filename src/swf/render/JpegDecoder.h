#pragma once

#include "common/Result.h"

#include <QImage>
#include <cstdint>
#include <span>

namespace kf::swf {

// Decodes the JPEG images of a movie with libjpeg, with the quirks of JpegStream. A stream
// that ends before its last scan line is an error, not a grey-padded picture.
class JpegDecoder {
public:
    // An opaque Format_ARGB32_Premultiplied image, or an error. Images larger than
    // `maxPixels` (or a side over `maxSide`) are refused before anything is allocated.
    static Result<QImage> decode(std::span<const std::uint8_t> tables, std::span<const std::uint8_t> image,
                                 int maxSide, std::int64_t maxPixels);
};

} // namespace kf::swf
