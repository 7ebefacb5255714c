#pragma once

#include "swf/runtime/TextSpan.h"

#include <string_view>
#include <vector>

namespace kf::swf {

// Reads the HTML subset text fields accept (p, br, font face/size/color, b, i, u, a,
// textformat, li, span) into formatted spans. Markup is taken as it comes: unknown tags are
// skipped, unclosed tags stay open to the end, a stray closing tag is ignored, and an
// unfinished tag or entity reads as nothing or as text. Nesting is bounded, so no input
// can exhaust memory beyond the size of its text.
class HtmlTextParser {
public:
    static std::vector<TextSpan> parse(std::u32string_view html, const TextFormat& base);
    // Plain text, with CR, LF and CR LF each ending a paragraph.
    static std::vector<TextSpan> plain(std::u32string_view text, const TextFormat& base);
};

} // namespace kf::swf
