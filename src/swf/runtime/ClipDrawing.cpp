#include "swf/runtime/ClipDrawing.h"

#include "swf/runtime/ShapeCharacter.h"

#include <algorithm>

namespace kf::swf {

ClipDrawing::ClipDrawing() = default;
ClipDrawing::~ClipDrawing() = default;

ShapeStyles& ClipDrawing::startGroup() {
    // The new arrays replace the old from this record on, with no fill or line selected.
    StyleChangeRecord change;
    ShapeStyles& styles = change.newStyles.ensure();
    change.setFillStyle0(0);
    change.setFillStyle1(0);
    change.setLineStyle(0);
    m_records.emplace_back(std::move(change));
    m_group = &styles; // lives on the heap, so growing m_records leaves it in place
    m_writtenFill = 0;
    m_writtenLine = 0;
    m_fill = 0;
    m_lineIndex = 0;
    return styles;
}

ShapeStyles& ClipDrawing::currentGroup() {
    return m_group != nullptr ? *m_group : startGroup();
}

void ClipDrawing::beginFill(FillStyle fill) {
    closeFill();
    if (full()) {
        return;
    }
    ShapeStyles& group = startGroup();
    group.fillStyles.push_back(std::move(fill));
    m_fill = 1;
    if (m_line) {
        group.lineStyles.push_back(*m_line);
        m_lineIndex = static_cast<std::uint32_t>(group.lineStyles.size());
    }
    m_fillStart = m_pen;
    changed();
}

void ClipDrawing::endFill() {
    closeFill();
    m_fill = 0;
}

void ClipDrawing::setLineStyle(std::optional<LineStyle> line) {
    m_line = std::move(line);
    m_lineIndex = 0;
    if (m_line && !full()) {
        ShapeStyles& group = currentGroup();
        group.lineStyles.push_back(*m_line);
        m_lineIndex = static_cast<std::uint32_t>(group.lineStyles.size());
        m_widestLine = std::max(m_widestLine, m_line->width);
    }
    changed();
}

void ClipDrawing::moveTo(Twips x, Twips y) {
    closeFill();
    m_pen = {x.value, y.value};
    m_fillStart = m_pen;
    if (full()) {
        return;
    }
    StyleChangeRecord change;
    change.setMoveTo(x, y);
    m_records.emplace_back(std::move(change));
    changed();
}

void ClipDrawing::lineTo(Twips x, Twips y) {
    const Point to{x.value, y.value};
    settleStyles(m_lineIndex);
    addEdge(StraightEdgeRecord{Twips{to.x - m_pen.x}, Twips{to.y - m_pen.y}}, to);
}

void ClipDrawing::curveTo(Twips controlX, Twips controlY, Twips anchorX, Twips anchorY) {
    const Point control{controlX.value, controlY.value};
    const Point to{anchorX.value, anchorY.value};
    settleStyles(m_lineIndex);
    include(control);
    addEdge(CurvedEdgeRecord{Twips{control.x - m_pen.x}, Twips{control.y - m_pen.y}, Twips{to.x - control.x},
                             Twips{to.y - control.y}},
            to);
}

void ClipDrawing::clear() {
    m_records.clear();
    m_group = nullptr;
    m_fill = 0;
    m_lineIndex = 0;
    m_writtenFill = 0;
    m_writtenLine = 0;
    m_line.reset();
    m_pen = {};
    m_fillStart = {};
    m_hasEdges = false;
    m_hasBounds = false;
    m_widestLine = 0;
    changed();
}

void ClipDrawing::settleStyles(std::uint32_t line) {
    if ((m_fill == m_writtenFill && line == m_writtenLine) || full()) {
        return;
    }
    StyleChangeRecord change;
    change.setFillStyle0(0);
    change.setFillStyle1(m_fill);
    change.setLineStyle(line);
    m_records.emplace_back(std::move(change));
    m_writtenFill = m_fill;
    m_writtenLine = line;
}

void ClipDrawing::addEdge(const ShapeRecord& edge, Point to) {
    if (full()) {
        return;
    }
    m_records.push_back(edge);
    include(m_pen);
    include(to);
    m_pen = to;
    m_hasEdges = true;
    changed();
}

void ClipDrawing::closeFill() {
    if (m_fill == 0 || m_pen == m_fillStart) {
        return;
    }
    // The closing side belongs to the fill alone: it is not stroked.
    settleStyles(0);
    const Point start = m_fillStart;
    addEdge(StraightEdgeRecord{Twips{start.x - m_pen.x}, Twips{start.y - m_pen.y}}, start);
}

void ClipDrawing::include(Point point) {
    if (!m_hasBounds) {
        m_xMin = m_xMax = point.x;
        m_yMin = m_yMax = point.y;
        m_hasBounds = true;
        return;
    }
    m_xMin = std::min(m_xMin, point.x);
    m_xMax = std::max(m_xMax, point.x);
    m_yMin = std::min(m_yMin, point.y);
    m_yMax = std::max(m_yMax, point.y);
}

const ShapeCharacter* ClipDrawing::shape() const {
    if (!m_hasEdges) {
        return nullptr;
    }
    if (!m_character) {
        DefineShapeTag definition;
        definition.version = 4;
        definition.edgeBounds = Rect{Twips{m_xMin}, Twips{m_xMax}, Twips{m_yMin}, Twips{m_yMax}};
        const std::int32_t margin = (m_widestLine + 1) / 2;
        definition.bounds = Rect{Twips{m_xMin - margin}, Twips{m_xMax + margin}, Twips{m_yMin - margin},
                                 Twips{m_yMax + margin}};
        definition.shape.records.assign(m_records.begin(), m_records.end());
        // A fill left open is drawn closed. Unlike the side endFill adds, this one is stroked
        // with the line in use, as the last lineTo's continuation.
        if (m_fill != 0 && m_pen != m_fillStart) {
            if (m_writtenLine != m_lineIndex) {
                StyleChangeRecord stroke;
                stroke.setLineStyle(m_lineIndex);
                definition.shape.records.emplace_back(std::move(stroke));
            }
            definition.shape.records.emplace_back(
                StraightEdgeRecord{Twips{m_fillStart.x - m_pen.x}, Twips{m_fillStart.y - m_pen.y}});
        }
        m_character = std::make_shared<const ShapeCharacter>(std::move(definition));
    }
    return m_character.get();
}

} // namespace kf::swf
