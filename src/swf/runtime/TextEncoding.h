#pragma once

#include <string>
#include <string_view>

namespace kf::swf {

// Text of the file or of scripts as characters. Strings of SWF 6 and later are UTF-8;
// earlier movies store the author's code page, read here as Latin-1 whenever the bytes are
// not valid UTF-8 (so a malformed string still decodes, byte for character).
std::u32string decodeMovieText(std::string_view bytes);
std::string encodeUtf8(std::u32string_view text);

} // namespace kf::swf
