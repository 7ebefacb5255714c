#include "swf/render/CachedBrush.h"

#include "swf/render/BitmapFillBrush.h"
#include "swf/render/BrushFactory.h"

namespace kf::swf {

CachedBrush::CachedBrush(FillStyle style) : m_style(std::move(style)), m_plain(lookFor(ColorTransform{})) {}

CachedBrush::CachedBrush(FillStyle style, const QImage* bitmap, const QRectF& pathBounds)
    : m_style(std::move(style)), m_bitmap(bitmap), m_pathBounds(pathBounds),
      m_plain(lookFor(ColorTransform{})) {}

// The ramp is only referred to while drawing; copies start with an empty memo.
CachedBrush::CachedBrush(const CachedBrush& other)
    : m_style(other.m_style), m_bitmap(other.m_bitmap), m_pathBounds(other.m_pathBounds),
      m_plain(other.m_plain) {}

CachedBrush::CachedBrush(CachedBrush&& other) noexcept
    : m_style(std::move(other.m_style)), m_bitmap(other.m_bitmap), m_pathBounds(other.m_pathBounds),
      m_plain(std::move(other.m_plain)) {}

CachedBrush::Look CachedBrush::lookFor(const ColorTransform& transform) const {
    if (isBitmapFill(m_style.type)) {
        // A missing bitmap draws nothing: neither a colour of its own nor a crash.
        return Look{m_bitmap ? BitmapFillBrush::build(m_style, *m_bitmap, m_pathBounds, transform)
                             : QBrush(Qt::NoBrush),
                    std::nullopt};
    }
    return Look{BrushFactory::brush(m_style, transform), GradientRamp::build(m_style, transform)};
}

const CachedBrush::Look& CachedBrush::look(const ColorTransform& transform) const {
    if (transform.isIdentity()) {
        return m_plain;
    }
    if (!m_hasLast || !(m_lastTransform == transform)) {
        m_last = lookFor(transform);
        m_lastTransform = transform;
        m_hasLast = true;
    }
    return m_last;
}

const QBrush& CachedBrush::brush(const ColorTransform& transform) const {
    return look(transform).brush;
}

FillPaint CachedBrush::paint(const ColorTransform& transform) const {
    const bool bitmap = isBitmapFill(m_style.type);
    // A bitmap that only fades keeps its pixels: it is drawn with less opacity instead of
    // being recoloured, pixel by pixel, each time the fade moves on.
    const bool fadeOnly = bitmap && transform.redMultiplier == 256 && transform.greenMultiplier == 256 &&
                          transform.blueMultiplier == 256 && transform.alphaMultiplier >= 0 &&
                          transform.alphaMultiplier < 256 && transform.redAddition == 0 &&
                          transform.greenAddition == 0 && transform.blueAddition == 0 &&
                          transform.alphaAddition == 0;
    const Look& chosen = fadeOnly ? m_plain : look(transform);
    FillPaint paint{&chosen.brush, chosen.ramp ? &*chosen.ramp : nullptr};
    paint.smooth = !bitmap || BitmapFillBrush::isSmoothed(m_style.type);
    if (fadeOnly) {
        paint.opacity = transform.alphaMultiplier / 256.0;
    }
    return paint;
}

} // namespace kf::swf
