#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"

namespace kf::swf::avm1 {

void installFunction(Interpreter& vm) {
    Object& prototype = *vm.functionPrototype;
    auto constructor = vm.newFunction(
        [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value { return thisValue; },
        vm.functionPrototype);
    vm.global().define("Function", Value(constructor), DontEnum);

    vm.setMethod(
        prototype, "call",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            const Value self = argument(arguments, 0);
            std::vector<Value> rest;
            if (arguments.size() > 1) {
                rest.assign(arguments.begin() + 1, arguments.end());
            }
            return interpreter.call(thisValue, self, std::move(rest));
        });
    vm.setMethod(
        prototype, "apply",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            std::vector<Value> list;
            if (Object* array = argument(arguments, 1).objectOrNull()) {
                list = array->elements;
            }
            return interpreter.call(thisValue, argument(arguments, 0), std::move(list));
        });
}

} // namespace kf::swf::avm1
