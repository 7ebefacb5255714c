#include "swf/runtime/DisplayProperties.h"

namespace kf::swf {

void DisplayProperties::apply(const PlaceObjectTag& tag) {
    if (tag.matrix) {
        matrix = *tag.matrix;
    }
    if (tag.colorTransform) {
        colorTransform = *tag.colorTransform;
    }
    if (tag.ratio) {
        ratio = *tag.ratio;
    }
    if (tag.name) {
        name = *tag.name;
    }
    if (tag.clipDepth) {
        clipDepth = DisplayDepth{tag.clipDepth->value};
    }
    if (!tag.extras) {
        return;
    }
    const PlaceObjectExtras& extras = *tag.extras;
    if (extras.filters) {
        filters = *extras.filters;
    }
    if (extras.blendMode) {
        // The file's 0 means normal too.
        blendMode = static_cast<std::uint8_t>(*extras.blendMode) == 0 ? BlendMode::Normal : *extras.blendMode;
    }
    if (extras.cacheAsBitmap) {
        cacheAsBitmap = *extras.cacheAsBitmap;
    }
    if (extras.visible) {
        visible = *extras.visible;
    }
}

} // namespace kf::swf
