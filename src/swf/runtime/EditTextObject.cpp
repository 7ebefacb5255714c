#include "swf/runtime/EditTextObject.h"

#include "swf/runtime/HtmlTextParser.h"
#include "swf/runtime/TextEncoding.h"

#include <algorithm>
#include <cstdio>

namespace kf::swf {

namespace {

// A field that names no font is set in the player's default, 12-pixel Times.
constexpr const char* defaultFont = "Times New Roman";

EditTextSettings settingsOf(const EditTextCharacter& character) {
    const DefineEditTextTag& tag = character.definition();
    EditTextSettings settings;
    settings.bounds = tag.bounds;
    settings.wordWrap = tag.wordWrap;
    settings.multiline = tag.multiline;
    settings.password = tag.password;
    settings.html = tag.html;
    settings.border = tag.border;
    settings.background = tag.border; // the tag's border flag draws both
    settings.autoSize = tag.autoSize ? TextAutoSize::Left : TextAutoSize::None;
    settings.readOnly = tag.readOnly;
    settings.selectable = !tag.noSelect;
    settings.variableName = tag.variableName;
    TextFormat& format = settings.format;
    format.font = defaultFont;
    if (const auto& font = character.font()) {
        format.font = font->name();
        format.bold = font->bold();
        format.italic = font->italic();
        if (font->glyphCount() > 0) {
            settings.embeddedFont = font;
            settings.embedFonts = tag.useOutlines;
        }
    } else if (tag.fontClass) {
        format.font = *tag.fontClass;
    }
    if (tag.fontHeight) {
        format.size = *tag.fontHeight;
    }
    if (tag.color) {
        format.color = *tag.color;
    }
    if (tag.layout) {
        format.align = tag.layout->align;
        format.leftMargin = tag.layout->leftMargin;
        format.rightMargin = tag.layout->rightMargin;
        format.indent = tag.layout->indent;
        format.leading = tag.layout->leading;
    }
    return settings;
}

std::u32string fromAscii(std::string_view text) {
    return std::u32string(text.begin(), text.end());
}

// Markup characters in text, escaped for htmlText.
std::u32string escaped(std::u32string_view text) {
    std::u32string result;
    for (char32_t code : text) {
        switch (code) {
        case U'<':
            result += U"&lt;";
            break;
        case U'>':
            result += U"&gt;";
            break;
        case U'&':
            result += U"&amp;";
            break;
        case U'"':
            result += U"&quot;";
            break;
        default:
            result.push_back(code);
        }
    }
    return result;
}

std::string alignName(TextAlign align) {
    switch (align) {
    case TextAlign::Right:
        return "RIGHT";
    case TextAlign::Center:
        return "CENTER";
    case TextAlign::Justify:
        return "JUSTIFY";
    case TextAlign::Left:
        break;
    }
    return "LEFT";
}

std::u32string openingTags(const TextFormat& format) {
    char color[8];
    std::snprintf(color, sizeof color, "#%02X%02X%02X", format.color.red, format.color.green,
                  format.color.blue);
    std::u32string tags = U"<FONT FACE=\"" + decodeMovieText(format.font) + U"\" SIZE=\"" +
                          fromAscii(std::to_string(format.size / 20)) + U"\" COLOR=\"" + fromAscii(color) +
                          U"\" LETTERSPACING=\"0\" KERNING=\"0\">";
    if (!format.url.empty()) {
        tags += U"<A HREF=\"" + decodeMovieText(format.url) + U"\" TARGET=\"\">";
    }
    if (format.bold) {
        tags += U"<B>";
    }
    if (format.italic) {
        tags += U"<I>";
    }
    if (format.underline) {
        tags += U"<U>";
    }
    return tags;
}

std::u32string closingTags(const TextFormat& format) {
    std::u32string tags;
    if (format.underline) {
        tags += U"</U>";
    }
    if (format.italic) {
        tags += U"</I>";
    }
    if (format.bold) {
        tags += U"</B>";
    }
    if (!format.url.empty()) {
        tags += U"</A>";
    }
    return tags + U"</FONT>";
}

} // namespace

EditTextObject::EditTextObject(DisplayDepth depth, std::shared_ptr<const EditTextCharacter> character)
    : DisplayObject(depth, character->id()), m_settings(settingsOf(*character)) {
    if (const auto& initial = character->definition().initialText) {
        m_initialText = decodeMovieText(*initial);
        setText(m_initialText, m_settings.html);
    }
}

EditTextObject::EditTextObject(DisplayDepth depth, const Rect& bounds) : DisplayObject(depth, CharacterId{}) {
    m_settings.bounds = bounds;
    m_settings.readOnly = false;
    m_settings.format.font = defaultFont;
}

std::u32string EditTextObject::text() const {
    std::u32string text = plainTextOf(m_spans);
    for (char32_t& code : text) {
        if (code == U'\n') {
            code = U'\r';
        }
    }
    return text;
}

void EditTextObject::setText(std::u32string_view text, bool asHtml) {
    m_spans = asHtml && m_settings.html ? HtmlTextParser::parse(text, m_settings.format)
                                        : HtmlTextParser::plain(text, m_settings.format);
    touch();
}

void EditTextObject::setColor(Rgba color) {
    m_settings.format.color = color;
    for (TextSpan& span : m_spans) {
        span.format.color = color;
    }
    touch();
}

void EditTextObject::changeFormat(std::size_t begin, std::size_t end,
                                  const std::function<void(TextFormat&)>& change) {
    std::vector<TextSpan> changed;
    std::size_t at = 0;
    for (TextSpan& span : m_spans) {
        const std::size_t spanEnd = at + span.text.size();
        const std::size_t from = std::clamp(begin, at, spanEnd) - at;
        const std::size_t to = std::clamp(end, at, spanEnd) - at;
        if (from >= to) {
            changed.push_back(std::move(span));
        } else {
            // Up to three pieces: before the range, inside it, after it.
            TextSpan inside{span.text.substr(from, to - from), span.format};
            change(inside.format);
            if (from > 0) {
                changed.push_back(TextSpan{span.text.substr(0, from), span.format});
            }
            changed.push_back(std::move(inside));
            if (to < span.text.size()) {
                changed.push_back(TextSpan{span.text.substr(to), span.format});
            }
        }
        at = spanEnd;
    }
    // Neighbours that now agree become one span again.
    m_spans.clear();
    for (TextSpan& span : changed) {
        if (!m_spans.empty() && m_spans.back().format == span.format) {
            m_spans.back().text += span.text;
        } else {
            m_spans.push_back(std::move(span));
        }
    }
    touch();
}

std::vector<const TextFormat*> EditTextObject::formatsIn(std::size_t begin, std::size_t end) const {
    std::vector<const TextFormat*> formats;
    std::size_t at = 0;
    for (const TextSpan& span : m_spans) {
        const std::size_t spanEnd = at + span.text.size();
        if (spanEnd > begin && at < end) {
            formats.push_back(&span.format);
        }
        at = spanEnd;
    }
    return formats;
}

std::u32string EditTextObject::htmlText() const {
    // One P per paragraph, one FONT run per span inside it, as the player writes it back.
    std::u32string html;
    bool open = false;
    auto openParagraph = [&](const TextFormat& format) {
        html += U"<P ALIGN=\"" + fromAscii(alignName(format.align)) + U"\">";
        open = true;
    };
    for (const TextSpan& span : m_spans) {
        std::size_t at = 0;
        while (at <= span.text.size()) {
            const std::size_t end = std::min(span.text.find(U'\n', at), span.text.size());
            if (!open) {
                openParagraph(span.format);
            }
            if (end > at) {
                html += openingTags(span.format) +
                        escaped(std::u32string_view(span.text).substr(at, end - at)) +
                        closingTags(span.format);
            }
            if (end == span.text.size()) {
                break;
            }
            html += U"</P>";
            open = false;
            at = end + 1;
        }
    }
    if (!open) {
        openParagraph(m_settings.format);
        html += openingTags(m_settings.format) + closingTags(m_settings.format);
    }
    return html + U"</P>";
}

} // namespace kf::swf
