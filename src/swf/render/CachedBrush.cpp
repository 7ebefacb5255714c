#include "swf/render/CachedBrush.h"

#include "swf/render/BrushFactory.h"

namespace kf::swf {

CachedBrush::CachedBrush(FillStyle style)
    : m_style(std::move(style)), m_plain(lookFor(m_style, ColorTransform{})) {}

// The ramp is only referred to while drawing; copies start with an empty memo.
CachedBrush::CachedBrush(const CachedBrush& other) : m_style(other.m_style), m_plain(other.m_plain) {}

CachedBrush::CachedBrush(CachedBrush&& other) noexcept
    : m_style(std::move(other.m_style)), m_plain(std::move(other.m_plain)) {}

CachedBrush::Look CachedBrush::lookFor(const FillStyle& style, const ColorTransform& transform) {
    return Look{BrushFactory::brush(style, transform), GradientRamp::build(style, transform)};
}

const CachedBrush::Look& CachedBrush::look(const ColorTransform& transform) const {
    if (transform.isIdentity()) {
        return m_plain;
    }
    if (!m_hasLast || !(m_lastTransform == transform)) {
        m_last = lookFor(m_style, transform);
        m_lastTransform = transform;
        m_hasLast = true;
    }
    return m_last;
}

const QBrush& CachedBrush::brush(const ColorTransform& transform) const {
    return look(transform).brush;
}

FillPaint CachedBrush::paint(const ColorTransform& transform) const {
    const Look& chosen = look(transform);
    return FillPaint{&chosen.brush, chosen.ramp ? &*chosen.ramp : nullptr};
}

} // namespace kf::swf
