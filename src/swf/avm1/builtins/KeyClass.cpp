// Key: the keyboard as scripts see it, and its listeners (onKeyDown, onKeyUp).
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Listeners.h"

namespace kf::swf::avm1 {

void installKey(Interpreter& vm) {
    auto key = vm.newObject();
    vm.global().define("Key", Value(key), DontEnum);
    vm.input.key = key;
    const std::pair<const char*, double> codes[] = {
        {"BACKSPACE", 8}, {"CAPSLOCK", 20}, {"CONTROL", 17}, {"DELETEKEY", 46}, {"DOWN", 40}, {"END", 35},
        {"ENTER", 13},    {"ESCAPE", 27},   {"HOME", 36},    {"INSERT", 45},    {"LEFT", 37}, {"PGDN", 34},
        {"PGUP", 33},     {"RIGHT", 39},    {"SHIFT", 16},   {"SPACE", 32},     {"TAB", 9},   {"UP", 38}};
    for (const auto& [name, code] : codes) {
        key->define(name, Value(code), DontEnum | DontDelete | ReadOnly);
    }
    installListeners(vm, *key);
    vm.setMethod(*key, "isDown", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
        const double code = interpreter.toNumber(argument(arguments, 0));
        return Value(code >= 0 && code < 256 && interpreter.input.keysDown.contains(static_cast<int>(code)));
    });
    vm.setMethod(*key, "isToggled",
                 [](Interpreter&, const Value&, std::vector<Value>&) { return Value(false); });
    vm.setMethod(*key, "getCode", [](Interpreter& interpreter, const Value&, std::vector<Value>&) {
        return Value(static_cast<double>(interpreter.input.lastKeyCode));
    });
    vm.setMethod(*key, "getAscii", [](Interpreter& interpreter, const Value&, std::vector<Value>&) {
        return Value(static_cast<double>(interpreter.input.lastAscii));
    });
}

} // namespace kf::swf::avm1
