#pragma once

#include "swf/format/Tags.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace kf::swf::test {

using Bytes = std::vector<std::uint8_t>;

// Encoded images for bitmap tags, made here so tests need no image files.
class TestBitmaps {
public:
    // A baseline JPEG of `image` (its alpha ignored) at the best quality.
    static Bytes jpeg(const QImage& image);
    // The same JPEG split as DefineBits stores it: the tables (quantisation and Huffman) in
    // one piece for JPEGTables, the frame and scan in the other; each with its own markers.
    struct SplitJpeg {
        Bytes tables;
        Bytes image;
    };
    static SplitJpeg splitJpeg(const QImage& image);
    static Bytes png(const QImage& image);
    // A 1×1 GIF of one colour.
    static Bytes gif(Rgba color);
    static Bytes zlib(const Bytes& raw);

    // DefineBitsLossless(2) of `pixels` (straight RGBA, row by row) in `format`. Colour
    // tables are built from the pixels' distinct colours; Lossless2 data is premultiplied.
    static DefineBitsLosslessTag lossless(CharacterId id, int version, LosslessFormat format, int width,
                                          int height, const std::vector<Rgba>& pixels);
    // The raw (uncompressed) pixel block `lossless` compresses, for tests that damage it.
    static Bytes losslessRaw(int version, LosslessFormat format, int width, int height,
                             const std::vector<Rgba>& pixels, std::uint16_t& colorTableSize);

    // A picture of `width`×`height` pixels of one colour per quarter (top left, top right,
    // bottom left, bottom right): JPEG keeps large flat areas nearly exact.
    static QImage quarters(int width, int height, Rgba topLeft, Rgba topRight, Rgba bottomLeft,
                           Rgba bottomRight);
};

} // namespace kf::swf::test
