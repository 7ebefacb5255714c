#include "swf/runtime/TextSpan.h"

namespace kf::swf {

std::u32string plainTextOf(const std::vector<TextSpan>& spans) {
    std::u32string text;
    for (const TextSpan& span : spans) {
        text += span.text;
    }
    return text;
}

} // namespace kf::swf
