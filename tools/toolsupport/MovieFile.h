#pragma once

#include "common/Result.h"
#include "swf/format/Movie.h"

#include <QString>

namespace kf::swf {

// Reads and parses a SWF file. Errors name the file and what went wrong, in one line.
Result<Movie> readMovieFile(const QString& path);

// The file: URL of a movie file, for _url and the movies it loads beside it.
std::string movieUrl(const QString& path);

// "version 6, 550x400 px, 12 fps, 10 frames, zlib" for logs and tool output.
std::string describeHeader(const Header& header);

} // namespace kf::swf
