// Mouse: its listeners (onMouseDown, onMouseUp, onMouseMove) and the pointer's visibility.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Listeners.h"

namespace kf::swf::avm1 {

void installMouse(Interpreter& vm) {
    auto mouse = vm.newObject();
    vm.global().define("Mouse", Value(mouse), DontEnum);
    vm.input.mouse = mouse;
    installListeners(vm, *mouse);
    // show() and hide() answer whether the pointer was shown before: 1 or 0.
    auto visibility = [](bool shown) {
        return [shown](Interpreter& interpreter, const Value&, std::vector<Value>&) {
            const bool before = interpreter.input.mouseShown;
            interpreter.input.mouseShown = shown;
            return Value(before ? 1.0 : 0.0);
        };
    };
    vm.setMethod(*mouse, "show", visibility(true));
    vm.setMethod(*mouse, "hide", visibility(false));
}

} // namespace kf::swf::avm1
