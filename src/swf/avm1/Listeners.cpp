#include "swf/avm1/Listeners.h"

#include "swf/avm1/BuiltinSupport.h"

#include <algorithm>

namespace kf::swf::avm1 {

namespace {

Object* listenersOf(Interpreter& vm, const Value& source) {
    Object* list = vm.getMember(source, "_listeners").objectOrNull();
    return list && list->kind() == ObjectKind::Array ? list : nullptr;
}

bool sameObject(const Value& left, const Value& right) {
    return left.objectOrNull() && left.objectOrNull() == right.objectOrNull();
}

} // namespace

void installListeners(Interpreter& vm, Object& source) {
    source.define("_listeners", Value(vm.newArray()), DontEnum);
    vm.setMethod(source, "addListener",
                 [](Interpreter& interpreter, const Value& self, std::vector<Value>& arguments) {
                     Object* list = listenersOf(interpreter, self);
                     const Value listener = argument(arguments, 0);
                     if (!list) {
                         return Value(false);
                     }
                     // A listener added twice is called once.
                     std::erase_if(list->elements,
                                   [&](const Value& entry) { return sameObject(entry, listener); });
                     list->elements.push_back(listener);
                     return Value(true);
                 });
    vm.setMethod(source, "removeListener",
                 [](Interpreter& interpreter, const Value& self, std::vector<Value>& arguments) {
                     Object* list = listenersOf(interpreter, self);
                     const Value listener = argument(arguments, 0);
                     if (!list) {
                         return Value(false);
                     }
                     auto found =
                         std::find_if(list->elements.begin(), list->elements.end(),
                                      [&](const Value& entry) { return sameObject(entry, listener); });
                     if (found == list->elements.end()) {
                         return Value(false);
                     }
                     list->elements.erase(found);
                     return Value(true);
                 });
}

void broadcast(Interpreter& vm, Object& source, std::string_view method,
               const std::vector<Value>& arguments) {
    const Value self(source.shared_from_this());
    Object* list = listenersOf(vm, self);
    if (!list) {
        return;
    }
    const std::vector<Value> listeners = list->elements;
    for (const Value& listener : listeners) {
        if (vm.aborted()) {
            return;
        }
        const Value handler = vm.getMember(listener, method);
        if (Object* function = handler.objectOrNull(); function && function->isCallable()) {
            vm.call(handler, listener, arguments);
            vm.clearPendingThrow();
        }
    }
}

} // namespace kf::swf::avm1
