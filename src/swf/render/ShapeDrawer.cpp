#include "swf/render/ShapeDrawer.h"

#include "swf/render/RenderBackend.h"
#include "swf/render/ShapeRenderCache.h"
#include "swf/runtime/ShapeCharacter.h"

#include <algorithm>
#include <cmath>

namespace kf::swf {

namespace {

Qt::PenCapStyle capOf(CapStyle cap) {
    switch (cap) {
    case CapStyle::None:
        return Qt::FlatCap;
    case CapStyle::Square:
        return Qt::SquareCap;
    case CapStyle::Round:
        break;
    }
    return Qt::RoundCap;
}

Qt::PenJoinStyle joinOf(JoinStyle join) {
    switch (join) {
    case JoinStyle::Bevel:
        return Qt::BevelJoin;
    case JoinStyle::Miter:
        return Qt::MiterJoin;
    case JoinStyle::Round:
        break;
    }
    return Qt::RoundJoin;
}

// Output pixels per twip along an average direction of `world`.
double averageScale(const QTransform& world) {
    return std::sqrt(std::abs(world.determinant()));
}

} // namespace

ShapeDrawer::ShapeDrawer(RenderBackend& backend, double stageScale, const QRectF& outputBounds)
    : m_backend(backend), m_stageScale(stageScale), m_outputBounds(outputBounds) {}

QRectF ShapeDrawer::deviceBounds(const ShapeCharacter& character, const QTransform& world) {
    return deviceBounds(ShapeRenderCache::of(character), world);
}

QRectF ShapeDrawer::deviceBounds(const ShapeRenderCache& cache, const QTransform& world) {
    // One pixel more for strokes kept at least a pixel wide.
    return world.mapRect(cache.bounds()).adjusted(-1.0, -1.0, 1.0, 1.0);
}

void ShapeDrawer::draw(const ShapeCharacter& character, const QTransform& world,
                       const ColorTransform& transform) {
    draw(ShapeRenderCache::of(character), world, transform);
}

void ShapeDrawer::draw(const ShapeRenderCache& cache, const QTransform& world,
                       const ColorTransform& transform) {
    if (cache.pieces().empty() || !deviceBounds(cache, world).intersects(m_outputBounds)) {
        return;
    }
    drawPieces(cache, world, transform);
}

void ShapeDrawer::drawMask(const ShapeCharacter& character, const QTransform& world) {
    drawMask(ShapeRenderCache::of(character), world);
}

void ShapeDrawer::drawMask(const ShapeRenderCache& cache, const QTransform& world) {
    // Coverage is all a mask contributes; the backend ignores colours while masking. Flash
    // masks with the fills alone: a mask shape's outline strokes do not widen it.
    if (cache.pieces().empty() || !deviceBounds(cache, world).intersects(m_outputBounds)) {
        return;
    }
    for (const ShapeRenderCache::Piece& piece : cache.pieces()) {
        if (!piece.isStroke) {
            m_backend.fillPath(piece.path, world, piece.brush.paint(ColorTransform{}));
        }
    }
}

void ShapeDrawer::drawPieces(const ShapeRenderCache& cache, const QTransform& world,
                             const ColorTransform& transform) {
    const auto& pieces = cache.pieces();
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        const ShapeRenderCache::Piece& piece = pieces[index];
        if (piece.isStroke) {
            m_backend.strokePath(piece.path, world, strokePen(cache, index, world, transform));
        } else {
            m_backend.fillPath(piece.path, world, piece.brush.paint(transform));
        }
    }
}

QPen ShapeDrawer::strokePen(const ShapeRenderCache& cache, std::size_t piece, const QTransform& world,
                            const ColorTransform& transform) const {
    const ShapeRenderCache::Piece& stroke = cache.pieces()[piece];
    const LineStyle& line = stroke.line;
    QPen pen(stroke.brush.brush(transform), line.width, Qt::SolidLine, capOf(line.startCap),
             joinOf(line.join));
    if (line.join == JoinStyle::Miter) {
        pen.setMiterLimit(std::max(1.0, line.miterLimit.toDouble()));
    }
    // Hairlines, non-scaling strokes and strokes thinner than a pixel on screen are drawn in
    // output pixels, never under one: Flash Player keeps every stroke visible.
    const bool nonScaling = line.noHorizontalScale || line.noVerticalScale;
    const double deviceWidth = line.width * (nonScaling ? m_stageScale : averageScale(world));
    if (line.width == 0 || nonScaling || deviceWidth < 1.0) {
        pen.setCosmetic(true);
        pen.setWidthF(std::max(1.0, deviceWidth));
    }
    return pen;
}

} // namespace kf::swf
