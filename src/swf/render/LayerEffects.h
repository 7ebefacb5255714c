#pragma once

#include "swf/format/Filters.h"

#include <QPointF>
#include <QTransform>
#include <optional>
#include <vector>

namespace kf::swf {

class DisplayObject;

// What happens to an object drawn into a layer of its own: its filters run over the layer,
// then the layer is blended onto what lies below.
struct LayerEffects {
    BlendMode blendMode = BlendMode::Normal;
    std::vector<Filter> filters;
    // Output pixels per movie pixel along x and y: blur sizes and shadow distances are given
    // in the movie's pixels and grow with the object's world transform.
    double scaleX = 1.0;
    double scaleY = 1.0;
    // The world transform's linear part, for turning a filter's angle and distance into an
    // offset in output pixels.
    QTransform direction;

    // The layer an object needs, or nothing when it draws straight onto its parent (the
    // common case, which must stay free of offscreen images).
    static std::optional<LayerEffects> forObject(const DisplayObject& object, const QTransform& world);

    // The offset in output pixels of a filter's `distance` (movie pixels) at `angle` (radians).
    QPointF offset(double angle, double distance) const;
    // How many output pixels the filters can spread the layer's content, per side.
    int reach() const;
};

// A bitmap-cached object (cacheAsBitmap) is drawn at whole output pixels: its content is the
// same at every fractional position, only the blit moves. Filtered objects are cached too in
// Flash Player, but their content keeps its fractional place (the corpus's shadows and
// glows line up with the object drawn unaligned).
QTransform pixelAligned(const QTransform& world);
bool drawsAsBitmap(const DisplayObject& object);

} // namespace kf::swf
