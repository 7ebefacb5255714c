#include "swf/avm1/Object.h"

#include "swf/avm1/ScriptFunction.h"
#include "swf/runtime/TextCompare.h"

#include <algorithm>

namespace kf::swf::avm1 {

Property* Object::findOwn(std::string_view name, bool caseSensitive) {
    for (Property& property : m_properties) {
        if (caseSensitive ? property.name == name : equalsIgnoringCase(property.name, name)) {
            return &property;
        }
    }
    return nullptr;
}

Property& Object::define(std::string_view name, Value value, std::uint8_t flags) {
    if (Property* existing = findOwn(name, true)) {
        existing->value = std::move(value);
        existing->flags = flags;
        return *existing;
    }
    m_properties.push_back(Property{std::string(name), std::move(value), flags, nullptr, nullptr});
    return m_properties.back();
}

bool Object::remove(std::string_view name, bool caseSensitive) {
    auto found = std::find_if(m_properties.begin(), m_properties.end(), [&](const Property& property) {
        return caseSensitive ? property.name == name : equalsIgnoringCase(property.name, name);
    });
    if (found == m_properties.end() || (found->flags & DontDelete) != 0) {
        return false;
    }
    m_properties.erase(found);
    return true;
}

void Object::clear() {
    m_properties.clear();
    m_prototype.reset();
    elements.clear();
    native = nullptr;
    script.reset();
    primitive = Value();
    builtin.reset();
}

} // namespace kf::swf::avm1
