#include "swf/render/ShadowFilters.h"

#include "swf/render/BoxBlur.h"
#include "swf/render/LayerEffects.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>

namespace kf::swf {

namespace {

inline int multiply(int first, int second) {
    const int product = first * second + 128;
    return (product + (product >> 8)) >> 8;
}

using Ramp = std::array<QRgb, 256>; // premultiplied colours by value

// Where the effect shows relative to the object, and what is left of the object.
struct Placement {
    bool inner = false;       // only inside the object
    bool outer = false;       // only outside it (neither: both, a full bevel)
    bool knockout = false;    // the object itself is cut away
    bool hideObject = false;  // only the effect is drawn
    bool effectOnTop = false; // the effect covers the object rather than lying behind it
};

Plane alphaOf(const QImage& image) {
    Plane plane(image.width(), image.height());
    for (int row = 0; row < image.height(); ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            plane.at(column, row) = static_cast<std::uint8_t>(qAlpha(pixels[column]));
        }
    }
    return plane;
}

// The plane moved by `offset` pixels (what was at p is now at p + offset).
Plane shifted(const Plane& plane, const QPoint& offset, std::uint8_t outside) {
    if (offset.isNull()) {
        return plane;
    }
    Plane moved(plane.width, plane.height);
    for (int row = 0; row < plane.height; ++row) {
        for (int column = 0; column < plane.width; ++column) {
            moved.at(column, row) = plane.sample(column - offset.x(), row - offset.y(), outside);
        }
    }
    return moved;
}

// The alpha an effect spreads: the object's (or, inside, its complement's), moved, blurred and
// strengthened.
Plane spreadAlpha(const Plane& alpha, bool inverted, const QPoint& offset, double blurX, double blurY,
                  int passes, double strength, const LayerEffects& effects) {
    Plane spread = alpha;
    const std::uint8_t outside = inverted ? 255 : 0;
    if (inverted) {
        for (std::uint8_t& value : spread.values) {
            value = static_cast<std::uint8_t>(255 - value);
        }
    }
    spread = shifted(spread, offset, outside);
    BoxBlur::blur(spread, blurX * effects.scaleX, blurY * effects.scaleY, passes, outside);
    if (strength != 1.0) {
        for (std::uint8_t& value : spread.values) {
            value = static_cast<std::uint8_t>(std::clamp(std::lround(value * strength), 0L, 255L));
        }
    }
    return spread;
}

QPoint pixelOffset(const LayerEffects& effects, double angle, double distance) {
    const QPointF offset = effects.offset(angle, distance);
    if (!std::isfinite(offset.x()) || !std::isfinite(offset.y())) {
        return {};
    }
    const double limit = 4096;
    return {static_cast<int>(std::lround(std::clamp(offset.x(), -limit, limit))),
            static_cast<int>(std::lround(std::clamp(offset.y(), -limit, limit)))};
}

QRgb premultiplied(const Rgba& color, int coverage) {
    const int alpha = multiply(color.alpha, coverage);
    return qRgba(multiply(color.red, alpha), multiply(color.green, alpha), multiply(color.blue, alpha),
                 alpha);
}

QRgb over(QRgb top, QRgb bottom) {
    const int keep = 255 - qAlpha(top);
    return qRgba(qRed(top) + multiply(qRed(bottom), keep), qGreen(top) + multiply(qGreen(bottom), keep),
                 qBlue(top) + multiply(qBlue(bottom), keep), qAlpha(top) + multiply(qAlpha(bottom), keep));
}

QRgb scaled(QRgb pixel, int factor) {
    return qRgba(multiply(qRed(pixel), factor), multiply(qGreen(pixel), factor),
                 multiply(qBlue(pixel), factor), multiply(qAlpha(pixel), factor));
}

// Puts the effect (one premultiplied colour per pixel) and the object together.
template <typename EffectAt>
void combine(QImage& layer, const Plane& alpha, const Placement& placement, EffectAt effectAt) {
    for (int row = 0; row < layer.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(layer.scanLine(row));
        for (int column = 0; column < layer.width(); ++column) {
            const int objectAlpha = alpha.at(column, row);
            QRgb effect = effectAt(column, row);
            if (placement.inner) {
                effect = scaled(effect, objectAlpha);
            } else if (placement.outer) {
                effect = scaled(effect, 255 - objectAlpha);
            }
            const QRgb object = pixels[column];
            if (placement.knockout || placement.hideObject) {
                pixels[column] = placement.knockout && !placement.inner && !placement.outer
                                     ? scaled(effect, 255 - objectAlpha)
                                     : effect;
            } else if (placement.effectOnTop) {
                pixels[column] = over(effect, object);
            } else {
                pixels[column] = over(object, effect);
            }
        }
    }
}

Ramp rampOf(const std::vector<GradientFilterStop>& stops) {
    Ramp ramp{};
    if (stops.empty()) {
        return ramp;
    }
    for (int value = 0; value < 256; ++value) {
        std::size_t next = 0;
        while (next < stops.size() && stops[next].ratio < value) {
            ++next;
        }
        const GradientFilterStop& after = stops[std::min(next, stops.size() - 1)];
        const GradientFilterStop& before = stops[next == 0 ? 0 : next - 1];
        const int span = after.ratio - before.ratio;
        const double weight = span > 0 ? static_cast<double>(value - before.ratio) / span : 1.0;
        auto mix = [&](int from, int to) {
            return static_cast<int>(std::lround(from + (to - from) * weight));
        };
        const Rgba color{static_cast<std::uint8_t>(mix(before.color.red, after.color.red)),
                         static_cast<std::uint8_t>(mix(before.color.green, after.color.green)),
                         static_cast<std::uint8_t>(mix(before.color.blue, after.color.blue)),
                         static_cast<std::uint8_t>(mix(before.color.alpha, after.color.alpha))};
        ramp[static_cast<std::size_t>(value)] = premultiplied(color, 255);
    }
    return ramp;
}

// A bevel's light and shade: the blurred alpha seen from the light's side minus that seen
// from the other; positive values are highlight, negative shadow.
struct Relief {
    Plane highlight;
    Plane shadow;
};

Relief reliefOf(const Plane& alpha, const QPoint& offset, double blurX, double blurY, int passes,
                double strength, const LayerEffects& effects) {
    const Plane towards = spreadAlpha(alpha, false, -offset, blurX, blurY, passes, 1.0, effects);
    const Plane away = spreadAlpha(alpha, false, offset, blurX, blurY, passes, 1.0, effects);
    Relief relief{Plane(alpha.width, alpha.height), Plane(alpha.width, alpha.height)};
    for (std::size_t index = 0; index < alpha.values.size(); ++index) {
        const double difference = (static_cast<int>(towards.values[index]) - away.values[index]) * strength;
        relief.highlight.values[index] =
            static_cast<std::uint8_t>(std::clamp(std::lround(difference), 0L, 255L));
        relief.shadow.values[index] =
            static_cast<std::uint8_t>(std::clamp(std::lround(-difference), 0L, 255L));
    }
    return relief;
}

Placement bevelPlacement(bool inner, bool onTop, bool knockout, bool compositeSource) {
    // A bevel is inner, outer, or (on top) full: both sides of the edge.
    return {inner && !onTop, !inner && !onTop, knockout, !compositeSource, inner || onTop};
}

// Drop shadows, glows and gradient glows: the spread alpha, painted by `paint` from its level.
template <typename Effect, typename Paint>
void applyGlow(QImage& layer, const Effect& filter, const LayerEffects& effects, Paint paint) {
    const Plane alpha = alphaOf(layer);
    const QPoint offset = pixelOffset(effects, filter.angle.toDouble(), filter.distance.toDouble());
    const Plane glow =
        spreadAlpha(alpha, filter.innerShadow, offset, filter.blurX.toDouble(), filter.blurY.toDouble(),
                    filter.passes, filter.strength.toDouble(), effects);
    const Placement placement{filter.innerShadow, false, filter.knockout, !filter.compositeSource,
                              filter.innerShadow};
    combine(layer, alpha, placement, [&](int column, int row) { return paint(glow.at(column, row)); });
}

// Bevels and gradient bevels: the relief, painted by `paint` from its highlight and shade.
template <typename Effect, typename Paint>
void applyBevel(QImage& layer, const Effect& filter, const LayerEffects& effects, Paint paint) {
    const Plane alpha = alphaOf(layer);
    const QPoint offset = pixelOffset(effects, filter.angle.toDouble(), filter.distance.toDouble());
    const Relief relief = reliefOf(alpha, offset, filter.blurX.toDouble(), filter.blurY.toDouble(),
                                   filter.passes, filter.strength.toDouble(), effects);
    combine(layer, alpha,
            bevelPlacement(filter.innerShadow, filter.onTop, filter.knockout, filter.compositeSource),
            [&](int column, int row) {
                return paint(relief.highlight.at(column, row), relief.shadow.at(column, row));
            });
}

} // namespace

void ShadowFilters::apply(QImage& layer, const DropShadowFilter& filter, const LayerEffects& effects) {
    applyGlow(layer, filter, effects, [&](int level) { return premultiplied(filter.color, level); });
}

void ShadowFilters::apply(QImage& layer, const GlowFilter& filter, const LayerEffects& effects) {
    DropShadowFilter shadow;
    shadow.color = filter.color;
    shadow.blurX = filter.blurX;
    shadow.blurY = filter.blurY;
    shadow.strength = filter.strength;
    shadow.innerShadow = filter.innerGlow;
    shadow.knockout = filter.knockout;
    shadow.compositeSource = filter.compositeSource;
    shadow.passes = filter.passes;
    apply(layer, shadow, effects);
}

void ShadowFilters::apply(QImage& layer, const BevelFilter& filter, const LayerEffects& effects) {
    applyBevel(layer, filter, effects, [&](int highlight, int shade) {
        return over(premultiplied(filter.highlightColor, highlight),
                    premultiplied(filter.shadowColor, shade));
    });
}

void ShadowFilters::apply(QImage& layer, const GradientGlowFilter& filter, const LayerEffects& effects) {
    const Ramp ramp = rampOf(filter.stops);
    applyGlow(layer, filter, effects, [&](int level) { return ramp[static_cast<std::size_t>(level)]; });
}

void ShadowFilters::apply(QImage& layer, const GradientBevelFilter& filter, const LayerEffects& effects) {
    const Ramp ramp = rampOf(filter.stops);
    // The ramp's middle is flat ground; its ends are full shade and full highlight.
    applyBevel(layer, filter, effects, [&](int highlight, int shade) {
        return ramp[static_cast<std::size_t>(std::clamp(128 + (highlight - shade) / 2, 0, 255))];
    });
}

} // namespace kf::swf
