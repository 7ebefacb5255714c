#include "swf/render/JpegStream.h"

namespace kf::swf {

namespace {

constexpr std::uint8_t markerPrefix = 0xFF;
constexpr std::uint8_t startOfImage = 0xD8;
constexpr std::uint8_t endOfImage = 0xD9;
constexpr std::uint8_t startOfScan = 0xDA;

// Markers that stand alone, without a length: restart markers and TEM.
bool isStandalone(std::uint8_t marker) {
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

} // namespace

std::vector<std::uint8_t> JpegStream::join(std::span<const std::uint8_t> tables,
                                           std::span<const std::uint8_t> image) {
    std::vector<std::uint8_t> out;
    out.reserve(tables.size() + image.size() + 4);
    out.push_back(markerPrefix);
    out.push_back(startOfImage);
    bool inScan = false;
    appendSegments(tables, out, inScan);
    if (!inScan) {
        appendSegments(image, out, inScan);
    }
    const std::size_t size = out.size();
    const bool ended = size >= 2 && out[size - 2] == markerPrefix && out[size - 1] == endOfImage;
    if (!ended) {
        out.push_back(markerPrefix);
        out.push_back(endOfImage);
    }
    return out;
}

// Copies the segments of one piece: start and end markers before a scan are dropped (the
// stream has its own start and must not end between the tables and the image). Once a scan
// starts, the rest of the piece is copied as it is; the decoder stops at its end marker.
void JpegStream::appendSegments(std::span<const std::uint8_t> piece, std::vector<std::uint8_t>& out,
                                bool& inScan) {
    std::size_t position = 0;
    while (position + 1 < piece.size()) {
        if (piece[position] != markerPrefix) {
            ++position; // stray bytes between segments: decoders skip them too
            continue;
        }
        const std::uint8_t marker = piece[position + 1];
        if (marker == markerPrefix) {
            ++position; // fill byte
            continue;
        }
        if (marker == startOfImage || marker == endOfImage || isStandalone(marker) || marker == 0x00) {
            position += 2;
            continue;
        }
        if (marker == startOfScan) {
            out.insert(out.end(), piece.begin() + static_cast<std::ptrdiff_t>(position), piece.end());
            inScan = true;
            return;
        }
        if (position + 3 >= piece.size()) {
            return; // a truncated segment header: nothing usable follows
        }
        const std::size_t length = (static_cast<std::size_t>(piece[position + 2]) << 8) | piece[position + 3];
        const std::size_t end = std::min(piece.size(), position + 2 + length);
        out.insert(out.end(), piece.begin() + static_cast<std::ptrdiff_t>(position),
                   piece.begin() + static_cast<std::ptrdiff_t>(end));
        position = end;
    }
}

} // namespace kf::swf
