#pragma once

#include "swf/format/Color.h"
#include "swf/format/TextTags.h"

#include <string>
#include <vector>

namespace kf::swf {

// How a stretch of a text field is set. Sizes and margins are in twips.
struct TextFormat {
    std::string font; // a device font name, or the embedded font's name
    int size = 240;
    Rgba color{0, 0, 0, 255};
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string url;
    // Paragraph properties: a paragraph takes those of the span that starts it.
    TextAlign align = TextAlign::Left;
    int leftMargin = 0;
    int rightMargin = 0;
    int indent = 0;
    int leading = 0;
    bool operator==(const TextFormat&) const = default;
};

// A stretch of text in one format. U+000A inside `text` ends a paragraph.
struct TextSpan {
    std::u32string text;
    TextFormat format;
    bool operator==(const TextSpan&) const = default;
};

// The characters of the spans, without their formats.
std::u32string plainTextOf(const std::vector<TextSpan>& spans);

} // namespace kf::swf
