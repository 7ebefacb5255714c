#include "swf/render/PainterBackend.h"

#include "swf/render/AliasedScanConverter.h"
#include "swf/render/BitmapFilters.h"
#include "swf/render/BlendCompositor.h"
#include "swf/render/CurveFlattener.h"
#include "swf/render/GradientRamp.h"
#include "swf/render/GradientShader.h"
#include "swf/render/SpanFiller.h"

#include <QPainterPathStroker>
#include <algorithm>

namespace kf::swf {

PainterBackend::PainterBackend() = default;

PainterBackend::~PainterBackend() {
    endFrame();
}

bool PainterBackend::beginFrame(QImage& target, const QColor& background, RenderQuality quality) {
    endFrame();
    if (target.isNull()) {
        return false;
    }
    m_quality = quality;
    target.fill(background);
    auto surface = std::make_unique<Surface>();
    surface->kind = SurfaceKind::Target;
    surface->area = target.rect();
    startPainter(*surface, &target);
    m_surfaces.push_back(std::move(surface));
    return true;
}

void PainterBackend::endFrame() {
    // Unbalanced masks or layers (a walker bug) are still composited so nothing is lost.
    while (m_surfaces.size() > 1) {
        popSurfaceTo(current().kind);
    }
    if (!m_surfaces.empty() && current().painter) {
        current().painter->end();
    }
    m_surfaces.clear();
}

bool PainterBackend::canDraw() const {
    return !m_surfaces.empty() && m_surfaces.back()->painter && m_surfaces.back()->painter->isActive();
}

void PainterBackend::startPainter(Surface& surface, QPaintDevice* device) {
    surface.painter = std::make_unique<QPainter>(device);
    const bool smooth = m_quality == RenderQuality::High;
    surface.painter->setRenderHint(QPainter::Antialiasing, smooth);
    surface.painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    surface.painter->setPen(Qt::NoPen);
}

QTransform PainterBackend::deviceTransform(const QTransform& world) const {
    const QRect& area = m_surfaces.back()->area;
    if (area.topLeft().isNull()) {
        return world;
    }
    return world * QTransform::fromTranslate(-area.x(), -area.y());
}

void PainterBackend::fillPath(const QPainterPath& path, const QTransform& world, const FillPaint& paint) {
    if (!canDraw() || path.isEmpty()) {
        return;
    }
    fillDevicePath(path, deviceTransform(world), paint);
}

void PainterBackend::fillDevicePath(const QPainterPath& path, const QTransform& device,
                                    const FillPaint& paint) {
    QPainter& painter = *current().painter;
    const bool aliased = m_quality == RenderQuality::Low;
    QPainterPath geometry = path;
    QTransform geometryTransform = device;
    if (aliased) {
        // Which pixels an aliased curve lights depends on the polygon it is cut into and on
        // the exact points of that polygon, so both are settled here, in output pixels.
        const QPainterPath flattened =
            CurveFlattener::flattenedPath(path, device, CurveFlattener::aliasedTolerance);
        const std::vector<PixelSpan>& spans = m_scanConverter.convert(
            flattened.toSubpathPolygons(), path.fillRule(), QRect(QPoint(0, 0), current().area.size()));
        if (fillSpans(spans, device, paint)) {
            return;
        }
        geometry = AliasedScanConverter::pathOf(spans);
        geometryTransform = QTransform();
    }
    // A mask counts by coverage alone, so its colours and gradients do not matter.
    if (current().kind == SurfaceKind::MaskShape) {
        painter.setTransform(geometryTransform);
        painter.fillPath(geometry, Qt::black);
        return;
    }
    if (paint.gradient && fillGradient(geometry, geometryTransform, device, *paint.gradient)) {
        return;
    }
    if (paint.brush) {
        painter.setTransform(geometryTransform);
        // The brush is placed in path space; the geometry may already be in output pixels.
        QBrush brush = *paint.brush;
        if (aliased) {
            brush.setTransform(brush.transform() * device);
        }
        // Bitmap fills of the non-smoothed kinds stay sharp even at high quality.
        const bool unsmoothed = !paint.smooth && m_quality == RenderQuality::High;
        if (unsmoothed) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        }
        const qreal opacity = painter.opacity();
        if (paint.opacity < 1.0) {
            painter.setOpacity(opacity * paint.opacity);
        }
        painter.fillPath(geometry, brush);
        painter.setOpacity(opacity);
        if (unsmoothed) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        }
    }
}

bool PainterBackend::fillSpans(const std::vector<PixelSpan>& spans, const QTransform& device,
                               const FillPaint& paint) {
    QPainter& painter = *current().painter;
    auto* image = dynamic_cast<QImage*>(painter.device());
    const QPainter::CompositionMode mode = painter.compositionMode();
    const bool plain =
        (mode == QPainter::CompositionMode_SourceOver || mode == QPainter::CompositionMode_Source) &&
        !painter.hasClipping() && painter.opacity() == 1.0 && paint.opacity == 1.0;
    if (!image || !plain || !SpanFiller::canFill(*image)) {
        return false;
    }
    const bool replace = mode == QPainter::CompositionMode_Source;
    if (current().kind == SurfaceKind::MaskShape) {
        SpanFiller::fillColor(*image, spans, 0xFF000000u, replace);
        return true;
    }
    if (paint.gradient) {
        const GradientRamp& ramp = *paint.gradient;
        const GradientShader shader(ramp, ramp.matrix() * device);
        if (!shader.isValid()) {
            return false;
        }
        const bool clearToWhite = current().kind == SurfaceKind::Layer &&
                                  current().effects.blendMode == BlendMode::Alpha && !ramp.isOpaque();
        m_spanFiller.fillGradient(*image, spans, shader, replace, clearToWhite);
        return true;
    }
    if (paint.brush && paint.brush->style() == Qt::SolidPattern) {
        SpanFiller::fillColor(*image, spans, qPremultiply(paint.brush->color().rgba()), replace);
        return true;
    }
    return false;
}

// Shades the gradient over the path's pixel bounds and lets QPainter fill the path with that
// image. QPainter's own gradients rebuild a colour table whenever a frame uses more distinct
// gradients than its small cache holds, which dominated frames of many gradient shapes.
bool PainterBackend::fillGradient(const QPainterPath& path, const QTransform& pathToDevice,
                                  const QTransform& device, const GradientRamp& ramp) {
    const QRect surfaceRect(QPoint(0, 0), current().area.size());
    const QRect area = pathToDevice.mapRect(path.controlPointRect()).toAlignedRect().intersected(surfaceRect);
    if (area.isEmpty()) {
        return true;
    }
    bool invertible = false;
    const QTransform deviceToPath = pathToDevice.inverted(&invertible);
    if (!invertible) {
        return false;
    }
    const std::size_t pixelCount =
        static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height());
    if (m_shading.size() < pixelCount) {
        m_shading.resize(pixelCount);
    }
    if (!GradientShader::shade(ramp, ramp.matrix() * device, area, m_shading.data(), area.width())) {
        return false;
    }
    if (current().kind == SurfaceKind::Layer && current().effects.blendMode == BlendMode::Alpha &&
        !ramp.isOpaque()) {
        // Flash Player leaves an alpha-mode object's layer alone where the object's gradient
        // is wholly transparent (a ramp padded with alpha 0 does not cut its parent); the
        // layer's opaque white is what keeps the parent's pixels.
        std::replace(m_shading.begin(), m_shading.begin() + static_cast<std::ptrdiff_t>(pixelCount), QRgb{0},
                     QRgb{0xFFFFFFFF});
    }
    // The image borrows the buffer: it lives only for this fill, so nothing detaches it.
    const QImage texture(reinterpret_cast<const uchar*>(m_shading.data()), area.width(), area.height(),
                         area.width() * static_cast<int>(sizeof(QRgb)),
                         ramp.isOpaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    QBrush brush(texture);
    // Brushes follow the painter's transform; undo it so the image sits on the pixels it was
    // shaded for.
    brush.setTransform(QTransform::fromTranslate(area.x(), area.y()) * deviceToPath);
    QPainter& painter = *current().painter;
    painter.setTransform(pathToDevice);
    painter.fillPath(path, brush);
    return true;
}

void PainterBackend::strokePath(const QPainterPath& path, const QTransform& world, const QPen& pen) {
    if (!canDraw() || path.isEmpty() || pen.style() == Qt::NoPen) {
        return;
    }
    QPainter& painter = *current().painter;
    const QTransform transform = deviceTransform(world);
    const QBrush brush = current().kind == SurfaceKind::MaskShape ? QBrush(Qt::black) : pen.brush();
    if (m_quality == RenderQuality::Low) {
        // Flash draws an aliased stroke as the filled outline of the pen, sampled at pixel
        // centres like any fill: a round join leaves the outer corner pixel of a one-pixel
        // frame empty, and a one-pixel line on a pixel boundary lights the pixels above and
        // left of it. QPainter's thin-line path would light other pixels, so the outline is
        // filled like a fill instead.
        fillStrokeOutline(path, transform, pen, brush);
        return;
    }
    painter.setTransform(transform);
    if (current().kind == SurfaceKind::MaskShape) {
        QPen coverage = pen;
        coverage.setBrush(brush);
        painter.strokePath(path, coverage);
    } else {
        painter.strokePath(path, pen);
    }
}

void PainterBackend::fillStrokeOutline(const QPainterPath& path, const QTransform& transform, const QPen& pen,
                                       const QBrush& brush) {
    QPainterPathStroker stroker(pen);
    if (pen.isCosmetic()) {
        // A cosmetic width is in output pixels: outline the path where it lands.
        QPainterPath outline = stroker.createStroke(transform.map(path));
        outline.setFillRule(Qt::WindingFill);
        QBrush deviceBrush = brush;
        deviceBrush.setTransform(brush.transform() * transform);
        fillDevicePath(outline, QTransform(), FillPaint{&deviceBrush});
        return;
    }
    QPainterPath outline = stroker.createStroke(path);
    outline.setFillRule(Qt::WindingFill);
    fillDevicePath(outline, transform, FillPaint{&brush});
}

void PainterBackend::pushOffscreen(SurfaceKind kind, const QRect& area) {
    auto surface = std::make_unique<Surface>();
    surface->kind = kind;
    if (!m_surfaces.empty()) {
        surface->area = area.intersected(current().area);
    }
    startOffscreen(*surface);
    m_surfaces.push_back(std::move(surface));
}

void PainterBackend::startOffscreen(Surface& surface) {
    if (surface.area.isEmpty()) {
        return;
    }
    surface.image = QImage(surface.area.size(), QImage::Format_ARGB32_Premultiplied);
    if (surface.image.isNull()) {
        return;
    }
    surface.image.fill(Qt::transparent);
    startPainter(surface, &surface.image);
}

void PainterBackend::beginMask(const QRectF& deviceBounds) {
    if (m_surfaces.empty()) {
        return;
    }
    // One pixel of margin keeps antialiased mask edges whole.
    pushOffscreen(SurfaceKind::MaskShape, deviceBounds.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void PainterBackend::endMask() {
    if (m_surfaces.size() < 2 || current().kind != SurfaceKind::MaskShape) {
        return;
    }
    std::unique_ptr<Surface> maskSurface = std::move(m_surfaces.back());
    m_surfaces.pop_back();
    if (maskSurface->painter) {
        maskSurface->painter->end();
    }
    auto content = std::make_unique<Surface>();
    content->kind = SurfaceKind::MaskedContent;
    content->mask = std::move(maskSurface->image);
    if (!content->mask.isNull()) {
        content->area = maskSurface->area;
    }
    startOffscreen(*content);
    m_surfaces.push_back(std::move(content));
}

void PainterBackend::popMask() {
    popSurfaceTo(SurfaceKind::MaskedContent);
}

void PainterBackend::pushLayer(const LayerEffects& effects, const QRectF& deviceBounds) {
    if (m_surfaces.empty()) {
        return;
    }
    // Filters spread the object: the layer gets room for that, and for what lies just outside
    // the visible area but blurs or casts a shadow into it.
    const int reach = effects.reach();
    const QRect parentArea = current().area;
    auto surface = std::make_unique<Surface>();
    surface->kind = SurfaceKind::Layer;
    surface->area = deviceBounds.toAlignedRect()
                        .adjusted(-1 - reach, -1 - reach, 1 + reach, 1 + reach)
                        .intersected(parentArea.adjusted(-reach, -reach, reach, reach));
    surface->effects = effects;
    startOffscreen(*surface);
    if (effects.blendMode == BlendMode::Alpha && surface->painter) {
        // An alpha object keeps what lies below it in proportion to its own alpha, and only
        // where it draws: the rest of its layer (the margin around it, holes in its shape)
        // leaves the parent's pixels as they are. The layer starts opaque and the object's
        // pixels replace it, alpha included.
        surface->image.fill(Qt::white);
        surface->painter->setCompositionMode(QPainter::CompositionMode_Source);
    }
    m_surfaces.push_back(std::move(surface));
}

void PainterBackend::popLayer() {
    popSurfaceTo(SurfaceKind::Layer);
}

void PainterBackend::popSurfaceTo(SurfaceKind expected) {
    if (m_surfaces.size() < 2 || current().kind != expected) {
        return;
    }
    std::unique_ptr<Surface> popped = std::move(m_surfaces.back());
    m_surfaces.pop_back();
    Surface& top = *popped;
    if (top.painter) {
        top.painter->end();
    }
    if (top.image.isNull()) {
        return;
    }
    switch (top.kind) {
    case SurfaceKind::MaskedContent: {
        QPainter masking(&top.image);
        masking.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        masking.drawImage(0, 0, top.mask);
        masking.end();
        compositeOnto(current(), top.image, top.area, QPainter::CompositionMode_SourceOver);
        break;
    }
    case SurfaceKind::Layer:
        if (!top.effects.filters.empty()) {
            BitmapFilters::apply(top.image, top.effects);
        }
        blendOnto(current(), top.image, top.area, top.effects.blendMode);
        break;
    case SurfaceKind::MaskShape: // a mask never finished masks nothing
    case SurfaceKind::Target:
        break;
    }
}

void PainterBackend::compositeOnto(Surface& below, const QImage& image, const QRect& area,
                                   QPainter::CompositionMode mode) {
    if (!below.painter || !below.painter->isActive()) {
        return;
    }
    QPainter& painter = *below.painter;
    painter.save();
    painter.resetTransform();
    painter.setCompositionMode(mode);
    painter.drawImage(area.topLeft() - below.area.topLeft(), image);
    painter.restore();
}

// Blends straight into the pixels below: a surface is always an image, and its painter writes
// through to it, so nothing is pending when the layer lands.
void PainterBackend::blendOnto(Surface& below, const QImage& image, const QRect& area, BlendMode mode) {
    if (!below.painter || !below.painter->isActive()) {
        return;
    }
    auto* pixels = dynamic_cast<QImage*>(below.painter->device());
    if (!pixels) {
        return;
    }
    BlendCompositor::composite(*pixels, below.area.topLeft(), image, area.topLeft(), mode);
}

} // namespace kf::swf
