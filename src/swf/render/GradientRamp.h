#pragma once

#include "swf/format/Color.h"
#include "swf/format/Styles.h"

#include <QRgb>
#include <QTransform>
#include <array>
#include <optional>

namespace kf::swf {

// A gradient fill ready to shade: 256 premultiplied colours, one per ratio unit, and the
// matrix that places the gradient square in shape space. Flash Player shades from such a
// ramp too; building it once per style keeps gradient setup out of every frame.
class GradientRamp {
public:
    static constexpr int size = 256;
    // The gradient square spans -halfSize..halfSize before the fill matrix.
    static constexpr double halfSize = 16384.0;

    // Nothing for a style that is no gradient, has fewer than two stops or a collapsed matrix
    // (those are drawn as solid colours).
    static std::optional<GradientRamp> build(const FillStyle& style, const ColorTransform& transform);

    FillType type() const { return m_type; }
    SpreadMode spread() const { return m_spread; }
    double focalPoint() const { return m_focalPoint; } // -0.98..0.98 of the radius
    const QTransform& matrix() const { return m_matrix; }
    bool isOpaque() const { return m_opaque; }
    QRgb color(int index) const { return m_colors[static_cast<std::size_t>(index)]; }

private:
    GradientRamp() = default;

    FillType m_type = FillType::LinearGradient;
    SpreadMode m_spread = SpreadMode::Pad;
    double m_focalPoint = 0.0;
    QTransform m_matrix;
    bool m_opaque = true;
    std::array<QRgb, size> m_colors{};
};

} // namespace kf::swf
