#pragma once

#include "swf/format/Filters.h"

class QImage;

namespace kf::swf {

struct LayerEffects;

// The filters that paint a blurred copy of the object's alpha in other colours: drop shadow,
// glow, bevel and their gradient forms. Each takes the layer (ARGB32-premultiplied, with room
// around the object for what it spreads) and replaces it with the filtered image.
class ShadowFilters {
public:
    static void apply(QImage& layer, const DropShadowFilter& filter, const LayerEffects& effects);
    static void apply(QImage& layer, const GlowFilter& filter, const LayerEffects& effects);
    static void apply(QImage& layer, const BevelFilter& filter, const LayerEffects& effects);
    static void apply(QImage& layer, const GradientGlowFilter& filter, const LayerEffects& effects);
    static void apply(QImage& layer, const GradientBevelFilter& filter, const LayerEffects& effects);
};

} // namespace kf::swf
