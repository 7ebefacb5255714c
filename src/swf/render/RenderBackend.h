#pragma once

#include "swf/render/FillPaint.h"
#include "swf/render/LayerEffects.h"
#include "swf/render/StageView.h"

#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QTransform>

class QImage;

namespace kf::swf {

// What the display-tree walker asks of a drawing surface. Paths arrive in shape space
// (twips) with the world transform that takes them to output pixels, so a backend can keep
// the geometry it was given and apply the transform in the rasteriser: rounding coordinates
// after scaling would make thin shapes jitter as they move.
//
// Masks and layers nest: every beginMask/endMask pair is followed, after the masked
// content, by one popMask; every pushLayer by one popLayer.
class RenderBackend {
public:
    virtual ~RenderBackend() = default;

    // Starts drawing into `target` (resized beforehand by the caller), cleared to `background`.
    // Returns false when nothing can be drawn (a null image); the frame is then skipped.
    virtual bool beginFrame(QImage& target, const QColor& background, RenderQuality quality) = 0;
    virtual void endFrame() = 0;

    // Fills `path` (its own fill rule) with `paint`; a brush transform is in path space.
    virtual void fillPath(const QPainterPath& path, const QTransform& world, const FillPaint& paint) = 0;
    // Strokes `path`; a cosmetic pen's width is in output pixels, any other pen's in path space.
    virtual void strokePath(const QPainterPath& path, const QTransform& world, const QPen& pen) = 0;

    // Everything drawn between beginMask and endMask forms the mask (its coverage counts,
    // not its colour); everything drawn from endMask to popMask shows only where the mask is.
    // `deviceBounds` bounds the mask in output pixels; nothing outside it can show.
    virtual void beginMask(const QRectF& deviceBounds) = 0;
    virtual void endMask() = 0;
    virtual void popMask() = 0;

    // Draws everything up to popLayer into a layer of its own, runs the effects' filters over
    // it, then composites it onto what lies below with their blend mode. `deviceBounds`
    // (output pixels) bounds what is drawn into the layer; the filters may spread beyond it.
    virtual void pushLayer(const LayerEffects& effects, const QRectF& deviceBounds) = 0;
    virtual void popLayer() = 0;
};

} // namespace kf::swf
