#pragma once

#include "common/Result.h"
#include "swf/format/Movie.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kf::swf {

struct ReadOptions {
    // A declared uncompressed size above this is refused before anything is inflated, so a
    // small compressed file cannot make us allocate gigabytes.
    std::size_t maxUncompressedSize = std::size_t{512} * 1024 * 1024;
    // DefineSprite inside DefineSprite is invalid but occurs; deeper nesting is refused.
    int maxSpriteNesting = 8;
    // The parsed structs may take about this much memory (tags, shape records, styles,
    // actions, counted roughly and before they are allocated). A record of a few bits becomes
    // a struct of a hundred bytes, so a movie within maxUncompressedSize could otherwise ask
    // for tens of gigabytes.
    std::size_t maxDecodedSize = std::size_t{4} * 1024 * 1024 * 1024;
    // Compressed bodies of at least this many bytes are decompressed on a second thread
    // while their tags are read. Below it a body decompresses in less time than starting a
    // thread saves.
    std::size_t smallestStreamedBody = std::size_t{4} * 1024 * 1024;
};

// Reads a whole SWF file image (FWS, CWS or ZWS). Malformed input gives an error whose
// message says what and where, e.g. "truncated DefineShape3 at offset 1234".
Result<Movie> readMovie(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});

// Only the header, for tools and loaders that want the facts without the tags.
Result<Header> readHeader(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});

// Decodes one block of action bytes (DoAction body, clip or button actions).
ActionBlock decodeActions(std::span<const std::uint8_t> bytes);

} // namespace kf::swf
