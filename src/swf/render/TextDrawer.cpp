#include "swf/render/TextDrawer.h"

#include "swf/render/GlyphPathCache.h"
#include "swf/render/RenderBackend.h"
#include "swf/render/TextLayout.h"
#include "swf/runtime/EditTextObject.h"
#include "swf/runtime/TextCharacter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace kf::swf {

namespace {

QColor colorOf(Rgba color, const ColorTransform& transform) {
    const Rgba shown = transform.apply(color);
    return QColor(shown.red, shown.green, shown.blue, shown.alpha);
}

QTransform transformOf(const Matrix& matrix) {
    return QTransform(matrix.a, matrix.b, matrix.c, matrix.d, matrix.tx, matrix.ty);
}

QRectF rectOf(const Rect& rect) {
    return QRectF(rect.xMin.value, rect.yMin.value, rect.width().value, rect.height().value);
}

// A DefineText's glyph runs joined per colour in the text's space, built on first draw and
// hung on TextCharacter::renderCache.
struct StaticTextRuns {
    std::vector<TextLayout::Run> runs;
    QRectF bounds;

    static const StaticTextRuns& of(const TextCharacter& text);
};

const StaticTextRuns& StaticTextRuns::of(const TextCharacter& text) {
    if (text.renderCache) {
        return *static_cast<const StaticTextRuns*>(text.renderCache.get());
    }
    auto built = std::make_shared<StaticTextRuns>();
    const DefineTextTag& definition = text.definition();
    double x = 0.0;
    double y = 0.0;
    double height = 0.0;
    Rgba color{0, 0, 0, 255};
    for (std::size_t index = 0; index < definition.records.size(); ++index) {
        const TextRecord& record = definition.records[index];
        const FontCharacter* font = text.fontOf(index);
        if (record.height) {
            height = *record.height;
        }
        if (record.color) {
            color = *record.color;
        }
        if (record.xOffset) {
            x = record.xOffset->value;
        }
        if (record.yOffset) {
            y = record.yOffset->value;
        }
        for (const GlyphEntry& glyph : record.glyphs) {
            if (font) {
                const QPainterPath& outline = GlyphPathCache::path(*font, glyph.index);
                if (!outline.isEmpty()) {
                    const double scale = height / font->emSize();
                    if (built->runs.empty() || !(built->runs.back().color == color)) {
                        built->runs.push_back(TextLayout::Run{QPainterPath(), color});
                        built->runs.back().path.setFillRule(outline.fillRule());
                    }
                    built->runs.back().path.addPath(QTransform(scale, 0, 0, scale, x, y).map(outline));
                }
            }
            x += glyph.advance;
        }
    }
    for (const TextLayout::Run& run : built->runs) {
        built->bounds = built->bounds.united(run.path.boundingRect());
    }
    text.renderCache = built;
    return *built;
}

} // namespace

void TextDrawer::draw(const DisplayObject& object, const QTransform& world, const ColorTransform& transform) {
    if (const TextCharacter* text = object.textCharacter()) {
        drawStatic(*text, world, transform, false);
    } else if (const EditTextObject* field = object.asEditText()) {
        drawField(*field, world, transform, false);
    }
}

void TextDrawer::drawMask(const DisplayObject& object, const QTransform& world) {
    if (const TextCharacter* text = object.textCharacter()) {
        drawStatic(*text, world, ColorTransform{}, true);
    } else if (const EditTextObject* field = object.asEditText()) {
        drawField(*field, world, ColorTransform{}, true);
    }
}

QRectF TextDrawer::deviceBounds(const DisplayObject& object, const QTransform& world) {
    if (const TextCharacter* text = object.textCharacter()) {
        const StaticTextRuns& runs = StaticTextRuns::of(*text);
        return (transformOf(text->definition().matrix) * world)
            .mapRect(runs.bounds)
            .adjusted(-1.0, -1.0, 1.0, 1.0);
    }
    if (const EditTextObject* field = object.asEditText()) {
        return world.mapRect(rectOf(field->settings().bounds)).adjusted(-1.0, -1.0, 1.0, 1.0);
    }
    return {};
}

void TextDrawer::drawStatic(const TextCharacter& text, const QTransform& world,
                            const ColorTransform& transform, bool mask) {
    const QTransform textWorld = transformOf(text.definition().matrix) * world;
    for (const TextLayout::Run& run : StaticTextRuns::of(text).runs) {
        const QBrush brush(mask ? QColor(Qt::black) : colorOf(run.color, transform));
        m_backend.fillPath(run.path, textWorld, FillPaint{&brush, nullptr});
    }
}

void TextDrawer::drawField(const EditTextObject& field, const QTransform& world,
                           const ColorTransform& transform, bool mask) {
    const EditTextSettings& settings = field.settings();
    const QRectF bounds = rectOf(settings.bounds);
    if (bounds.isEmpty()) {
        return;
    }
    QPainterPath box;
    box.addRect(bounds);
    if (mask) {
        // A field masks with its glyphs, as Flash Player's embedded-font masks do.
        for (const TextLayout::Run& run : TextLayout::of(field).runs()) {
            const QBrush brush(Qt::black);
            m_backend.fillPath(run.path, world, FillPaint{&brush, nullptr});
        }
        return;
    }
    if (settings.background) {
        const QBrush brush(colorOf(settings.backgroundColor, transform));
        m_backend.fillPath(box, world, FillPaint{&brush, nullptr});
    }
    const TextLayout& layout = TextLayout::of(field);
    // Text past the field's edges is cut off there.
    const bool clip = !layout.inkBounds().isEmpty() && !bounds.contains(layout.inkBounds());
    if (clip) {
        m_backend.beginMask(world.mapRect(bounds));
        const QBrush brush(Qt::black);
        m_backend.fillPath(box, world, FillPaint{&brush, nullptr});
        m_backend.endMask();
    }
    for (const TextLayout::Run& run : layout.runs()) {
        const QBrush brush(colorOf(run.color, transform));
        m_backend.fillPath(run.path, world, FillPaint{&brush, nullptr});
    }
    if (clip) {
        m_backend.popMask();
    }
    if (settings.border) {
        // A one-pixel line through the pixels the bounds start on: Flash Player's border
        // covers the pixel column at xMax as well, one more than the field is wide.
        const double half = 0.5 / std::max(1e-9, std::sqrt(std::abs(world.determinant())));
        QPainterPath frame;
        frame.addRect(bounds.translated(half, half));
        QPen pen(colorOf(settings.borderColor, transform), 1.0);
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::MiterJoin);
        m_backend.strokePath(frame, world, pen);
    }
}

} // namespace kf::swf
