#include "TestBitmaps.h"

#include <QBuffer>
#include <algorithm>
#include <cstdlib>

#include <jpeglib.h>
#include <zlib.h>

namespace kf::swf::test {

Bytes TestBitmaps::jpeg(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

TestBitmaps::SplitJpeg TestBitmaps::splitJpeg(const QImage& image) {
    const Bytes whole = jpeg(image);
    SplitJpeg split;
    split.tables = {0xFF, 0xD8};
    split.image = {0xFF, 0xD8};
    // Segments after the start marker: DQT (DB) and DHT (C4) go to the tables, the rest
    // (frame header, scan and its data) to the image.
    std::size_t position = 2;
    while (position + 4 <= whole.size()) {
        const std::uint8_t marker = whole[position + 1];
        if (marker == 0xDA) {
            split.image.insert(split.image.end(), whole.begin() + static_cast<std::ptrdiff_t>(position),
                               whole.end());
            break;
        }
        const std::size_t length = (static_cast<std::size_t>(whole[position + 2]) << 8) | whole[position + 3];
        Bytes& target = (marker == 0xDB || marker == 0xC4) ? split.tables : split.image;
        target.insert(target.end(), whole.begin() + static_cast<std::ptrdiff_t>(position),
                      whole.begin() + static_cast<std::ptrdiff_t>(position + 2 + length));
        position += 2 + length;
    }
    split.tables.push_back(0xFF);
    split.tables.push_back(0xD9);
    return split;
}

Bytes TestBitmaps::png(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Bytes(data.begin(), data.end());
}

Bytes TestBitmaps::gif(Rgba color) {
    // Header, a 1×1 screen with a two-entry global palette, one image whose LZW data
    // (2-bit minimum code size) is: clear, index 0, end.
    return Bytes{'G',  'I',       'F',         '8',        '9',  'a',  0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                 0x00, color.red, color.green, color.blue, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                 0x01, 0x00,      0x01,        0x00,       0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
}

Bytes TestBitmaps::zlib(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION);
    out.resize(size);
    return out;
}

Bytes TestBitmaps::losslessRaw(int version, LosslessFormat format, int width, int height,
                               const std::vector<Rgba>& pixels, std::uint16_t& colorTableSize) {
    const bool alpha = version >= 2;
    auto premultiplied = [alpha](Rgba color) {
        if (!alpha) {
            return color;
        }
        auto scale = [&](std::uint8_t value) {
            return static_cast<std::uint8_t>((value * color.alpha + 127) / 255);
        };
        return Rgba{scale(color.red), scale(color.green), scale(color.blue), color.alpha};
    };
    Bytes raw;
    const std::size_t pixelBytes = format == LosslessFormat::ColorMapped ? 1
                                   : format == LosslessFormat::Rgb15     ? 2
                                                                         : 4;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * pixelBytes + 3) & ~std::size_t{3};
    std::vector<Rgba> table;
    if (format == LosslessFormat::ColorMapped) {
        for (const Rgba& pixel : pixels) {
            if (std::find(table.begin(), table.end(), pixel) == table.end()) {
                table.push_back(pixel);
            }
        }
        colorTableSize = static_cast<std::uint16_t>(table.size());
        for (const Rgba& entry : table) {
            const Rgba stored = premultiplied(entry);
            raw.insert(raw.end(), {stored.red, stored.green, stored.blue});
            if (alpha) {
                raw.push_back(stored.alpha);
            }
        }
    }
    for (int y = 0; y < height; ++y) {
        Bytes row;
        for (int x = 0; x < width; ++x) {
            const Rgba pixel = pixels[static_cast<std::size_t>(y * width + x)];
            switch (format) {
            case LosslessFormat::ColorMapped:
                row.push_back(
                    static_cast<std::uint8_t>(std::find(table.begin(), table.end(), pixel) - table.begin()));
                break;
            case LosslessFormat::Rgb15: {
                const unsigned value =
                    ((pixel.red >> 3) << 10) | ((pixel.green >> 3) << 5) | (pixel.blue >> 3);
                row.push_back(static_cast<std::uint8_t>(value >> 8));
                row.push_back(static_cast<std::uint8_t>(value & 0xFF));
                break;
            }
            case LosslessFormat::Rgb24: {
                const Rgba stored = premultiplied(pixel);
                row.insert(row.end(),
                           {alpha ? stored.alpha : std::uint8_t{0}, stored.red, stored.green, stored.blue});
                break;
            }
            }
        }
        // Padding bytes are garbage in real files; a decoder must not read them as pixels.
        row.resize(rowBytes, 0xEE);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    return raw;
}

DefineBitsLosslessTag TestBitmaps::lossless(CharacterId id, int version, LosslessFormat format, int width,
                                            int height, const std::vector<Rgba>& pixels) {
    DefineBitsLosslessTag tag;
    tag.id = id;
    tag.version = static_cast<std::uint8_t>(version);
    tag.format = static_cast<std::uint8_t>(format);
    tag.width = static_cast<std::uint16_t>(width);
    tag.height = static_cast<std::uint16_t>(height);
    tag.data = zlib(losslessRaw(version, format, width, height, pixels, tag.colorTableSize));
    return tag;
}

QImage TestBitmaps::quarters(int width, int height, Rgba topLeft, Rgba topRight, Rgba bottomLeft,
                             Rgba bottomRight) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const Rgba color =
                y < height / 2 ? (right ? topRight : topLeft) : (right ? bottomRight : bottomLeft);
            image.setPixel(x, y, qRgba(color.red, color.green, color.blue, color.alpha));
        }
    }
    return image;
}

} // namespace kf::swf::test
