#include "swf/runtime/DisplayList.h"

#include "swf/runtime/TextCompare.h"

namespace kf::swf {

DisplayObject* DisplayList::findByName(std::string_view name, bool caseSensitive) const {
    for (const auto& [depth, object] : m_objects) {
        const bool matches =
            caseSensitive ? object->name() == name : equalsIgnoringCase(object->name(), name);
        if (matches && !object->name().empty()) {
            return object.get();
        }
    }
    return nullptr;
}

} // namespace kf::swf
