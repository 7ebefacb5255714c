#pragma once

#include "common/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kf::swf {

// Inflates a zlib stream into at most `expectedSize` bytes. A declared size within a plausible
// ratio of the input is allocated at once; beyond it the output grows as data actually arrives,
// so a small stream that claims a large size allocates little. A stream that ends
// early gives the shorter output; a corrupt one gives an error. `inputOffset` is where the
// stream starts in the file, for messages.
Result<std::vector<std::uint8_t>> inflateZlib(std::span<const std::uint8_t> compressed,
                                              std::size_t expectedSize, std::size_t inputOffset);

// Decodes a raw LZMA stream (as in ZWS files: 5 property bytes, then the data, with no size
// field) into at most `expectedSize` bytes, with the same rules as inflateZlib.
Result<std::vector<std::uint8_t>> decodeLzma(std::span<const std::uint8_t> properties,
                                             std::span<const std::uint8_t> compressed,
                                             std::size_t expectedSize, std::size_t inputOffset);

} // namespace kf::swf
