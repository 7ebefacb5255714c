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
    if (tag.filters) {
        filters = *tag.filters;
    }
    if (tag.blendMode) {
        // The file's 0 means normal too.
        blendMode = static_cast<std::uint8_t>(*tag.blendMode) == 0 ? BlendMode::Normal : *tag.blendMode;
    }
    if (tag.cacheAsBitmap) {
        cacheAsBitmap = *tag.cacheAsBitmap;
    }
    if (tag.visible) {
        visible = *tag.visible;
    }
}

} // namespace kf::swf
