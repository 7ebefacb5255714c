#pragma once

#include "swf/format/Filters.h"

class QImage;

namespace kf::swf {

struct LayerEffects;

// Runs an object's filters, in their list order, over the layer it was drawn into
// (ARGB32-premultiplied, with room around the object for what the filters spread).
class BitmapFilters {
public:
    static void apply(QImage& layer, const LayerEffects& effects);

    // Each filter's colours act on unpremultiplied values, as the filters' matrices are written.
    static void apply(QImage& layer, const ColorMatrixFilter& filter);
    static void apply(QImage& layer, const ConvolutionFilter& filter);
};

} // namespace kf::swf
