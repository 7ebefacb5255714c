#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kf::swf::avm1 {

// Strings are kept as UTF-8 (SWF 6 and later); the string methods index characters, so they
// work on code points. Malformed bytes become one code point each, never an error.
std::vector<std::uint32_t> toCodePoints(std::string_view text);
std::string fromCodePoints(const std::vector<std::uint32_t>& codePoints, std::size_t begin = 0,
                           std::size_t end = static_cast<std::size_t>(-1));
void appendCodePoint(std::string& text, std::uint32_t codePoint);

} // namespace kf::swf::avm1
