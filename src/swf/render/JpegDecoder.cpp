#include "swf/render/JpegDecoder.h"

#include "swf/render/JpegStream.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it names the warning codes checked below.
#include <jerror.h>

namespace kf::swf {

namespace {

// libjpeg reports errors by calling error_exit, which must not return: it jumps back here.
// Warnings about data cut short make the image an error too.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated = false;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void onError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level >= 0) {
        return; // trace messages
    }
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        manager->truncated = true;
    }
}

// Everything the decode allocates lives outside the setjmp frame, so a jump skips no
// destructor that matters.
struct DecodeState {
    jpeg_decompress_struct info{};
    ErrorManager errors;
    std::vector<std::uint8_t> stream;
    QImage image;
    std::vector<JSAMPLE> row;
    std::string failure;
};

bool decodeInto(DecodeState& state, int maxSide, std::int64_t maxPixels) {
    jpeg_decompress_struct& info = state.info;
    if (setjmp(state.errors.jump) != 0) {
        state.failure = state.errors.message;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, state.stream.data(), static_cast<unsigned long>(state.stream.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        state.failure = "no JPEG image";
        return false;
    }
    const std::int64_t width = info.image_width;
    const std::int64_t height = info.image_height;
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide || width * height > maxPixels) {
        state.failure = "JPEG image of " + std::to_string(width) + "x" + std::to_string(height) + " refused";
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        state.failure = "unexpected JPEG colour layout";
        return false;
    }
    state.image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                         QImage::Format_ARGB32_Premultiplied);
    if (state.image.isNull()) {
        state.failure = "no memory for the JPEG image";
        return false;
    }
    state.row.resize(static_cast<std::size_t>(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {state.row.data()};
        const int line = static_cast<int>(info.output_scanline);
        if (jpeg_read_scanlines(&info, rows, 1) != 1 || state.errors.truncated) {
            state.failure = "the JPEG data ends early";
            return false;
        }
        auto* pixels = reinterpret_cast<QRgb*>(state.image.scanLine(line));
        for (std::size_t x = 0; x < info.output_width; ++x) {
            pixels[x] = qRgb(state.row[x * 3], state.row[x * 3 + 1], state.row[x * 3 + 2]);
        }
    }
    jpeg_finish_decompress(&info);
    if (state.errors.truncated) {
        state.failure = "the JPEG data ends early";
        return false;
    }
    return true;
}

} // namespace

Result<QImage> JpegDecoder::decode(std::span<const std::uint8_t> tables, std::span<const std::uint8_t> image,
                                   int maxSide, std::int64_t maxPixels) {
    DecodeState state;
    state.stream = JpegStream::join(tables, image);
    state.info.err = jpeg_std_error(&state.errors.base);
    state.errors.base.error_exit = onError;
    state.errors.base.emit_message = onMessage;
    const bool decoded = decodeInto(state, maxSide, maxPixels);
    jpeg_destroy_decompress(&state.info);
    if (!decoded) {
        return Result<QImage>::failure(state.failure);
    }
    return std::move(state.image);
}

} // namespace kf::swf
