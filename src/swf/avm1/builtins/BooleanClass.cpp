#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"

namespace kf::swf::avm1 {

namespace {

bool selfBoolean(Interpreter& vm, const Value& thisValue) {
    if (Object* object = thisValue.objectOrNull(); object && object->kind() == ObjectKind::Boxed) {
        return vm.toBoolean(object->primitive);
    }
    return vm.toBoolean(thisValue);
}

} // namespace

void installBoolean(Interpreter& vm) {
    vm.booleanPrototype = vm.newObject();
    Object& prototype = *vm.booleanPrototype;
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) -> Value {
            const Value flag(!arguments.empty() && interpreter.toBoolean(arguments[0]));
            return interpreter.constructing() ? Value(interpreter.newBoxed(flag)) : flag;
        },
        vm.booleanPrototype);
    vm.global().define("Boolean", Value(constructor), DontEnum);
    vm.setMethod(prototype, "toString",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     return Value(selfBoolean(interpreter, thisValue) ? "true" : "false");
                 });
    vm.setMethod(prototype, "valueOf",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     return Value(selfBoolean(interpreter, thisValue));
                 });
}

} // namespace kf::swf::avm1
