#include "swf/render/LosslessDecoder.h"

#include "swf/format/Decompression.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kf::swf {

namespace {

std::size_t paddedRow(std::size_t bytes) {
    return (bytes + 3) & ~std::size_t{3};
}

// A premultiplied pixel whose colour cannot exceed its alpha; files sometimes break that.
QRgb premultipliedPixel(int red, int green, int blue, int alpha) {
    return qRgba(std::min(red, alpha), std::min(green, alpha), std::min(blue, alpha), alpha);
}

int expand5(unsigned bits) {
    return static_cast<int>((bits << 3) | (bits >> 2));
}

} // namespace

Result<QImage> LosslessDecoder::decode(const DefineBitsLosslessTag& tag, int maxSide,
                                       std::int64_t maxPixels) {
    const int width = tag.width;
    const int height = tag.height;
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide ||
        static_cast<std::int64_t>(width) * height > maxPixels) {
        return Result<QImage>::failure("lossless bitmap of " + std::to_string(width) + "x" +
                                       std::to_string(height) + " refused");
    }
    const bool hasAlpha = tag.version >= 2;
    const auto format = static_cast<LosslessFormat>(tag.format);
    std::size_t tableBytes = 0;
    std::size_t pixelBytes = 0;
    switch (format) {
    case LosslessFormat::ColorMapped:
        tableBytes = static_cast<std::size_t>(tag.colorTableSize) * (hasAlpha ? 4 : 3);
        pixelBytes = 1;
        break;
    case LosslessFormat::Rgb15:
        pixelBytes = 2;
        break;
    case LosslessFormat::Rgb24:
        pixelBytes = 4;
        break;
    default:
        return Result<QImage>::failure("unknown lossless bitmap format " + std::to_string(tag.format));
    }
    const std::size_t rowBytes = paddedRow(static_cast<std::size_t>(width) * pixelBytes);
    const std::size_t expected = tableBytes + rowBytes * static_cast<std::size_t>(height);
    Result<std::vector<std::uint8_t>> inflated = inflateZlib(tag.data, expected, 0);
    if (!inflated) {
        return Result<QImage>::failure(inflated.error().message);
    }
    const std::vector<std::uint8_t>& bytes = *inflated;
    if (bytes.size() < expected) {
        return Result<QImage>::failure("lossless bitmap data inflates to " + std::to_string(bytes.size()) +
                                       " of " + std::to_string(expected) + " bytes");
    }

    std::vector<QRgb> palette;
    if (format == LosslessFormat::ColorMapped) {
        palette.resize(256, qRgba(0, 0, 0, 0)); // indices past the table show nothing
        for (std::size_t index = 0; index < tag.colorTableSize; ++index) {
            const std::uint8_t* entry = bytes.data() + index * (hasAlpha ? 4 : 3);
            palette[index] = hasAlpha ? premultipliedPixel(entry[0], entry[1], entry[2], entry[3])
                                      : qRgb(entry[0], entry[1], entry[2]);
        }
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return Result<QImage>::failure("no memory for the lossless bitmap");
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bytes.data() + tableBytes + rowBytes * static_cast<std::size_t>(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (format) {
            case LosslessFormat::ColorMapped:
                out[x] = palette[row[x]];
                break;
            case LosslessFormat::Rgb15: {
                const unsigned value = (static_cast<unsigned>(row[x * 2]) << 8) | row[x * 2 + 1];
                out[x] =
                    qRgb(expand5((value >> 10) & 0x1F), expand5((value >> 5) & 0x1F), expand5(value & 0x1F));
                break;
            }
            case LosslessFormat::Rgb24: {
                const std::uint8_t* pixel = row + x * 4;
                // Lossless2 stores ARGB; Lossless stores a reserved byte in its place.
                out[x] = hasAlpha ? premultipliedPixel(pixel[1], pixel[2], pixel[3], pixel[0])
                                  : qRgb(pixel[1], pixel[2], pixel[3]);
                break;
            }
            }
        }
    }
    return image;
}

} // namespace kf::swf
