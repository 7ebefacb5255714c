#include "swf/runtime/ButtonCharacter.h"

namespace kf::swf {

std::shared_ptr<const Character> makeButtonCharacter(const Tag& tag, const std::vector<Tag>& tags) {
    const auto* button = std::get_if<DefineButtonTag>(&tag.body);
    if (!button) {
        return nullptr;
    }
    ColorTransform legacy;
    if (button->version == 1) {
        for (const Tag& other : tags) {
            const auto* cxform = std::get_if<DefineButtonCxformTag>(&other.body);
            if (cxform && cxform->buttonId == button->id) {
                legacy = cxform->colorTransform;
                break;
            }
        }
    }
    return std::make_shared<ButtonCharacter>(*button, legacy);
}

} // namespace kf::swf
