#include "swf/avm1/Utf8.h"

#include <algorithm>

namespace kf::swf::avm1 {

std::vector<std::uint32_t> toCodePoints(std::string_view text) {
    std::vector<std::uint32_t> codePoints;
    codePoints.reserve(text.size());
    for (std::size_t index = 0; index < text.size();) {
        const auto lead = static_cast<unsigned char>(text[index]);
        std::size_t length = lead < 0x80         ? 1
                             : (lead >> 5) == 6  ? 2
                             : (lead >> 4) == 14 ? 3
                             : (lead >> 3) == 30 ? 4
                                                 : 0;
        bool valid = length > 0 && index + length <= text.size();
        std::uint32_t codePoint = length == 1   ? lead
                                  : length == 2 ? (lead & 0x1Fu)
                                  : length == 3 ? (lead & 0x0Fu)
                                                : (lead & 0x07u);
        for (std::size_t follow = 1; valid && follow < length; ++follow) {
            const auto next = static_cast<unsigned char>(text[index + follow]);
            valid = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            codePoints.push_back(lead);
            ++index;
            continue;
        }
        codePoints.push_back(codePoint);
        index += length;
    }
    return codePoints;
}

void appendCodePoint(std::string& text, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        text.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        codePoint = std::min<std::uint32_t>(codePoint, 0x10FFFF);
        text.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

std::string fromCodePoints(const std::vector<std::uint32_t>& codePoints, std::size_t begin, std::size_t end) {
    std::string text;
    end = std::min(end, codePoints.size());
    for (std::size_t index = begin; index < end; ++index) {
        appendCodePoint(text, codePoints[index]);
    }
    return text;
}

} // namespace kf::swf::avm1
