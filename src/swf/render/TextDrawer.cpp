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
        // The border reaches a pixel past the box on the right and at the bottom.
        return world.mapRect(TextLayout::of(*field).bounds()).adjusted(-1.0, -1.0, 2.0, 2.0);
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
                           const ColorTransform& objectTransform, bool mask) {
    const EditTextSettings& settings = field.settings();
    const TextLayout& layout = TextLayout::of(field);
    const QRectF bounds = layout.bounds();
    if (bounds.isEmpty()) {
        return;
    }
    QPainterPath box;
    box.addRect(bounds);
    if (mask) {
        // A field masks with its glyphs, as Flash Player's embedded-font masks do.
        for (const TextLayout::Run& run : layout.runs()) {
            const QBrush brush(Qt::black);
            m_backend.fillPath(run.path, world, FillPaint{&brush, nullptr});
        }
        return;
    }
    // Text in device fonts is drawn opaque whatever alpha the colour transform asks for, and
    // so are its field's background and border.
    ColorTransform transform = objectTransform;
    if (!settings.drawingFont()) {
        transform.alphaMultiplier = 256;
        transform.alphaAddition = 0;
    }
    const std::optional<QRect> pixels = devicePixels(bounds, world);
    if (settings.background) {
        const QBrush brush(colorOf(settings.backgroundColor, transform));
        if (pixels) {
            QPainterPath area;
            area.addRect(*pixels);
            m_backend.fillPath(area, QTransform(), FillPaint{&brush, nullptr});
        } else {
            m_backend.fillPath(box, world, FillPaint{&brush, nullptr});
        }
    }
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
        drawBorder(bounds, pixels, world, colorOf(settings.borderColor, transform));
    }
}

std::optional<QRect> TextDrawer::devicePixels(const QRectF& bounds, const QTransform& world) {
    if (world.type() > QTransform::TxScale) {
        return std::nullopt;
    }
    // Edges land on the nearest pixel boundary, a half pixel going to the lower one.
    const QRectF mapped = world.mapRect(bounds);
    const auto snap = [](double value) { return static_cast<int>(std::ceil(value - 0.5)); };
    const int left = snap(mapped.left());
    const int top = snap(mapped.top());
    return QRect(QPoint(left, top),
                 QSize(std::max(0, snap(mapped.right()) - left), std::max(0, snap(mapped.bottom()) - top)));
}

void TextDrawer::drawBorder(const QRectF& bounds, const std::optional<QRect>& pixels, const QTransform& world,
                            const QColor& color) {
    if (!pixels) {
        // Turned or sheared: a one-pixel line along the box.
        QPen pen(color, 1.0);
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::MiterJoin);
        m_backend.strokePath(
            [&] {
                QPainterPath frame;
                frame.addRect(bounds);
                return frame;
            }(),
            world, pen);
        return;
    }
    // Four one-pixel bars, each starting on a corner and running clockwise to the next: the
    // right and bottom ones lie just outside the box, and the bottom-right corner pixel is
    // left out, as Flash Player draws it.
    const int left = pixels->x();
    const int top = pixels->y();
    const int right = left + pixels->width();
    const int bottom = top + pixels->height();
    QPainterPath frame;
    frame.setFillRule(Qt::WindingFill);
    frame.addRect(QRectF(left, top, right - left, 1));
    frame.addRect(QRectF(right, top, 1, bottom - top));
    frame.addRect(QRectF(left, bottom, right - left, 1));
    frame.addRect(QRectF(left, top, 1, bottom - top));
    const QBrush brush(color);
    m_backend.fillPath(frame, QTransform(), FillPaint{&brush, nullptr});
}

} // namespace kf::swf
