// flash.geom.Matrix: a plain object with a, b, c, d, tx and ty that scripts hand to
// beginGradientFill and lineGradientStyle, with the helpers that build gradient boxes.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"

#include <array>
#include <cmath>
#include <string_view>

namespace kf::swf::avm1 {

namespace {

constexpr std::array<std::string_view, 6> memberNames{"a", "b", "c", "d", "tx", "ty"};

// The gradient square spans 1638.4 pixels on each side before the matrix.
constexpr double gradientSquarePixels = 1638.4;

void setMembers(Interpreter& vm, const Value& matrix, const std::array<double, 6>& values) {
    for (std::size_t index = 0; index < memberNames.size(); ++index) {
        vm.setMember(matrix, memberNames[index], Value(values[index]));
    }
}

double numberArgument(Interpreter& vm, const std::vector<Value>& arguments, std::size_t index,
                      double fallback) {
    return index < arguments.size() ? vm.toNumber(arguments[index]) : fallback;
}

// createBox(scaleX, scaleY, rotation, tx, ty). The second column takes scaleY and the first
// row's sine scaleX, as Flash Player builds it: rotated boxes of unequal sides come out
// sheared exactly as movies made against it expect.
void setBox(Interpreter& vm, const Value& matrix, double scaleX, double scaleY, double rotation, double tx,
            double ty) {
    const double cosine = std::cos(rotation);
    const double sine = std::sin(rotation);
    setMembers(vm, matrix, {cosine * scaleX, sine * scaleY, -sine * scaleX, cosine * scaleY, tx, ty});
}

} // namespace

void installMatrix(Interpreter& vm) {
    auto prototype = vm.newObject();
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            if (!thisValue.isObject() || !interpreter.constructing()) {
                return Value();
            }
            // Without arguments the identity; with some, the missing ones are undefined.
            if (arguments.empty()) {
                setMembers(interpreter, thisValue, {1, 0, 0, 1, 0, 0});
                return Value();
            }
            for (std::size_t index = 0; index < memberNames.size(); ++index) {
                interpreter.setMember(thisValue, memberNames[index], argument(arguments, index));
            }
            return Value();
        },
        prototype);
    packageObject(vm, {"flash", "geom"}).define("Matrix", Value(constructor), DontEnum);

    vm.setMethod(*prototype, "identity",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     setMembers(interpreter, thisValue, {1, 0, 0, 1, 0, 0});
                     return Value();
                 });
    vm.setMethod(*prototype, "createBox",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     setBox(interpreter, thisValue, numberArgument(interpreter, arguments, 0, 1),
                            numberArgument(interpreter, arguments, 1, 1),
                            numberArgument(interpreter, arguments, 2, 0),
                            numberArgument(interpreter, arguments, 3, 0),
                            numberArgument(interpreter, arguments, 4, 0));
                     return Value();
                 });
    // createGradientBox(width, height, rotation, tx, ty): the gradient square fitted to a box
    // whose top left corner is (tx, ty).
    vm.setMethod(*prototype, "createGradientBox",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     const double width = numberArgument(interpreter, arguments, 0, 0);
                     const double height = numberArgument(interpreter, arguments, 1, 0);
                     setBox(interpreter, thisValue, width / gradientSquarePixels,
                            height / gradientSquarePixels, numberArgument(interpreter, arguments, 2, 0),
                            numberArgument(interpreter, arguments, 3, 0) + width / 2,
                            numberArgument(interpreter, arguments, 4, 0) + height / 2);
                     return Value();
                 });
}

} // namespace kf::swf::avm1
