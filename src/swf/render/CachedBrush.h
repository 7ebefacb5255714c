#pragma once

#include "swf/format/Color.h"
#include "swf/format/Styles.h"

#include <QBrush>

namespace kf::swf {

// The brush of one fill style, built once. Under a colour transform the recoloured brush is
// remembered too, so an object that keeps its tint rebuilds no gradient frame after frame.
class CachedBrush {
public:
    explicit CachedBrush(FillStyle style);

    const QBrush& brush(const ColorTransform& transform) const;
    const FillStyle& style() const { return m_style; }

private:
    FillStyle m_style;
    QBrush m_plain;
    mutable ColorTransform m_lastTransform;
    mutable QBrush m_lastBrush;
    mutable bool m_hasLast = false;
};

} // namespace kf::swf
