#pragma once

#include "common/Result.h"

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Whether `expectedSize` decoded bytes may be allocated up front for `compressedSize` bytes
// of input: a SWF body compresses a few times over, and a declared size far beyond that is
// a bomb or a lie.
bool isPlausibleDecodedSize(std::size_t compressedSize, std::size_t expectedSize);

// Told how many bytes are decoded so far, as decoding goes on; returning false stops it.
using DecodeProgress = std::function<bool(std::size_t produced)>;

// The same decoders writing into a buffer of fixed size (at most its size is decoded),
// telling `progress` of every step, for a reader that reads the bytes while they arrive.
// The decoded size, or the error the functions above would give.
Result<std::size_t> inflateZlibInto(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> output,
                                    std::size_t inputOffset, const DecodeProgress& progress);
Result<std::size_t> decodeLzmaInto(std::span<const std::uint8_t> properties,
                                   std::span<const std::uint8_t> compressed, std::span<std::uint8_t> output,
                                   std::size_t inputOffset, const DecodeProgress& progress);

} // namespace kf::swf
