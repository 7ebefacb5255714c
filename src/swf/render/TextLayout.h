#pragma once

#include "swf/format/Color.h"

#include <QPainterPath>
#include <QRectF>
#include <cstdint>
#include <vector>

namespace kf::swf {

class EditTextObject;
struct TextFormat;
enum class TextAutoSize : std::uint8_t;

// A text field's text set into lines: outlines per colour in the field's own space (twips),
// ready to fill. Built from the field's spans and settings; kept on the field until its
// text or settings change.
class TextLayout {
public:
    struct Run {
        QPainterPath path;
        Rgba color;
    };

    // Flash Player keeps text two pixels inside the field's bounds on every side.
    static constexpr double gutter = 40.0;

    // The layout of `field`, built now when its text changed since the last one.
    static const TextLayout& of(const EditTextObject& field);
    explicit TextLayout(const EditTextObject& field);

    const std::vector<Run>& runs() const { return m_runs; }
    // The field's box, twips, field space: its bounds, or where autoSize moved them.
    const QRectF& bounds() const { return m_bounds; }
    // Where glyphs were set, twips, field space; empty when nothing was.
    const QRectF& inkBounds() const { return m_inkBounds; }
    // The width and height the text takes, gutters excluded (TextField.textWidth/textHeight).
    double textWidth() const { return m_textWidth; }
    double textHeight() const { return m_textHeight; }

private:
    struct Placed;
    void addGlyph(const Placed& glyph, double x, double baseline);
    // Narrows or widens the box to the widest paragraph, keeping the edge `mode` keeps.
    void fitWidth(const std::vector<std::vector<Placed>>& paragraphs,
                  const std::vector<const TextFormat*>& formats, TextAutoSize mode);
    // Twips rounded up to whole pixels.
    static double wholePixels(double twips);

    std::vector<Run> m_runs;
    QRectF m_bounds;
    QRectF m_inkBounds;
    double m_textWidth = 0.0;
    double m_textHeight = 0.0;
    unsigned long long m_revision = 0;
};

} // namespace kf::swf
