#pragma once

#include "swf/format/Color.h"
#include "swf/format/Styles.h"
#include "swf/render/FillPaint.h"
#include "swf/render/GradientRamp.h"

#include <QBrush>
#include <QImage>
#include <QRectF>
#include <optional>

namespace kf::swf {

// The brush (and gradient ramp) of one fill style, built once. Under a colour transform the
// recoloured ones are remembered too, so an object that keeps its tint rebuilds no gradient
// frame after frame.
class CachedBrush {
public:
    explicit CachedBrush(FillStyle style);
    // A bitmap fill showing `bitmap` (null when the bitmap is missing or undecodable: the
    // fill then draws nothing) over a path covering `pathBounds` (shape twips).
    CachedBrush(FillStyle style, const QImage* bitmap, const QRectF& pathBounds);
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
    Look lookFor(const ColorTransform& transform) const;
    const Look& look(const ColorTransform& transform) const;

    FillStyle m_style;
    const QImage* m_bitmap = nullptr; // owned by the bitmap character's cache
    QRectF m_pathBounds;
    Look m_plain;
    mutable ColorTransform m_lastTransform;
    mutable Look m_last;
    mutable bool m_hasLast = false;
};

} // namespace kf::swf
