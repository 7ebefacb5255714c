#include "swf/render/CachedBrush.h"

#include "swf/render/BrushFactory.h"

namespace kf::swf {

CachedBrush::CachedBrush(FillStyle style)
    : m_style(std::move(style)), m_plain(BrushFactory::brush(m_style, ColorTransform{})) {}

const QBrush& CachedBrush::brush(const ColorTransform& transform) const {
    if (transform.isIdentity()) {
        return m_plain;
    }
    if (!m_hasLast || !(m_lastTransform == transform)) {
        m_lastBrush = BrushFactory::brush(m_style, transform);
        m_lastTransform = transform;
        m_hasLast = true;
    }
    return m_lastBrush;
}

} // namespace kf::swf
