#include "swf/render/TextLayout.h"

#include "swf/render/DeviceFonts.h"
#include "swf/render/GlyphPathCache.h"
#include "swf/runtime/EditTextObject.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace kf::swf {

namespace {

// A field can hold any amount of text a script sets; only this many characters are laid out.
constexpr std::size_t maximumCharacters = 100000;

bool isBreakable(char32_t code) {
    return code == U' ' || code == U'\t' || code == U'-' || (code >= 0x2E80 && code <= 0x9FFF) ||
           (code >= 0xAC00 && code <= 0xD7AF) || (code >= 0xFF00 && code <= 0xFFEF);
}

} // namespace

struct TextLayout::Placed {
    char32_t code = 0;
    // A copy (shared, not deep): the device glyph cache may move or drop its entries while
    // the rest of the text is looked up.
    QPainterPath path;
    double scale = 1.0;   // path units to twips
    double advance = 0.0; // twips
    double ascent = 0.0;
    double descent = 0.0;
    Rgba color;
    bool underline = false;
    const TextFormat* format = nullptr;
};

const TextLayout& TextLayout::of(const EditTextObject& field) {
    auto* cached = static_cast<TextLayout*>(field.renderCache.get());
    if (!cached || cached->m_revision != field.revision()) {
        auto layout = std::make_shared<TextLayout>(field);
        cached = layout.get();
        field.renderCache = std::move(layout);
    }
    return *cached;
}

TextLayout::TextLayout(const EditTextObject& field) : m_revision(field.revision()) {
    const EditTextSettings& settings = field.settings();
    const FontCharacter* embedded = settings.drawingFont();
    const bool device = !settings.embedFonts && DeviceFonts::available();

    // Every character with its glyph and metrics, paragraphs split at U+000A.
    std::vector<std::vector<Placed>> paragraphs(1);
    std::vector<const TextFormat*> paragraphFormats{&settings.format};
    std::size_t count = 0;
    for (const TextSpan& span : field.spans()) {
        const TextFormat& format = span.format;
        const double size = std::max(0, format.size);
        QFont font;
        DeviceFonts::Metrics metrics;
        if (device) {
            font = DeviceFonts::fontFor(format);
            metrics = DeviceFonts::metrics(font);
        }
        for (char32_t code : span.text) {
            if (++count > maximumCharacters) {
                break;
            }
            if (paragraphs.back().empty() && paragraphFormats.size() == paragraphs.size()) {
                paragraphFormats.back() = &format;
            }
            if (code == U'\n') {
                paragraphs.emplace_back();
                paragraphFormats.push_back(&format);
                continue;
            }
            Placed placed;
            placed.code = settings.password ? U'*' : code;
            placed.color = format.color;
            placed.underline = format.underline;
            placed.format = &format;
            if (embedded) {
                const double scale = size / embedded->emSize();
                placed.scale = scale;
                placed.ascent = embedded->ascent() * scale;
                placed.descent = embedded->descent() * scale;
                if (const auto glyph = embedded->glyphFor(placed.code)) {
                    placed.path = GlyphPathCache::path(*embedded, *glyph);
                    placed.advance = embedded->advance(*glyph) * scale;
                }
            } else if (device) {
                const double scale = size / DeviceFonts::referenceSize;
                const DeviceFonts::Glyph& glyph =
                    DeviceFonts::glyph(font, placed.code == U'\t' ? U' ' : placed.code);
                placed.scale = scale;
                placed.path = glyph.path;
                placed.advance = glyph.advance * scale;
                placed.ascent = metrics.ascent * scale;
                placed.descent = metrics.descent * scale;
            }
            paragraphs.back().push_back(placed);
        }
    }

    const Rect& bounds = settings.bounds;
    m_bounds = QRectF(bounds.xMin.value, bounds.yMin.value, bounds.width().value, bounds.height().value);
    if (settings.autoSize != TextAutoSize::None && !settings.wordWrap) {
        fitWidth(paragraphs, paragraphFormats, settings.autoSize);
    }
    const double fieldWidth = m_bounds.width();
    // Below the first, only lines that fit whole above the bottom gutter are shown.
    const double lowestLineEnd = settings.autoSize == TextAutoSize::None ? m_bounds.bottom() - gutter
                                                                         : std::numeric_limits<double>::max();
    double y = m_bounds.top() + gutter;
    const double top = y;
    bool anyLine = false;
    for (std::size_t index = 0; index < paragraphs.size(); ++index) {
        const std::vector<Placed>& glyphs = paragraphs[index];
        const TextFormat& format = *paragraphFormats[index];
        std::size_t start = 0;
        bool firstLine = true;
        do {
            const double left = gutter + format.leftMargin + (firstLine ? format.indent : 0);
            const double available = fieldWidth - left - gutter - format.rightMargin;
            // The line runs to `end`; with word wrap it ends after the last space that fits,
            // or, in a word longer than the line, before the first character that does not.
            std::size_t end = start;
            double width = 0.0;
            std::size_t lastBreak = start;
            while (end < glyphs.size()) {
                const double next = width + glyphs[end].advance;
                if (settings.wordWrap && next > available && end > start && glyphs[end].code != U' ') {
                    if (lastBreak > start) {
                        end = lastBreak;
                    }
                    break;
                }
                width = next;
                if (isBreakable(glyphs[end].code)) {
                    lastBreak = end + 1;
                }
                ++end;
            }
            double ascent = 0.0;
            double descent = 0.0;
            double shown = 0.0; // width without trailing spaces
            double running = 0.0;
            for (std::size_t at = start; at < end; ++at) {
                ascent = std::max(ascent, glyphs[at].ascent);
                descent = std::max(descent, glyphs[at].descent);
                running += glyphs[at].advance;
                if (glyphs[at].code != U' ') {
                    shown = running;
                }
            }
            if (start == end) {
                // An empty line still takes the height of its format's font.
                Placed probe;
                if (embedded) {
                    probe.ascent = embedded->ascent() * format.size / embedded->emSize();
                    probe.descent = embedded->descent() * format.size / embedded->emSize();
                } else if (device) {
                    const DeviceFonts::Metrics metrics = DeviceFonts::metrics(DeviceFonts::fontFor(format));
                    probe.ascent = metrics.ascent * format.size / DeviceFonts::referenceSize;
                    probe.descent = metrics.descent * format.size / DeviceFonts::referenceSize;
                }
                ascent = probe.ascent;
                descent = probe.descent;
            }
            double x = m_bounds.left() + left;
            if (format.align == TextAlign::Right) {
                x += std::max(0.0, available - shown);
            } else if (format.align == TextAlign::Center) {
                x += std::max(0.0, (available - shown) / 2.0);
            }
            const double baseline = y + ascent;
            if (!anyLine || y + ascent + descent <= lowestLineEnd + 0.5) {
                for (std::size_t at = start; at < end; ++at) {
                    addGlyph(glyphs[at], x, baseline);
                    x += glyphs[at].advance;
                }
            }
            anyLine = true;
            m_textWidth = std::max(m_textWidth, shown + format.leftMargin + format.rightMargin +
                                                    (firstLine ? format.indent : 0));
            y += ascent + descent + format.leading;
            // A wrapped line's spaces stay at its end.
            while (end < glyphs.size() && settings.wordWrap && glyphs[end].code == U' ') {
                ++end;
            }
            start = end;
            firstLine = false;
        } while (start < glyphs.size());
    }
    m_textHeight = y - top;
    if (settings.autoSize != TextAutoSize::None) {
        m_bounds.setHeight(wholePixels(m_textHeight) + 2 * gutter);
    }
}

double TextLayout::wholePixels(double twips) {
    return std::ceil(twips / 20.0 - 1e-6) * 20.0;
}

void TextLayout::fitWidth(const std::vector<std::vector<Placed>>& paragraphs,
                          const std::vector<const TextFormat*>& formats, TextAutoSize mode) {
    // Unwrapped, each paragraph is one line: the widest sets the box, in whole pixels.
    double widest = 0.0;
    for (std::size_t index = 0; index < paragraphs.size(); ++index) {
        double running = 0.0;
        double shown = 0.0;
        for (const Placed& glyph : paragraphs[index]) {
            running += glyph.advance;
            if (glyph.code != U' ') {
                shown = running;
            }
        }
        const TextFormat& format = *formats[index];
        widest = std::max(widest, shown + format.leftMargin + format.rightMargin + format.indent);
    }
    const double width = wholePixels(widest) + 2 * gutter;
    if (mode == TextAutoSize::Center) {
        m_bounds.moveLeft(m_bounds.center().x() - width / 2.0);
    } else if (mode == TextAutoSize::Right) {
        m_bounds.moveLeft(m_bounds.right() - width);
    }
    m_bounds.setWidth(width);
}

void TextLayout::addGlyph(const Placed& glyph, double x, double baseline) {
    if (glyph.underline) {
        const double thickness = std::max(20.0, glyph.ascent / 16.0);
        QPainterPath line;
        line.addRect(QRectF(x, baseline + thickness, glyph.advance, thickness));
        if (m_runs.empty() || !(m_runs.back().color == glyph.color)) {
            m_runs.push_back(Run{QPainterPath(), glyph.color});
        }
        m_runs.back().path.addPath(line);
    }
    if (glyph.path.isEmpty()) {
        return;
    }
    const QPainterPath placed = QTransform(glyph.scale, 0, 0, glyph.scale, x, baseline).map(glyph.path);
    if (m_runs.empty() || !(m_runs.back().color == glyph.color)) {
        m_runs.push_back(Run{QPainterPath(), glyph.color});
        m_runs.back().path.setFillRule(glyph.path.fillRule());
    }
    m_runs.back().path.addPath(placed);
    m_inkBounds = m_inkBounds.united(placed.boundingRect());
}

} // namespace kf::swf
