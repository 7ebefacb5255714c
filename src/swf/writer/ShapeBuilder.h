#pragma once

#include "swf/format/Tags.h"

#include <optional>
#include <vector>

namespace kf::swf {

struct ShapePoint {
    Twips x;
    Twips y;
};

// Builds a DefineShape from paths. Each path (moveTo, then lines and curves, or one of the
// ready-made figures) is drawn with the fill and line style set before it; the fill is the
// path's fill style 1. Figures run clockwise on screen (y grows downwards).
class ShapeBuilder {
public:
    explicit ShapeBuilder(int shapeVersion = 3) : m_version(shapeVersion) {}

    // Style of the paths that follow; nullopt for none.
    ShapeBuilder& setFill(std::optional<FillStyle> fill);
    ShapeBuilder& setLine(std::optional<LineStyle> line);
    // DefineShape4 only: non-zero winding instead of even-odd.
    ShapeBuilder& setFillWindingRule(bool nonZero);

    ShapeBuilder& moveTo(Twips x, Twips y);
    ShapeBuilder& lineTo(Twips x, Twips y);
    ShapeBuilder& curveTo(Twips controlX, Twips controlY, Twips anchorX, Twips anchorY);

    ShapeBuilder& addRectangle(const Rect& rect);
    // Eight quadratic curves, as Flash's own drawing tools make circles.
    ShapeBuilder& addEllipse(Twips centerX, Twips centerY, Twips radiusX, Twips radiusY);
    ShapeBuilder& addCircle(Twips centerX, Twips centerY, Twips radius);
    // A closed polygon through `points`.
    ShapeBuilder& addPolygon(const std::vector<ShapePoint>& points);

    // Bounds are computed from the points (half the widest line added for `bounds`).
    DefineShapeTag build(CharacterId id) const;

    static FillStyle solidFill(Rgba color);
    // Gradients spanning `area`: linear from its left to its right edge, radial from its centre.
    static FillStyle linearGradientFill(const Rect& area, const std::vector<GradientRecord>& stops);
    static FillStyle radialGradientFill(const Rect& area, const std::vector<GradientRecord>& stops);
    static FillStyle focalGradientFill(const Rect& area, const std::vector<GradientRecord>& stops,
                                       double focalPoint);
    static LineStyle lineStyle(std::uint16_t widthTwips, Rgba color);
    // The matrix that maps the gradient square (-16384..16384 twips) onto `area`.
    static Matrix gradientMatrix(const Rect& area);

private:
    void includePoint(Twips x, Twips y);

    int m_version;
    Shape m_shape;
    std::optional<std::uint32_t> m_fillIndex;
    std::optional<std::uint32_t> m_lineIndex;
    bool m_nonZeroWinding = false;
    Twips m_currentX;
    Twips m_currentY;
    bool m_hasPoints = false;
    Rect m_edgeBounds;
    std::uint16_t m_widestLine = 0;
};

} // namespace kf::swf
