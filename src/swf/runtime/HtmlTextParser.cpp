#include "swf/runtime/HtmlTextParser.h"

#include "swf/runtime/TextEncoding.h"

#include <algorithm>
#include <optional>
#include <string>

namespace kf::swf {

namespace {

// Deeper nesting than this is treated as flat text formatting: the formats stay, the stack
// does not grow.
constexpr std::size_t maximumNesting = 256;
constexpr char32_t paragraphEnd = U'\n';

bool isSpace(char32_t code) {
    return code == U' ' || code == U'\t' || code == U'\r' || code == U'\n';
}

char32_t lower(char32_t code) {
    return code >= U'A' && code <= U'Z' ? code + 32 : code;
}

std::string lowerAscii(std::u32string_view text) {
    std::string result;
    for (char32_t code : text) {
        result.push_back(code < 0x80 ? static_cast<char>(lower(code)) : '?');
    }
    return result;
}

std::optional<long> parseNumber(std::u32string_view text, int base) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    long value = 0;
    for (char32_t code : text) {
        int digit = -1;
        if (code >= U'0' && code <= U'9') {
            digit = static_cast<int>(code - U'0');
        } else if (base == 16 && lower(code) >= U'a' && lower(code) <= U'f') {
            digit = static_cast<int>(lower(code) - U'a' + 10);
        }
        if (digit < 0 || digit >= base) {
            return std::nullopt;
        }
        value = value * base + digit;
    }
    return value;
}

struct Attribute {
    std::string name;
    std::u32string value;
};

struct Element {
    std::string name;
    bool closing = false;
    std::vector<Attribute> attributes;

    const std::u32string* attribute(std::string_view wanted) const {
        for (const Attribute& attribute : attributes) {
            if (attribute.name == wanted) {
                return &attribute.value;
            }
        }
        return nullptr;
    }
};

// The inside of <...>: a name, then name="value", name='value' or name=value pairs.
Element parseElement(std::u32string_view inside) {
    Element element;
    std::size_t at = 0;
    auto skipSpaces = [&] {
        while (at < inside.size() && isSpace(inside[at])) {
            ++at;
        }
    };
    skipSpaces();
    if (at < inside.size() && inside[at] == U'/') {
        element.closing = true;
        ++at;
    }
    const std::size_t nameStart = at;
    while (at < inside.size() && !isSpace(inside[at]) && inside[at] != U'/') {
        ++at;
    }
    element.name = lowerAscii(inside.substr(nameStart, at - nameStart));
    while (at < inside.size()) {
        skipSpaces();
        const std::size_t start = at;
        while (at < inside.size() && !isSpace(inside[at]) && inside[at] != U'=' && inside[at] != U'/') {
            ++at;
        }
        if (at == start) {
            ++at; // a stray '/' or '='
            continue;
        }
        Attribute attribute{lowerAscii(inside.substr(start, at - start)), {}};
        skipSpaces();
        if (at < inside.size() && inside[at] == U'=') {
            ++at;
            skipSpaces();
            if (at < inside.size() && (inside[at] == U'"' || inside[at] == U'\'')) {
                const char32_t quote = inside[at++];
                const std::size_t end = std::min(inside.find(quote, at), inside.size());
                attribute.value = inside.substr(at, end - at);
                at = end + 1;
            } else {
                const std::size_t valueStart = at;
                while (at < inside.size() && !isSpace(inside[at])) {
                    ++at;
                }
                attribute.value = inside.substr(valueStart, at - valueStart);
            }
        }
        element.attributes.push_back(std::move(attribute));
    }
    return element;
}

// The character an entity at `at` ('&') stands for, and how many characters it takes.
std::optional<std::pair<char32_t, std::size_t>> readEntity(std::u32string_view text, std::size_t at) {
    const std::size_t end = text.find(U';', at);
    if (end == std::u32string_view::npos || end - at > 10) {
        return std::nullopt;
    }
    const std::u32string_view name = text.substr(at + 1, end - at - 1);
    const std::size_t length = end - at + 1;
    if (!name.empty() && name[0] == U'#') {
        const bool hex = name.size() > 1 && lower(name[1]) == U'x';
        const std::optional<long> value = parseNumber(name.substr(hex ? 2 : 1), hex ? 16 : 10);
        if (!value || *value > 0x10FFFF) {
            return std::nullopt;
        }
        return std::pair{static_cast<char32_t>(*value), length};
    }
    const std::string key = lowerAscii(name);
    if (key == "lt") {
        return std::pair{U'<', length};
    }
    if (key == "gt") {
        return std::pair{U'>', length};
    }
    if (key == "amp") {
        return std::pair{U'&', length};
    }
    if (key == "quot") {
        return std::pair{U'"', length};
    }
    if (key == "apos") {
        return std::pair{U'\'', length};
    }
    if (key == "nbsp") {
        return std::pair{char32_t{0xA0}, length};
    }
    return std::nullopt;
}

class SpanBuilder {
public:
    explicit SpanBuilder(const TextFormat& base) : m_base(base) {}

    const TextFormat& format() const { return m_stack.empty() ? m_base : m_stack.back().format; }

    void push(const std::string& name, TextFormat format) {
        if (m_stack.size() < maximumNesting) {
            m_stack.push_back({name, std::move(format)});
        }
    }
    // Closes the innermost open `name` and whatever opened inside it; false when none is open.
    bool pop(const std::string& name) {
        for (std::size_t index = m_stack.size(); index > 0; --index) {
            if (m_stack[index - 1].name == name) {
                m_stack.resize(index - 1);
                return true;
            }
        }
        return false;
    }

    void append(char32_t code) {
        if (m_pendingParagraph) {
            m_pendingParagraph = false;
            if (!endsParagraph()) {
                add(paragraphEnd);
            }
        }
        add(code);
    }
    // A paragraph ends before the next character, unless the text ends first.
    void endParagraphLater() { m_pendingParagraph = m_started; }
    void startParagraph() {
        m_pendingParagraph = false;
        if (m_started && !endsParagraph()) {
            add(paragraphEnd);
        }
    }

    std::vector<TextSpan> take() { return std::move(m_spans); }

private:
    struct Open {
        std::string name;
        TextFormat format;
    };

    bool endsParagraph() const {
        return !m_spans.empty() && !m_spans.back().text.empty() && m_spans.back().text.back() == paragraphEnd;
    }
    void add(char32_t code) {
        m_started = true;
        if (m_spans.empty() || m_spans.back().format != format()) {
            m_spans.push_back(TextSpan{{}, format()});
        }
        m_spans.back().text.push_back(code);
    }

    TextFormat m_base;
    std::vector<Open> m_stack;
    std::vector<TextSpan> m_spans;
    bool m_started = false;
    bool m_pendingParagraph = false;
};

void applyFontAttributes(const Element& element, TextFormat& format) {
    if (const std::u32string* face = element.attribute("face")) {
        format.font = encodeUtf8(*face);
    }
    if (const std::u32string* size = element.attribute("size")) {
        std::u32string_view digits = *size;
        int sign = 0;
        if (!digits.empty() && (digits[0] == U'+' || digits[0] == U'-')) {
            sign = digits[0] == U'+' ? 1 : -1;
            digits.remove_prefix(1);
        }
        if (const std::optional<long> points = parseNumber(digits, 10)) {
            const long twips = *points * 20;
            format.size = static_cast<int>(sign == 0 ? twips : std::max<long>(0, format.size + sign * twips));
        }
    }
    if (const std::u32string* color = element.attribute("color")) {
        std::u32string_view hex = *color;
        if (!hex.empty() && hex[0] == U'#') {
            hex.remove_prefix(1);
        }
        if (const std::optional<long> value = parseNumber(hex, 16)) {
            format.color = Rgba{static_cast<std::uint8_t>((*value >> 16) & 0xFF),
                                static_cast<std::uint8_t>((*value >> 8) & 0xFF),
                                static_cast<std::uint8_t>(*value & 0xFF), format.color.alpha};
        }
    }
}

void applyParagraphAttributes(const Element& element, TextFormat& format) {
    if (const std::u32string* align = element.attribute("align")) {
        const std::string value = lowerAscii(*align);
        if (value == "left") {
            format.align = TextAlign::Left;
        } else if (value == "right") {
            format.align = TextAlign::Right;
        } else if (value == "center") {
            format.align = TextAlign::Center;
        } else if (value == "justify") {
            format.align = TextAlign::Justify;
        }
    }
    auto twips = [&](std::string_view name, int& target) {
        if (const std::u32string* value = element.attribute(name)) {
            std::u32string_view digits = *value;
            const bool negative = !digits.empty() && digits[0] == U'-';
            if (const std::optional<long> pixels = parseNumber(digits.substr(negative ? 1 : 0), 10)) {
                target = static_cast<int>((negative ? -*pixels : *pixels) * 20);
            }
        }
    };
    twips("leftmargin", format.leftMargin);
    twips("rightmargin", format.rightMargin);
    twips("indent", format.indent);
    twips("leading", format.leading);
    int blockIndent = 0;
    twips("blockindent", blockIndent);
    format.leftMargin += blockIndent;
}

void openElement(const Element& element, SpanBuilder& builder) {
    const std::string& name = element.name;
    TextFormat format = builder.format();
    if (name == "br") {
        builder.append(paragraphEnd);
        return;
    }
    if (name == "p") {
        builder.startParagraph();
        applyParagraphAttributes(element, format);
    } else if (name == "li") {
        builder.startParagraph();
    } else if (name == "font") {
        applyFontAttributes(element, format);
    } else if (name == "b") {
        format.bold = true;
    } else if (name == "i") {
        format.italic = true;
    } else if (name == "u") {
        format.underline = true;
    } else if (name == "a") {
        if (const std::u32string* href = element.attribute("href")) {
            format.url = encodeUtf8(*href);
        }
    } else if (name == "textformat") {
        applyParagraphAttributes(element, format);
    } else if (name != "span") {
        return; // unknown markup is dropped, its text kept
    }
    if (name == "li") {
        builder.push(name, format);
        builder.append(U'\u2022');
        builder.append(U' ');
        return;
    }
    builder.push(name, std::move(format));
}

} // namespace

std::vector<TextSpan> HtmlTextParser::parse(std::u32string_view html, const TextFormat& base) {
    SpanBuilder builder(base);
    std::size_t at = 0;
    while (at < html.size()) {
        const char32_t code = html[at];
        if (code == U'<') {
            const std::size_t end = html.find(U'>', at);
            if (end == std::u32string_view::npos) {
                break; // an unfinished tag shows nothing
            }
            const Element element = parseElement(html.substr(at + 1, end - at - 1));
            at = end + 1;
            if (element.closing) {
                if (builder.pop(element.name) && (element.name == "p" || element.name == "li")) {
                    builder.endParagraphLater();
                }
            } else {
                openElement(element, builder);
            }
            continue;
        }
        if (code == U'&') {
            if (const auto entity = readEntity(html, at)) {
                builder.append(entity->first);
                at += entity->second;
                continue;
            }
        }
        if (code == U'\r') {
            builder.append(paragraphEnd);
            at += at + 1 < html.size() && html[at + 1] == U'\n' ? 2 : 1;
            continue;
        }
        builder.append(code);
        ++at;
    }
    return builder.take();
}

std::vector<TextSpan> HtmlTextParser::plain(std::u32string_view text, const TextFormat& base) {
    std::u32string normalized;
    normalized.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == U'\r') {
            normalized.push_back(paragraphEnd);
            if (at + 1 < text.size() && text[at + 1] == U'\n') {
                ++at;
            }
        } else {
            normalized.push_back(text[at]);
        }
    }
    if (normalized.empty()) {
        return {};
    }
    return {TextSpan{std::move(normalized), base}};
}

} // namespace kf::swf
