#pragma once

#include "swf/format/Color.h"

#include <QPen>
#include <QRectF>
#include <QTransform>

namespace kf::swf {

class RenderBackend;
class ShapeCharacter;
class ShapeRenderCache;

// Draws shape characters through a backend: fills, then strokes, per style group.
class ShapeDrawer {
public:
    // `stageScale`: output pixels per stage twip, the size non-scaling strokes keep.
    // `outputBounds`: what can be seen, in output pixels; shapes wholly outside are skipped.
    ShapeDrawer(RenderBackend& backend, double stageScale, const QRectF& outputBounds);

    void draw(const ShapeCharacter& character, const QTransform& world, const ColorTransform& transform);
    // Draws the shape's coverage only, for a mask.
    void drawMask(const ShapeCharacter& character, const QTransform& world);
    // The same for a shape built elsewhere (a morph at one ratio).
    void draw(const ShapeRenderCache& cache, const QTransform& world, const ColorTransform& transform);
    void drawMask(const ShapeRenderCache& cache, const QTransform& world);

    // Where the shape lands in output pixels (strokes included), for mask bounds.
    static QRectF deviceBounds(const ShapeCharacter& character, const QTransform& world);
    static QRectF deviceBounds(const ShapeRenderCache& cache, const QTransform& world);

private:
    QPen strokePen(const ShapeRenderCache& cache, std::size_t piece, const QTransform& world,
                   const ColorTransform& transform) const;
    void drawPieces(const ShapeRenderCache& cache, const QTransform& world, const ColorTransform& transform);

    RenderBackend& m_backend;
    double m_stageScale;
    QRectF m_outputBounds;
};

} // namespace kf::swf
