#pragma once

#include "swf/format/Color.h"
#include "swf/format/Styles.h"
#include "swf/render/FillPaint.h"
#include "swf/render/GradientRamp.h"

#include <QBrush>
#include <optional>

namespace kf::swf {

// The brush (and gradient ramp) of one fill style, built once. Under a colour transform the
// recoloured ones are remembered too, so an object that keeps its tint rebuilds no gradient
// frame after frame.
class CachedBrush {
public:
    explicit CachedBrush(FillStyle style);
    CachedBrush(const CachedBrush& other);
    CachedBrush(CachedBrush&& other) noexcept;
    CachedBrush& operator=(const CachedBrush&) = delete;
    CachedBrush& operator=(CachedBrush&&) = delete;

    const QBrush& brush(const ColorTransform& transform) const;
    // The paint for a fill; valid until the next call with another transform.
    FillPaint paint(const ColorTransform& transform) const;
    const FillStyle& style() const { return m_style; }

private:
    struct Look {
        QBrush brush;
        std::optional<GradientRamp> ramp;
    };
    static Look lookFor(const FillStyle& style, const ColorTransform& transform);
    const Look& look(const ColorTransform& transform) const;

    FillStyle m_style;
    Look m_plain;
    mutable ColorTransform m_lastTransform;
    mutable Look m_last;
    mutable bool m_hasLast = false;
};

} // namespace kf::swf
