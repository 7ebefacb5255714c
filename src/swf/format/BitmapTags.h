#pragma once

#include "swf/format/Units.h"

#include <cstdint>
#include <vector>

namespace kf::swf {

// JPEGTables: the encoding tables every DefineBits image of the movie shares. Some encoders
// write it empty, or only its end-of-image marker.
struct JpegTablesTag {
    std::vector<std::uint8_t> data;
    bool operator==(const JpegTablesTag&) const = default;
};

// DefineBits (1), DefineBitsJPEG2 (2), DefineBitsJPEG3 (3) and DefineBitsJPEG4 (4). The image
// bytes are kept as stored and decoded when first drawn: a movie may define many bitmaps it
// never shows.
struct DefineBitsJpegTag {
    CharacterId id;
    std::uint8_t version = 1;
    Fixed8 deblocking;                   // version 4; read and unused
    std::vector<std::uint8_t> imageData; // JPEG; from version 2 also PNG or GIF
    std::vector<std::uint8_t> alphaData; // versions 3 and 4: the zlib-compressed alpha plane
    bool operator==(const DefineBitsJpegTag&) const = default;
};

// BitmapFormat values of DefineBitsLossless.
enum class LosslessFormat : std::uint8_t { ColorMapped = 3, Rgb15 = 4, Rgb24 = 5 };

// DefineBitsLossless (1) and DefineBitsLossless2 (2, with alpha). The pixels stay compressed
// until first drawn.
struct DefineBitsLosslessTag {
    CharacterId id;
    std::uint8_t version = 1;
    std::uint8_t format =
        static_cast<std::uint8_t>(LosslessFormat::Rgb24); // a LosslessFormat, or what the file says
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t colorTableSize = 0; // entries, ColorMapped only (the file stores one less)
    std::vector<std::uint8_t> data;   // zlib stream: colour table and pixels
    bool operator==(const DefineBitsLosslessTag&) const = default;
};

} // namespace kf::swf
