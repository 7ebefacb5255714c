#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"

namespace kf::swf::avm1 {

void installFunction(Interpreter& vm) {
    Object& prototype = *vm.functionPrototype;
    Object& constructor = *vm.functionConstructor;
    constructor.native = [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value {
        return thisValue;
    };
    constructor.setPrototype(vm.functionPrototype);
    constructor.findOwn(prototypePropertyName, true)->flags = DontEnum | DontDelete | Version6;
    constructor.define("constructor", Value(vm.functionConstructor), DontEnum | DontDelete);
    constructor.define("prototype", Value(vm.functionPrototype), DontEnum | DontDelete);
    prototype.define("constructor", Value(vm.functionConstructor), DontEnum | DontDelete);
    // SWF 5 movies see functions but no global Function class.
    vm.global().define("Function", Value(vm.functionConstructor), DontEnum | Version6);

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
