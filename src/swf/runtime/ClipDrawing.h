#pragma once

#include "swf/format/ShapeRecords.h"
#include "swf/format/Styles.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace kf::swf {

class ShapeCharacter;

// What scripts draw into a movie clip (beginFill, lineTo and the rest), kept as the records
// of one shape so the renderer draws it the way it draws defined shapes, beneath the clip's
// children. Every fill opens a style group of its own, so a later fill covers the lines
// drawn before it, and a fill's outline is closed back to where it began, unstroked.
// Coordinates are twips in the clip's space.
class ClipDrawing {
public:
    ClipDrawing();
    ~ClipDrawing();
    ClipDrawing(const ClipDrawing&) = delete;
    ClipDrawing& operator=(const ClipDrawing&) = delete;

    // Closes the fill in progress and starts `fill` at the pen.
    void beginFill(FillStyle fill);
    // Closes the fill in progress; lines go on without a fill.
    void endFill();
    // The lines drawn from here on; none when absent.
    void setLineStyle(std::optional<LineStyle> line);
    // The current line style, if any: lineGradientStyle changes its paint.
    const std::optional<LineStyle>& lineStyle() const { return m_line; }
    void moveTo(Twips x, Twips y);
    void lineTo(Twips x, Twips y);
    void curveTo(Twips controlX, Twips controlY, Twips anchorX, Twips anchorY);
    // Forgets everything drawn and every style; the pen returns to the origin.
    void clear();

    // The drawing as a shape, built again only after a change; nullptr while nothing is drawn.
    const ShapeCharacter* shape() const;

private:
    struct Point {
        std::int32_t x = 0;
        std::int32_t y = 0;
        bool operator==(const Point&) const = default;
    };

    ShapeStyles& startGroup();
    ShapeStyles& currentGroup();
    // Writes a style change when the fill or line differs from what the records last said.
    void settleStyles(std::uint32_t line);
    void addEdge(const ShapeRecord& edge, Point to);
    void closeFill();
    void include(Point point);
    bool full() const { return m_records.size() >= maximumRecords; }

    // A script drawing in a loop stops adding once this many records exist, so it cannot
    // exhaust memory before the script time limit stops it.
    static constexpr std::size_t maximumRecords = 1u << 20;
    void changed() { m_character.reset(); }

    std::vector<ShapeRecord> m_records;
    ShapeStyles* m_group = nullptr;  // the arrays of the latest style group
    bool m_groupAnnounced = false;   // its style change is in m_records
    std::uint32_t m_fill = 0;        // 1-based in the group's fills, 0 for none
    std::uint32_t m_lineIndex = 0;   // 1-based in the group's lines, 0 for none
    std::uint32_t m_writtenFill = 0; // what the records last selected
    std::uint32_t m_writtenLine = 0;
    std::optional<LineStyle> m_line;
    Point m_pen;
    Point m_fillStart;
    bool m_hasEdges = false;
    bool m_hasBounds = false;
    std::int32_t m_xMin = 0, m_xMax = 0, m_yMin = 0, m_yMax = 0;
    std::uint16_t m_widestLine = 0;
    mutable std::shared_ptr<const ShapeCharacter> m_character;
};

} // namespace kf::swf
