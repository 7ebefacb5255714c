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
    // Unlike most classes' members, the button's are left visible to for..in.
    prototype->define("enabled", Value(true));
    prototype->define("useHandCursor", Value(true));
    prototype->define(
        "getDepth",
        Value(vm.newFunction([](Interpreter& interpreter, const Value& self, std::vector<Value>&) {
            const Object* object = self.objectOrNull();
            const DisplayObject* button = object ? interpreter.resolveDisplayObject(*object) : nullptr;
            // Timeline depths count from -16384 in scripts.
            return button ? Value(static_cast<double>(button->depth().value - 16384)) : Value();
        })));
    // Flash Player 8's display settings answer for real buttons only; the layers they would
    // ask for are not drawn for buttons, so writes are not kept.
    const std::pair<const char*, Value (*)(Interpreter&)> displaySettings[] = {
        {"blendMode", [](Interpreter&) { return Value("normal"); }},
        {"cacheAsBitmap", [](Interpreter&) { return Value(false); }},
        {"filters", [](Interpreter& interpreter) { return Value(interpreter.newArray()); }},
        {"scale9Grid", [](Interpreter&) { return Value(); }},
        {"tabIndex", [](Interpreter&) { return Value(); }}};
    auto ignore = vm.newFunction([](Interpreter&, const Value&, std::vector<Value>&) { return Value(); });
    for (const auto& [name, answer] : displaySettings) {
        Property& property = prototype->define(name, Value(), Version8);
        property.getter = vm.newFunction(
            [answer](Interpreter& interpreter, const Value& self, std::vector<Value>&) -> Value {
                const Object* object = self.objectOrNull();
                const DisplayObject* shown = object ? interpreter.resolveDisplayObject(*object) : nullptr;
                return shown && shown->asButton() ? answer(interpreter) : Value();
            });
        property.setter = ignore;
    }
}

} // namespace kf::swf::avm1
