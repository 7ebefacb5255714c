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

namespace {

std::shared_ptr<Object> objectIn(const Value& value) {
    return value.isObject() ? value.object() : nullptr;
}

} // namespace

Object* Object::prototypeFor(std::uint8_t version) const {
    // __proto__ is kept first, so the check costs one comparison per step of a lookup.
    if (!m_properties.empty() && m_properties.front().name == prototypePropertyName &&
        !visibleInVersion(m_properties.front().flags, version)) {
        return nullptr;
    }
    return m_prototype.get();
}

void Object::setPrototype(std::shared_ptr<Object> prototype) {
    Property* existing = findOwn(prototypePropertyName, true);
    if (!prototype) {
        if (existing) {
            m_properties.erase(m_properties.begin() + (existing - m_properties.data()));
        }
        m_prototype.reset();
        return;
    }
    if (existing) {
        existing->value = Value(prototype);
    } else {
        m_properties.insert(m_properties.begin(),
                            Property{std::string(prototypePropertyName), Value(prototype),
                                     DontEnum | DontDelete, nullptr, nullptr});
    }
    m_prototype = std::move(prototype);
}

Property& Object::define(std::string_view name, Value value, std::uint16_t flags) {
    const bool isPrototype = name == prototypePropertyName;
    if (isPrototype) {
        m_prototype = objectIn(value);
    }
    if (Property* existing = findOwn(name, true)) {
        existing->value = std::move(value);
        existing->flags = flags;
        existing->getter = existing->setter = nullptr;
        return *existing;
    }
    Property property{std::string(name), std::move(value), flags, nullptr, nullptr};
    if (isPrototype) {
        return *m_properties.insert(m_properties.begin(), std::move(property));
    }
    m_properties.push_back(std::move(property));
    return m_properties.back();
}

void Object::assign(Property& property, Value value) {
    if (property.name == prototypePropertyName) {
        m_prototype = objectIn(value);
    }
    property.value = std::move(value);
}

bool Object::remove(std::string_view name, bool caseSensitive) {
    auto found = std::find_if(m_properties.begin(), m_properties.end(), [&](const Property& property) {
        return caseSensitive ? property.name == name : equalsIgnoringCase(property.name, name);
    });
    if (found == m_properties.end() || (found->flags & DontDelete) != 0) {
        return false;
    }
    if (found->name == prototypePropertyName) {
        m_prototype.reset();
    }
    m_properties.erase(found);
    return true;
}

void Object::addFlagsToAll(std::uint16_t flags) {
    for (Property& property : m_properties) {
        property.flags = static_cast<std::uint16_t>(property.flags | flags);
    }
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
