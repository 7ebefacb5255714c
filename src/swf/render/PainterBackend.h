#pragma once

#include "swf/render/AliasedScanConverter.h"
#include "swf/render/RenderBackend.h"
#include "swf/render/SpanFiller.h"

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <memory>
#include <vector>

namespace kf::swf {

// Draws with QPainter into an ARGB32-premultiplied QImage. Masks and layers are offscreen
// images the size of what they can cover, composited when they are popped.
class PainterBackend : public RenderBackend {
public:
    PainterBackend();
    ~PainterBackend() override;

    bool beginFrame(QImage& target, const QColor& background, RenderQuality quality) override;
    void endFrame() override;

    void fillPath(const QPainterPath& path, const QTransform& world, const FillPaint& paint) override;
    void strokePath(const QPainterPath& path, const QTransform& world, const QPen& pen) override;

    void beginMask(const QRectF& deviceBounds) override;
    void endMask() override;
    void popMask() override;

    void pushLayer(const LayerEffects& effects, const QRectF& deviceBounds) override;
    void popLayer() override;

private:
    enum class SurfaceKind { Target, MaskShape, MaskedContent, Layer };

    // One thing being drawn into: the target or an offscreen image covering `area` of the
    // output. A surface with an empty area swallows every draw.
    struct Surface {
        SurfaceKind kind = SurfaceKind::Target;
        QRect area;
        QImage image; // offscreen surfaces only
        std::unique_ptr<QPainter> painter;
        QImage mask;          // MaskedContent: the finished mask of the same area
        LayerEffects effects; // Layer: what happens to it when it is popped
    };

    Surface& current() { return *m_surfaces.back(); }
    bool canDraw() const;
    void pushOffscreen(SurfaceKind kind, const QRect& area);
    void startPainter(Surface& surface, QPaintDevice* device);
    void startOffscreen(Surface& surface);
    QTransform deviceTransform(const QTransform& world) const;
    void popSurfaceTo(SurfaceKind expected);
    // Fills `path`, placed in output pixels by `device`.
    void fillDevicePath(const QPainterPath& path, const QTransform& device, const FillPaint& paint);
    void fillStrokeOutline(const QPainterPath& path, const QTransform& transform, const QPen& pen,
                           const QBrush& brush);
    // Paints an aliased fill's spans straight into the surface when nothing about the
    // surface or the paint needs QPainter; false leaves the fill to it.
    bool fillSpans(const std::vector<PixelSpan>& spans, const QTransform& device, const FillPaint& paint);
    // `pathToDevice` places the path, `device` the gradient (its matrix is in shape space).
    bool fillGradient(const QPainterPath& path, const QTransform& pathToDevice, const QTransform& device,
                      const GradientRamp& ramp);
    void compositeOnto(Surface& below, const QImage& image, const QRect& area,
                       QPainter::CompositionMode mode);
    static void blendOnto(Surface& below, const QImage& image, const QRect& area, BlendMode mode);

    // Owned through pointers: a painter keeps the address of the image it paints on.
    std::vector<std::unique_ptr<Surface>> m_surfaces;
    RenderQuality m_quality = RenderQuality::High;
    std::vector<QRgb> m_shading; // gradient colours of the area being filled
    AliasedScanConverter m_scanConverter;
    SpanFiller m_spanFiller;
};

} // namespace kf::swf
