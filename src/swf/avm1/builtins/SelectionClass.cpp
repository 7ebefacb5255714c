// Selection: which object has the keyboard focus. Focus only moves when a script moves it;
// there is no caret or selected range to report.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/runtime/SpriteObject.h"

namespace kf::swf::avm1 {

void installSelection(Interpreter& vm) {
    auto selection = vm.newObject();
    vm.global().define("Selection", Value(selection), DontEnum);
    // setFocus(target): a text field, clip or button by object or path; null clears the focus.
    vm.setMethod(
        *selection, "setFocus", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
            const Value target = argument(arguments, 0);
            if (target.isNull() || target.isUndefined()) {
                interpreter.input.focus.reset();
                return Value(true);
            }
            DisplayObject* object = nullptr;
            if (Object* targetObject = target.objectOrNull()) {
                object = interpreter.resolveDisplayObject(*targetObject);
            } else if (interpreter.hasContext()) {
                object = interpreter.resolvePath(interpreter.toString(target), &interpreter.context().base);
            }
            if (!object) {
                return Value(false);
            }
            interpreter.input.focus = interpreter.clipObject(*object);
            return Value(true);
        });
    // The focused object's absolute path, or null when none has the focus (or it is gone).
    vm.setMethod(*selection, "getFocus", [](Interpreter& interpreter, const Value&, std::vector<Value>&) {
        const std::shared_ptr<Object> focused = interpreter.input.focus.lock();
        if (!focused || !interpreter.resolveDisplayObject(*focused)) {
            return Value(Null{});
        }
        return Value(focused->clipPath);
    });
    for (const char* name : {"getBeginIndex", "getEndIndex", "getCaretIndex"}) {
        vm.setMethod(*selection, name,
                     [](Interpreter&, const Value&, std::vector<Value>&) { return Value(-1.0); });
    }
}

} // namespace kf::swf::avm1
