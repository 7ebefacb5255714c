#include "swf/render/DisplayTreeWalker.h"

#include "swf/render/BitmapFillBrush.h"
#include "swf/render/LayerEffects.h"
#include "swf/render/MorphRenderCache.h"
#include "swf/render/RenderBackend.h"
#include "swf/render/ShapeDrawer.h"
#include "swf/runtime/BitmapObject.h"
#include "swf/runtime/ClipDrawing.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/SpriteObject.h"

#include <cmath>
#include <optional>
#include <vector>

namespace kf::swf {

namespace {

// Beyond these an object is either far outside any output or scaled past what the
// rasteriser's coordinates can hold: output pixels per twip, and pixels of offset.
constexpr double largestScale = 1e6;
constexpr double largestOffset = 1e9;

// The object's world transform, or nothing when it is degenerate (a zero scale hides the
// object; a NaN or a runaway product of nested scales would poison the rasteriser).
std::optional<QTransform> worldOf(const DisplayObject& object, const QTransform& parentWorld) {
    const Matrix matrix = object.contentMatrix();
    const QTransform world =
        QTransform(matrix.a, matrix.b, matrix.c, matrix.d, matrix.tx, matrix.ty) * parentWorld;
    const double determinant = world.determinant();
    const bool bounded = std::abs(world.m11()) <= largestScale && std::abs(world.m12()) <= largestScale &&
                         std::abs(world.m21()) <= largestScale && std::abs(world.m22()) <= largestScale &&
                         std::abs(world.dx()) <= largestOffset && std::abs(world.dy()) <= largestOffset;
    if (!bounded || !std::isfinite(determinant) || determinant == 0.0) {
        return std::nullopt;
    }
    return world;
}

// Alpha and erase act on the layer of a parent whose blend mode makes one; with none they
// have nothing to act on and Flash Player shows nothing of the object.
// What scripts drew into a clip with the drawing API.
const ShapeCharacter* drawnShape(const DisplayObject& object) {
    const DisplayList* children = object.children();
    return children != nullptr && children->drawing() != nullptr ? children->drawing()->shape() : nullptr;
}

bool needsParentLayer(BlendMode mode) {
    return mode == BlendMode::Alpha || mode == BlendMode::Erase;
}

} // namespace

DisplayTreeWalker::DisplayTreeWalker(RenderBackend& backend, ShapeDrawer& drawer)
    : m_backend(backend), m_drawer(drawer), m_textDrawer(backend) {}

void DisplayTreeWalker::walk(const DisplayList& list, const QTransform& parentWorld,
                             const ColorTransform& parentTransform) {
    if (m_nesting >= maximumNesting) {
        return;
    }
    if (m_nesting == 0) {
        m_stageWorld = parentWorld;
    }
    ++m_nesting;
    // What scripts drew into the clip (the root's too) lies beneath its children.
    if (const ShapeCharacter* drawn = list.drawing() ? list.drawing()->shape() : nullptr) {
        m_drawer.draw(*drawn, parentWorld, parentTransform);
    }
    std::vector<DisplayDepth> openMasks; // clip depths, innermost last
    for (const auto& [depth, object] : list.objects()) {
        while (!openMasks.empty() && openMasks.back() < depth) {
            m_backend.popMask();
            openMasks.pop_back();
        }
        if (!object) {
            continue;
        }
        const std::optional<QTransform> world = worldOf(*object, parentWorld);
        // A timeline mask paired by a script (either side of setMask) is one no more.
        if (object->clipDepth() && !object->scriptMask() && !object->maskedObject()) {
            // A degenerate mask covers nothing, so what it masks stays hidden.
            m_backend.beginMask(world ? deviceBounds(*object, *world, m_nesting) : QRectF());
            if (world) {
                drawMaskObject(*object, *world);
            }
            m_backend.endMask();
            openMasks.push_back(*object->clipDepth());
            continue;
        }
        if (!object->visible() || !world || isScriptMask(*object)) {
            continue;
        }
        const ColorTransform transform = object->colorTransform().concatenated(parentTransform);
        const BlendMode mode = object->blendMode();
        if (needsParentLayer(mode) && m_openLayers == 0) {
            continue;
        }
        const QTransform objectWorld = drawsAsBitmap(*object) ? pixelAligned(*world) : *world;
        const bool masked = beginScriptMask(*object);
        const std::optional<LayerEffects> effects = LayerEffects::forObject(*object, objectWorld);
        if (effects) {
            m_backend.pushLayer(*effects, deviceBounds(*object, objectWorld, m_nesting));
            ++m_openLayers;
        }
        const bool scrolled = beginScrollClip(*object, objectWorld);
        drawObject(*object, objectWorld, transform);
        if (scrolled) {
            m_backend.popMask();
        }
        if (effects) {
            --m_openLayers;
            m_backend.popLayer();
        }
        if (masked) {
            m_backend.popMask();
        }
    }
    while (!openMasks.empty()) {
        m_backend.popMask();
        openMasks.pop_back();
    }
    --m_nesting;
}

bool DisplayTreeWalker::isScriptMask(const DisplayObject& object) {
    const DisplayObject* masked = object.maskedObject();
    return masked && !masked->isRemoved();
}

bool DisplayTreeWalker::beginScriptMask(const DisplayObject& object) {
    const DisplayObject* mask = object.scriptMask();
    if (!mask || mask->isRemoved()) {
        return false;
    }
    // The mask sits anywhere in the tree: it masks from where its own parents put it.
    const Matrix placement = mask->parent() ? mask->parent()->worldMatrix() : Matrix{};
    const QTransform parentWorld =
        QTransform(placement.a, placement.b, placement.c, placement.d, placement.tx, placement.ty) *
        m_stageWorld;
    const std::optional<QTransform> maskWorld = worldOf(*mask, parentWorld);
    m_backend.beginMask(maskWorld ? deviceBounds(*mask, *maskWorld, m_nesting) : QRectF());
    if (maskWorld) {
        drawMaskObject(*mask, *maskWorld);
    }
    m_backend.endMask();
    return true;
}

void DisplayTreeWalker::drawObject(const DisplayObject& object, const QTransform& world,
                                   const ColorTransform& transform) {
    if (const BitmapObject* bitmap = object.asBitmap()) {
        drawBitmap(*bitmap, world, transform, false);
    }
    if (const ShapeCharacter* shape = object.shapeCharacter()) {
        m_drawer.draw(*shape, world, transform);
    }
    if (const MorphShapeCharacter* morph = object.morphShapeCharacter()) {
        m_drawer.draw(MorphRenderCache::at(*morph, object.ratio()), world, transform);
    }
    m_textDrawer.draw(object, world, transform);
    if (const DisplayList* children = object.children()) {
        walk(*children, world, transform);
    }
}

bool DisplayTreeWalker::beginScrollClip(const DisplayObject& object, const QTransform& world) {
    const std::optional<Rect>& area = object.scrollRect();
    if (!area) {
        return false;
    }
    QPainterPath shown;
    shown.addRect(QRectF(area->xMin.value, area->yMin.value, area->width().value, area->height().value));
    m_backend.beginMask(world.mapRect(shown.boundingRect()));
    const QBrush solid(Qt::black);
    m_backend.fillPath(shown, world, FillPaint{&solid, nullptr});
    m_backend.endMask();
    return true;
}

QRectF DisplayTreeWalker::bitmapArea(const BitmapObject& bitmap) {
    const BitmapSurface& surface = *bitmap.surface();
    return QRectF(0, 0, surface.width() * 20.0, surface.height() * 20.0);
}

void DisplayTreeWalker::drawBitmap(const BitmapObject& bitmap, const QTransform& world,
                                   const ColorTransform& transform, bool asMask) {
    const BitmapSurface& surface = *bitmap.surface();
    if (surface.disposed() || surface.width() <= 0 || surface.height() <= 0) {
        return;
    }
    QPainterPath area;
    area.addRect(bitmapArea(bitmap));
    if (asMask) {
        const QBrush solid(Qt::black);
        m_backend.fillPath(area, world, FillPaint{&solid, nullptr});
        return;
    }
    // The pixels are drawn where they are, without a copy, unless a colour transform applies.
    const QImage pixels(reinterpret_cast<const uchar*>(surface.premultipliedPixels()), surface.width(),
                        surface.height(), surface.width() * 4, QImage::Format_ARGB32_Premultiplied);
    QBrush brush(transform.isIdentity() ? pixels : BitmapFillBrush::recolored(pixels, transform));
    brush.setTransform(QTransform::fromScale(20.0, 20.0));
    m_backend.fillPath(area, world, FillPaint{&brush, nullptr, bitmap.smoothing()});
}

void DisplayTreeWalker::drawMaskObject(const DisplayObject& object, const QTransform& world) {
    if (m_nesting >= maximumNesting) {
        return;
    }
    if (const ShapeCharacter* shape = object.shapeCharacter()) {
        m_drawer.drawMask(*shape, world);
    }
    if (const BitmapObject* bitmap = object.asBitmap()) {
        drawBitmap(*bitmap, world, ColorTransform{}, true);
    }
    if (const MorphShapeCharacter* morph = object.morphShapeCharacter()) {
        m_drawer.drawMask(MorphRenderCache::at(*morph, object.ratio()), world);
    }
    m_textDrawer.drawMask(object, world);
    if (const ShapeCharacter* drawn = drawnShape(object)) {
        m_drawer.drawMask(*drawn, world);
    }
    const DisplayList* children = object.children();
    if (!children) {
        return;
    }
    // A sprite used as a mask masks with everything it draws, its own masks aside.
    ++m_nesting;
    for (const auto& [depth, child] : children->objects()) {
        if (!child || child->clipDepth() || !child->visible()) {
            continue;
        }
        if (const std::optional<QTransform> childWorld = worldOf(*child, world)) {
            drawMaskObject(*child, *childWorld);
        }
    }
    --m_nesting;
}

QRectF DisplayTreeWalker::deviceBounds(const DisplayObject& object, const QTransform& world,
                                       int level) const {
    QRectF bounds;
    if (const ShapeCharacter* shape = object.shapeCharacter()) {
        bounds = ShapeDrawer::deviceBounds(*shape, world);
    }
    if (const MorphShapeCharacter* morph = object.morphShapeCharacter()) {
        bounds = ShapeDrawer::deviceBounds(MorphRenderCache::at(*morph, object.ratio()), world);
    }
    bounds = bounds.united(TextDrawer::deviceBounds(object, world));
    if (const BitmapObject* bitmap = object.asBitmap()) {
        bounds = bounds.united(world.mapRect(bitmapArea(*bitmap)));
    }
    if (const ShapeCharacter* drawn = drawnShape(object)) {
        bounds = bounds.united(ShapeDrawer::deviceBounds(*drawn, world));
    }
    const DisplayList* children = object.children();
    if (!children || level >= maximumNesting) {
        return bounds;
    }
    for (const auto& [depth, child] : children->objects()) {
        if (!child || child->clipDepth() || !child->visible()) {
            continue;
        }
        if (const std::optional<QTransform> childWorld = worldOf(*child, world)) {
            bounds = bounds.united(deviceBounds(*child, *childWorld, level + 1));
        }
    }
    return bounds;
}

} // namespace kf::swf
