// Button: the class of button instances. Scripts cannot create buttons; the prototype holds
// the switches every instance starts with and getDepth.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/runtime/DisplayObject.h"

namespace kf::swf::avm1 {

void installButton(Interpreter& vm) {
    auto prototype = vm.newObject();
    auto constructor =
        vm.newFunction([](Interpreter&, const Value&, std::vector<Value>&) { return Value(); }, prototype);
    vm.global().define("Button", Value(constructor), DontEnum);
    vm.input.buttonPrototype = prototype;
    prototype->define("enabled", Value(true));
    prototype->define("useHandCursor", Value(true));
    vm.setMethod(
        *prototype, "getDepth", [](Interpreter& interpreter, const Value& self, std::vector<Value>&) {
            const Object* object = self.objectOrNull();
            const DisplayObject* button = object ? interpreter.resolveDisplayObject(*object) : nullptr;
            // Timeline depths count from -16384 in scripts.
            return button ? Value(static_cast<double>(button->depth().value - 16384)) : Value();
        });
}

} // namespace kf::swf::avm1
