#include "swf/runtime/MorphInterpolation.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kf::swf {

namespace {

double lerp(double start, double end, double t) {
    return start + (end - start) * t;
}

std::int32_t lerpRounded(double start, double end, double t) {
    return static_cast<std::int32_t>(std::lround(lerp(start, end, t)));
}

// Colour channels and gradient ratios step as Flash Player's do: the fraction in single
// precision, the result truncated (a third of the way from 255 to 0 is 169, not 170).
std::uint8_t lerpByte(std::uint8_t start, std::uint8_t end, double t) {
    const float fraction = static_cast<float>(t);
    const float value = static_cast<float>(start) + static_cast<float>(end - start) * fraction;
    return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f));
}

Rgba lerpColor(Rgba start, Rgba end, double t) {
    return Rgba{lerpByte(start.red, end.red, t), lerpByte(start.green, end.green, t),
                lerpByte(start.blue, end.blue, t), lerpByte(start.alpha, end.alpha, t)};
}

Matrix lerpMatrix(const Matrix& start, const Matrix& end, double t) {
    return Matrix{lerp(start.a, end.a, t), lerp(start.b, end.b, t),   lerp(start.c, end.c, t),
                  lerp(start.d, end.d, t), lerp(start.tx, end.tx, t), lerp(start.ty, end.ty, t)};
}

Twips lerpTwips(Twips start, Twips end, double t) {
    return Twips{lerpRounded(start.value, end.value, t)};
}

Rect lerpRect(const Rect& start, const Rect& end, double t) {
    return Rect{lerpTwips(start.xMin, end.xMin, t), lerpTwips(start.xMax, end.xMax, t),
                lerpTwips(start.yMin, end.yMin, t), lerpTwips(start.yMax, end.yMax, t)};
}

LineStyle interpolateLine(const MorphLineStyle& style, double t) {
    LineStyle line = style.start;
    line.width = static_cast<std::uint16_t>(lerpRounded(style.start.width, style.end.width, t));
    line.color = lerpColor(style.start.color, style.end.color, t);
    if (style.start.fill) {
        line.fill =
            interpolateFill(*style.start.fill, style.end.fill ? *style.end.fill : *style.start.fill, t);
    }
    return line;
}

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// One edge in absolute coordinates, as a quadratic curve when `curved`.
struct AbsoluteEdge {
    Point control;
    Point anchor;
    bool curved = false;
};

AbsoluteEdge absoluteEdge(const ShapeRecord& record, Point from) {
    if (const auto* curve = std::get_if<CurvedEdgeRecord>(&record)) {
        const Point control{from.x + curve->controlDeltaX.value, from.y + curve->controlDeltaY.value};
        return AbsoluteEdge{
            control, Point{control.x + curve->anchorDeltaX.value, control.y + curve->anchorDeltaY.value},
            true};
    }
    const auto& line = std::get<StraightEdgeRecord>(record);
    const Point anchor{from.x + line.deltaX.value, from.y + line.deltaY.value};
    return AbsoluteEdge{Point{(from.x + anchor.x) / 2.0, (from.y + anchor.y) / 2.0}, anchor, false};
}

bool isEdge(const ShapeRecord& record) {
    return !std::holds_alternative<StyleChangeRecord>(record);
}

// Walks the two edge lists side by side and writes the in-between records.
class MorphRecordBlender {
public:
    MorphRecordBlender(const MorphShape& morph, double t) : m_morph(morph), m_t(t) {}

    ShapeRecordArray blend() {
        const ShapeRecordArray& start = m_morph.startRecords;
        ShapeRecordArray records;
        records.reserve(start.size());
        for (const ShapeRecord& record : start) {
            if (const auto* change = std::get_if<StyleChangeRecord>(&record)) {
                records.push_back(blendStyleChange(*change));
            } else {
                records.push_back(blendEdge(record));
            }
        }
        return records;
    }

private:
    StyleChangeRecord blendStyleChange(const StyleChangeRecord& change) {
        // The end shape repeats the start shape's moves; a style change there that has no
        // move keeps the end pen where it is.
        bool moved = false;
        if (change.hasMoveTo()) {
            m_start = Point{static_cast<double>(change.moveToX()->value),
                            static_cast<double>(change.moveToY()->value)};
            moved = true;
        }
        if (const StyleChangeRecord* endChange = takeEndStyleChange()) {
            if (endChange->hasMoveTo()) {
                m_end = Point{static_cast<double>(endChange->moveToX()->value),
                              static_cast<double>(endChange->moveToY()->value)};
                moved = true;
            }
        }
        StyleChangeRecord blended;
        if (moved) {
            m_pen = roundedBetween(m_start, m_end);
            blended.setMoveTo(Twips{m_pen.first}, Twips{m_pen.second});
        }
        if (const auto index = change.fillStyle0()) {
            blended.setFillStyle0(*index);
        }
        if (const auto index = change.fillStyle1()) {
            blended.setFillStyle1(*index);
        }
        if (const auto index = change.lineStyle()) {
            blended.setLineStyle(*index);
        }
        return blended;
    }

    ShapeRecord blendEdge(const ShapeRecord& startRecord) {
        // Moves of the end shape that the start shape has no style change for still move.
        while (m_endIndex < m_morph.endRecords.size() && !isEdge(m_morph.endRecords[m_endIndex])) {
            applyEndMove(std::get<StyleChangeRecord>(m_morph.endRecords[m_endIndex++]));
        }
        // A missing end edge (a malformed morph) holds the start edge's shape.
        const ShapeRecord& endRecord =
            m_endIndex < m_morph.endRecords.size() ? m_morph.endRecords[m_endIndex++] : startRecord;
        const AbsoluteEdge from = absoluteEdge(startRecord, m_start);
        const AbsoluteEdge to = absoluteEdge(endRecord, m_end);
        m_start = from.anchor;
        m_end = to.anchor;
        const std::pair<std::int32_t, std::int32_t> anchor = roundedBetween(from.anchor, to.anchor);
        ShapeRecord blended;
        if (from.curved || to.curved) {
            const std::pair<std::int32_t, std::int32_t> control = roundedBetween(from.control, to.control);
            blended =
                CurvedEdgeRecord{Twips{control.first - m_pen.first}, Twips{control.second - m_pen.second},
                                 Twips{anchor.first - control.first}, Twips{anchor.second - control.second}};
        } else {
            blended =
                StraightEdgeRecord{Twips{anchor.first - m_pen.first}, Twips{anchor.second - m_pen.second}};
        }
        m_pen = anchor;
        return blended;
    }

    const StyleChangeRecord* takeEndStyleChange() {
        if (m_endIndex < m_morph.endRecords.size()) {
            if (const auto* change = std::get_if<StyleChangeRecord>(&m_morph.endRecords[m_endIndex])) {
                ++m_endIndex;
                return change;
            }
        }
        return nullptr;
    }

    void applyEndMove(const StyleChangeRecord& change) {
        if (change.hasMoveTo()) {
            m_end = Point{static_cast<double>(change.moveToX()->value),
                          static_cast<double>(change.moveToY()->value)};
        }
    }

    std::pair<std::int32_t, std::int32_t> roundedBetween(Point start, Point end) const {
        return {lerpRounded(start.x, end.x, m_t), lerpRounded(start.y, end.y, m_t)};
    }

    const MorphShape& m_morph;
    double m_t;
    std::size_t m_endIndex = 0;
    Point m_start;
    Point m_end;
    std::pair<std::int32_t, std::int32_t> m_pen{0, 0};
};

} // namespace

FillStyle interpolateFill(const FillStyle& start, const FillStyle& end, double t) {
    FillStyle fill = start;
    fill.color = lerpColor(start.color, end.color, t);
    fill.matrix = lerpMatrix(start.matrix, end.matrix, t);
    const std::size_t stops = std::min(start.gradient.records.size(), end.gradient.records.size());
    fill.gradient.records.resize(stops);
    for (std::size_t index = 0; index < stops; ++index) {
        const GradientRecord& from = start.gradient.records[index];
        const GradientRecord& to = end.gradient.records[index];
        fill.gradient.records[index] =
            GradientRecord{lerpByte(from.ratio, to.ratio, t), lerpColor(from.color, to.color, t)};
    }
    fill.gradient.focalPoint = Fixed8{static_cast<std::int16_t>(
        lerpRounded(start.gradient.focalPoint.raw, end.gradient.focalPoint.raw, t))};
    return fill;
}

DefineShapeTag interpolateMorph(const DefineMorphShapeTag& morph, std::uint16_t ratio) {
    DefineShapeTag shape;
    shape.id = morph.id;
    shape.version = morph.version >= 2 ? 4 : 3;
    if (!morph.morph) {
        return shape;
    }
    const MorphShape& body = *morph.morph;
    // Without end edges (a cut-short tag) the start shape shows at every ratio.
    const double t = body.endRecords.empty() ? 0.0 : ratio / 65535.0;
    shape.bounds = lerpRect(body.startBounds, body.endBounds, t);
    shape.edgeBounds = lerpRect(body.startEdgeBounds, body.endEdgeBounds, t);
    shape.usesNonScalingStrokes = body.usesNonScalingStrokes;
    shape.usesScalingStrokes = body.usesScalingStrokes;
    shape.shape.fillStyles.reserve(body.fillStyles.size());
    for (const MorphFillStyle& style : body.fillStyles) {
        shape.shape.fillStyles.push_back(interpolateFill(style.start, style.end, t));
    }
    shape.shape.lineStyles.reserve(body.lineStyles.size());
    for (const MorphLineStyle& style : body.lineStyles) {
        shape.shape.lineStyles.push_back(interpolateLine(style, t));
    }
    shape.shape.records = MorphRecordBlender(body, t).blend();
    return shape;
}

} // namespace kf::swf
