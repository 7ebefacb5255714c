#include "swf/render/BitmapDecoder.h"

#include "swf/format/Decompression.h"
#include "swf/render/JpegDecoder.h"
#include "swf/render/LosslessDecoder.h"
#include "swf/runtime/BitmapCharacter.h"

#include <algorithm>
#include <span>
#include <string>

namespace kf::swf {

namespace {

bool startsWith(std::span<const std::uint8_t> data, std::initializer_list<std::uint8_t> prefix) {
    return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

bool isPng(std::span<const std::uint8_t> data) {
    return startsWith(data, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
}

bool isGif(std::span<const std::uint8_t> data) {
    return startsWith(data, {'G', 'I', 'F', '8'});
}

Result<QImage> decodeWithQt(std::span<const std::uint8_t> data, const char* format) {
    QImage image;
    // QImage reads the size from the header before it allocates; check it against the
    // ceiling first anyway, since a decoder may allocate before it fails.
    if (!image.loadFromData(data.data(), static_cast<int>(std::min<std::size_t>(data.size(), INT32_MAX)),
                            format)) {
        return Result<QImage>::failure(std::string("undecodable ") + format + " image");
    }
    if (image.width() > BitmapDecoder::maxSide || image.height() > BitmapDecoder::maxSide ||
        static_cast<std::int64_t>(image.width()) * image.height() > BitmapDecoder::maxPixels) {
        return Result<QImage>::failure(std::string("oversized ") + format + " image");
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The alpha plane of DefineBitsJPEG3/4: one byte per pixel. The JPEG colours are stored
// as they would show over black, premultiplied like the rest of Flash's pixels, so the
// alpha only joins them (each colour clamped to its alpha).
Status applyAlphaPlane(QImage& image, std::span<const std::uint8_t> compressed) {
    const std::size_t pixels =
        static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
    Result<std::vector<std::uint8_t>> alpha = inflateZlib(compressed, pixels, 0);
    if (!alpha) {
        return Status::failure(alpha.error().message);
    }
    if (alpha->size() < pixels) {
        return Status::failure("the alpha plane inflates short");
    }
    const std::uint8_t* source = alpha->data();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int value = *source++;
            const QRgb colour = row[x];
            row[x] = qRgba(std::min(qRed(colour), value), std::min(qGreen(colour), value),
                           std::min(qBlue(colour), value), value);
        }
    }
    return success();
}

Result<QImage> decodeJpegTag(const BitmapCharacter& bitmap) {
    const DefineBitsJpegTag& tag = *bitmap.jpeg();
    const std::span<const std::uint8_t> data = tag.imageData;
    if (tag.version >= 2 && isPng(data)) {
        return decodeWithQt(data, "PNG");
    }
    if (tag.version >= 2 && isGif(data)) {
        return decodeWithQt(data, "GIF");
    }
    std::span<const std::uint8_t> tables;
    if (bitmap.jpegTables()) {
        tables = bitmap.jpegTables()->data;
    }
    Result<QImage> image =
        JpegDecoder::decode(tables, data, BitmapDecoder::maxSide, BitmapDecoder::maxPixels);
    if (!image || tag.version < 3 || tag.alphaData.empty()) {
        return image;
    }
    if (Status applied = applyAlphaPlane(*image, tag.alphaData); !applied) {
        return Result<QImage>::failure(applied.error().message);
    }
    return image;
}

} // namespace

Result<QImage> BitmapDecoder::decode(const BitmapCharacter& bitmap) {
    if (bitmap.jpeg()) {
        return decodeJpegTag(bitmap);
    }
    if (bitmap.lossless()) {
        return LosslessDecoder::decode(*bitmap.lossless(), maxSide, maxPixels);
    }
    return Result<QImage>::failure("no bitmap data");
}

} // namespace kf::swf
