#include "swf/render/LayerEffects.h"

#include "swf/format/Units.h"
#include "swf/render/BoxBlur.h"
#include "swf/runtime/DisplayObject.h"

#include <algorithm>
#include <cmath>

namespace kf::swf {

namespace {

// Past this a filter only costs time: a blur wider than the output shows nothing more.
constexpr int largestReach = 4096;

struct Spread {
    double blurX = 0;
    double blurY = 0;
    int passes = 0;
    double angle = 0;
    double distance = 0;
    int kernel = 0; // output pixels a convolution reaches, per side
};

Spread spreadOf(const Filter& filter) {
    return std::visit(
        [](const auto& effect) -> Spread {
            using Effect = std::decay_t<decltype(effect)>;
            if constexpr (std::is_same_v<Effect, BlurFilter>) {
                return {effect.blurX.toDouble(), effect.blurY.toDouble(), effect.passes, 0, 0};
            } else if constexpr (std::is_same_v<Effect, GlowFilter>) {
                return {effect.blurX.toDouble(), effect.blurY.toDouble(), effect.passes, 0, 0};
            } else if constexpr (std::is_same_v<Effect, DropShadowFilter> ||
                                 std::is_same_v<Effect, BevelFilter> ||
                                 std::is_same_v<Effect, GradientGlowFilter> ||
                                 std::is_same_v<Effect, GradientBevelFilter>) {
                return {effect.blurX.toDouble(), effect.blurY.toDouble(), effect.passes,
                        effect.angle.toDouble(), effect.distance.toDouble()};
            } else if constexpr (std::is_same_v<Effect, ConvolutionFilter>) {
                return {0, 0, 0, 0, 0, std::max(effect.matrixX, effect.matrixY) / 2 + 1};
            } else {
                return {};
            }
        },
        filter);
}

} // namespace

std::optional<LayerEffects> LayerEffects::forObject(const DisplayObject& object, const QTransform& world) {
    const BlendMode mode = object.blendMode();
    if (mode == BlendMode::Normal && object.filters().empty()) {
        return std::nullopt;
    }
    LayerEffects effects;
    effects.blendMode = mode;
    effects.filters = object.filters();
    // World transforms take twips to output pixels; filters speak in movie pixels.
    const double twipsPerPixel = Twips::perPixel;
    effects.scaleX = std::hypot(world.m11(), world.m12()) * twipsPerPixel;
    effects.scaleY = std::hypot(world.m21(), world.m22()) * twipsPerPixel;
    effects.direction = QTransform(world.m11(), world.m12(), world.m21(), world.m22(), 0, 0);
    return effects;
}

QPointF LayerEffects::offset(double angle, double distance) const {
    const double twipsPerPixel = Twips::perPixel;
    return direction.map(
        QPointF(std::cos(angle) * distance * twipsPerPixel, std::sin(angle) * distance * twipsPerPixel));
}

int LayerEffects::reach() const {
    double total = 0;
    for (const Filter& filter : filters) {
        const Spread spread = spreadOf(filter);
        const int blurX = BoxBlur::reach(spread.blurX * scaleX, spread.passes);
        const int blurY = BoxBlur::reach(spread.blurY * scaleY, spread.passes);
        const QPointF shift = offset(spread.angle, spread.distance);
        total += std::max(blurX, blurY) + std::ceil(std::max(std::abs(shift.x()), std::abs(shift.y()))) +
                 spread.kernel;
        if (!std::isfinite(total) || total > largestReach) {
            return largestReach;
        }
    }
    return static_cast<int>(total);
}

QTransform pixelAligned(const QTransform& world) {
    return QTransform(world.m11(), world.m12(), world.m21(), world.m22(), std::round(world.dx()),
                      std::round(world.dy()));
}

bool drawsAsBitmap(const DisplayObject& object) {
    return object.cacheAsBitmap();
}

} // namespace kf::swf
