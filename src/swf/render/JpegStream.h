#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kf::swf {

// Joins a movie's JPEG pieces into one stream a decoder accepts. DefineBits images keep
// their tables in JPEGTables, each piece with its own start and end markers; old encoders
// also put an end/start marker pair at the very front of DefineBitsJPEG2 data, and some
// leave out the final end marker. The result has one start marker, every segment up to the
// first scan in order, the scan data, and exactly one end marker.
class JpegStream {
public:
    // `tables` may be empty (no JPEGTables, or an empty one).
    static std::vector<std::uint8_t> join(std::span<const std::uint8_t> tables,
                                          std::span<const std::uint8_t> image);

private:
    static void appendSegments(std::span<const std::uint8_t> piece, std::vector<std::uint8_t>& out,
                               bool& inScan);
};

} // namespace kf::swf
