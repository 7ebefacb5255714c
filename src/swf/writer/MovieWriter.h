#pragma once

#include "swf/format/Movie.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kf::swf {

// A whole SWF file from a movie: header fields from `movie.header` (its fileLength is
// ignored and computed), tags as they are (add the End tag yourself, or use MovieBuilder),
// compressed as `movie.header.compression` says.
std::vector<std::uint8_t> writeMovie(const Movie& movie);

// A file from already written tag bytes; tests use it to wrap a hand-made or damaged tag
// stream. The header's fileLength is computed.
std::vector<std::uint8_t> writeMovieFile(const Header& header, std::span<const std::uint8_t> tagStream);

} // namespace kf::swf
