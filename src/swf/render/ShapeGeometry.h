#pragma once

#include "swf/format/Styles.h"

#include <QPainterPath>
#include <QRectF>
#include <vector>

namespace kf::swf {

// A shape's outlines in shape space (twips), ready to draw: closed contours per fill style
// and polylines per line style.
struct FillPath {
    QPainterPath path;
    FillStyle style;
};

struct StrokePath {
    QPainterPath path;
    LineStyle style;
};

// The fills and strokes of one set of style arrays. Each new set (DefineShape2 and later)
// is drawn above the previous one, fills first, then strokes.
struct StyleGroup {
    std::vector<FillPath> fills;
    std::vector<StrokePath> strokes;
};

struct ShapeGeometry {
    std::vector<StyleGroup> groups;
    // What the fills and strokes can cover (strokes widened by half their width), twips.
    QRectF bounds;
};

} // namespace kf::swf
