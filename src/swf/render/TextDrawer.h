#pragma once

#include "swf/format/Color.h"

#include <QColor>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <optional>

namespace kf::swf {

class DisplayObject;
class EditTextObject;
class RenderBackend;
class TextCharacter;

// Draws the text objects of the display tree through a backend: static text (DefineText
// glyph runs) and text fields (their layout, background and border).
class TextDrawer {
public:
    explicit TextDrawer(RenderBackend& backend) : m_backend(backend) {}

    // Draws `object` when it is a text object; anything else is left alone.
    void draw(const DisplayObject& object, const QTransform& world, const ColorTransform& transform);
    // The object's coverage only, for a mask.
    void drawMask(const DisplayObject& object, const QTransform& world);
    // Where a text object lands in output pixels; empty for other objects.
    static QRectF deviceBounds(const DisplayObject& object, const QTransform& world);

private:
    void drawStatic(const TextCharacter& text, const QTransform& world, const ColorTransform& transform,
                    bool mask);
    void drawField(const EditTextObject& field, const QTransform& world, const ColorTransform& transform,
                   bool mask);

    // The field's box in whole output pixels, when it lands upright (no turn or shear).
    static std::optional<QRect> devicePixels(const QRectF& bounds, const QTransform& world);
    void drawBorder(const QRectF& bounds, const std::optional<QRect>& pixels, const QTransform& world,
                    const QColor& color);

    RenderBackend& m_backend;
};

} // namespace kf::swf
