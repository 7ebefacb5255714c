#include "swf/writer/ShapeBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kf::swf {

namespace {

template <typename Styles> std::uint32_t indexOf(Styles& styles, const typename Styles::value_type& style) {
    auto found = std::find(styles.begin(), styles.end(), style);
    if (found == styles.end()) {
        styles.push_back(style);
        return static_cast<std::uint32_t>(styles.size());
    }
    return static_cast<std::uint32_t>(found - styles.begin() + 1);
}

Twips roundTwips(double value) {
    return Twips{static_cast<std::int32_t>(std::lround(value))};
}

} // namespace

ShapeBuilder& ShapeBuilder::setFill(std::optional<FillStyle> fill) {
    m_fillIndex = fill ? std::optional(indexOf(m_shape.fillStyles, *fill)) : std::nullopt;
    return *this;
}

ShapeBuilder& ShapeBuilder::setLine(std::optional<LineStyle> line) {
    if (line) {
        m_widestLine = std::max(m_widestLine, line->width);
        m_lineIndex = indexOf(m_shape.lineStyles, *line);
    } else {
        m_lineIndex.reset();
    }
    return *this;
}

ShapeBuilder& ShapeBuilder::setFillWindingRule(bool nonZero) {
    m_nonZeroWinding = nonZero;
    return *this;
}

void ShapeBuilder::includePoint(Twips x, Twips y) {
    if (!m_hasPoints) {
        m_edgeBounds = Rect{x, x, y, y};
        m_hasPoints = true;
        return;
    }
    m_edgeBounds.xMin = std::min(m_edgeBounds.xMin, x);
    m_edgeBounds.xMax = std::max(m_edgeBounds.xMax, x);
    m_edgeBounds.yMin = std::min(m_edgeBounds.yMin, y);
    m_edgeBounds.yMax = std::max(m_edgeBounds.yMax, y);
}

ShapeBuilder& ShapeBuilder::moveTo(Twips x, Twips y) {
    StyleChangeRecord change;
    change.setMoveTo(x, y);
    change.setFillStyle0(0);
    change.setFillStyle1(m_fillIndex.value_or(0));
    change.setLineStyle(m_lineIndex.value_or(0));
    m_shape.records.emplace_back(std::move(change));
    m_currentX = x;
    m_currentY = y;
    includePoint(x, y);
    return *this;
}

ShapeBuilder& ShapeBuilder::lineTo(Twips x, Twips y) {
    m_shape.records.emplace_back(StraightEdgeRecord{x - m_currentX, y - m_currentY});
    m_currentX = x;
    m_currentY = y;
    includePoint(x, y);
    return *this;
}

ShapeBuilder& ShapeBuilder::curveTo(Twips controlX, Twips controlY, Twips anchorX, Twips anchorY) {
    m_shape.records.emplace_back(CurvedEdgeRecord{controlX - m_currentX, controlY - m_currentY,
                                                  anchorX - controlX, anchorY - controlY});
    m_currentX = anchorX;
    m_currentY = anchorY;
    includePoint(controlX, controlY);
    includePoint(anchorX, anchorY);
    return *this;
}

ShapeBuilder& ShapeBuilder::addRectangle(const Rect& rect) {
    moveTo(rect.xMin, rect.yMin);
    lineTo(rect.xMax, rect.yMin);
    lineTo(rect.xMax, rect.yMax);
    lineTo(rect.xMin, rect.yMax);
    return lineTo(rect.xMin, rect.yMin);
}

ShapeBuilder& ShapeBuilder::addEllipse(Twips centerX, Twips centerY, Twips radiusX, Twips radiusY) {
    // Each curve spans 45 degrees; its control point lies on the bisecting ray at r / cos(22.5°).
    // Points are rounded absolutely so the path closes exactly.
    constexpr int segments = 8;
    const double step = 2 * std::numbers::pi / segments;
    const double controlScale = 1.0 / std::cos(step / 2);
    const double cx = centerX.value;
    const double cy = centerY.value;
    const double rx = radiusX.value;
    const double ry = radiusY.value;
    moveTo(roundTwips(cx + rx), centerY);
    for (int segment = 1; segment <= segments; ++segment) {
        const double middle = (segment - 0.5) * step;
        const double end = segment * step;
        const Twips anchorX = segment == segments ? roundTwips(cx + rx) : roundTwips(cx + rx * std::cos(end));
        const Twips anchorY = segment == segments ? centerY : roundTwips(cy + ry * std::sin(end));
        curveTo(roundTwips(cx + rx * controlScale * std::cos(middle)),
                roundTwips(cy + ry * controlScale * std::sin(middle)), anchorX, anchorY);
    }
    return *this;
}

ShapeBuilder& ShapeBuilder::addCircle(Twips centerX, Twips centerY, Twips radius) {
    return addEllipse(centerX, centerY, radius, radius);
}

ShapeBuilder& ShapeBuilder::addPolygon(const std::vector<ShapePoint>& points) {
    if (points.empty()) {
        return *this;
    }
    moveTo(points.front().x, points.front().y);
    for (std::size_t index = 1; index < points.size(); ++index) {
        lineTo(points[index].x, points[index].y);
    }
    return lineTo(points.front().x, points.front().y);
}

DefineShapeTag ShapeBuilder::build(CharacterId id) const {
    DefineShapeTag tag;
    tag.id = id;
    tag.version = static_cast<std::uint8_t>(m_version);
    tag.edgeBounds = m_edgeBounds;
    const Twips halfLine{m_widestLine / 2};
    tag.bounds = Rect{m_edgeBounds.xMin - halfLine, m_edgeBounds.xMax + halfLine,
                      m_edgeBounds.yMin - halfLine, m_edgeBounds.yMax + halfLine};
    if (m_version < 4) {
        tag.edgeBounds = tag.bounds;
    } else {
        tag.usesFillWindingRule = m_nonZeroWinding;
        tag.usesScalingStrokes = !m_shape.lineStyles.empty();
    }
    tag.shape = m_shape;
    return tag;
}

FillStyle ShapeBuilder::solidFill(Rgba color) {
    FillStyle style;
    style.type = FillType::Solid;
    style.color = color;
    return style;
}

Matrix ShapeBuilder::gradientMatrix(const Rect& area) {
    const double width = area.width().value;
    const double height = area.height().value;
    return Matrix{width / 32768.0, 0, 0, height / 32768.0,
                  // Whole twips, as the file stores them.
                  static_cast<double>((area.xMin.value + area.xMax.value) / 2),
                  static_cast<double>((area.yMin.value + area.yMax.value) / 2)};
}

FillStyle ShapeBuilder::linearGradientFill(const Rect& area, const std::vector<GradientRecord>& stops) {
    FillStyle style;
    style.type = FillType::LinearGradient;
    style.matrix = gradientMatrix(area);
    style.gradient.records.assign(stops.begin(), stops.end());
    return style;
}

FillStyle ShapeBuilder::radialGradientFill(const Rect& area, const std::vector<GradientRecord>& stops) {
    FillStyle style = linearGradientFill(area, stops);
    style.type = FillType::RadialGradient;
    return style;
}

FillStyle ShapeBuilder::focalGradientFill(const Rect& area, const std::vector<GradientRecord>& stops,
                                          double focalPoint) {
    FillStyle style = linearGradientFill(area, stops);
    style.type = FillType::FocalRadialGradient;
    style.gradient.focalPoint = Fixed8::fromDouble(focalPoint);
    return style;
}

LineStyle ShapeBuilder::lineStyle(std::uint16_t widthTwips, Rgba color) {
    LineStyle style;
    style.width = widthTwips;
    style.color = color;
    return style;
}

} // namespace kf::swf
