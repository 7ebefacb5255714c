#pragma once

#include "swf/avm1/Interpreter.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace kf::swf::avm1 {

inline Value argument(const std::vector<Value>& arguments, std::size_t index) {
    return index < arguments.size() ? arguments[index] : Value();
}

} // namespace kf::swf::avm1

namespace kf::swf::avm1 {

// The package object _global.<names...>, made where missing, so classes of one package
// installed from different files share it. New packages are hidden from movies made for
// players before 8, which had none.
inline Object& packageObject(Interpreter& vm, std::initializer_list<std::string_view> names) {
    Object* package = &vm.global();
    for (std::string_view name : names) {
        Property* existing = package->findOwn(name, true);
        if (!existing || !existing->value.isObject()) {
            existing = &package->define(name, Value(vm.newObject()), DontEnum | Version8);
        }
        package = existing->value.object().get();
    }
    return *package;
}

} // namespace kf::swf::avm1
