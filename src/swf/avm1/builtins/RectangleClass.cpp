// flash.geom.Rectangle: a plain object with x, y, width and height that scripts hand to
// BitmapData and scrollRect, and get back from them.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"

#include <array>
#include <string_view>

namespace kf::swf::avm1 {

namespace {

constexpr std::array<std::string_view, 4> fieldNames{"x", "y", "width", "height"};

} // namespace

Value newRectangle(Interpreter& vm, double x, double y, double width, double height) {
    const Value global(vm.global().shared_from_this());
    const Value constructor = vm.getMember(vm.getMember(vm.getMember(global, "flash"), "geom"), "Rectangle");
    std::vector<Value> fields{Value(x), Value(y), Value(width), Value(height)};
    if (Object* function = constructor.objectOrNull(); function && function->isCallable()) {
        return vm.construct(constructor, fields);
    }
    // Movies made for players before 8 see no flash package: a plain object stands in.
    auto plain = vm.newObject();
    for (std::size_t index = 0; index < fieldNames.size(); ++index) {
        plain->define(fieldNames[index], fields[index]);
    }
    return Value(plain);
}

void installRectangle(Interpreter& vm) {
    auto prototype = vm.newObject();
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            if (!thisValue.isObject() || !interpreter.constructing()) {
                return Value();
            }
            // Without arguments the empty rectangle at 0, 0; with some, the missing ones are
            // undefined.
            for (std::size_t index = 0; index < fieldNames.size(); ++index) {
                interpreter.setMember(thisValue, fieldNames[index],
                                      arguments.empty() ? Value(0.0) : argument(arguments, index));
            }
            return Value();
        },
        prototype);
    packageObject(vm, {"flash", "geom"}).define("Rectangle", Value(constructor), DontEnum);

    // "(x=1, y=2, w=3, h=4)"
    vm.setMethod(*prototype, "toString",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     const std::array<std::string_view, 4> labels{"(x=", ", y=", ", w=", ", h="};
                     std::string text;
                     for (std::size_t index = 0; index < fieldNames.size(); ++index) {
                         text += labels[index];
                         text += interpreter.toString(interpreter.getMember(thisValue, fieldNames[index]));
                     }
                     return Value(text + ")");
                 });
}

} // namespace kf::swf::avm1
