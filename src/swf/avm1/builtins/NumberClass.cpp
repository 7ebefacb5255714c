#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"

#include <cmath>
#include <limits>

namespace kf::swf::avm1 {

namespace {

double selfNumber(Interpreter& vm, const Value& thisValue) {
    if (Object* object = thisValue.objectOrNull(); object && object->kind() == ObjectKind::Boxed) {
        return vm.toNumber(object->primitive);
    }
    return vm.toNumber(thisValue);
}

// toString(radix) writes integers in bases 2 to 36; fractions only in base 10.
std::string inRadix(double number, int radix) {
    if (radix == 10 || radix < 2 || radix > 36 || !std::isfinite(number)) {
        return numberToString(number);
    }
    const bool negative = number < 0;
    auto whole = static_cast<std::uint64_t>(std::fabs(std::trunc(number)));
    std::string digits;
    do {
        digits.insert(digits.begin(),
                      "0123456789abcdefghijklmnopqrstuvwxyz"[whole % static_cast<std::uint64_t>(radix)]);
        whole /= static_cast<std::uint64_t>(radix);
    } while (whole > 0);
    return negative ? "-" + digits : digits;
}

} // namespace

void installNumber(Interpreter& vm) {
    vm.numberPrototype = vm.newObject();
    Object& prototype = *vm.numberPrototype;
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) -> Value {
            const Value number(arguments.empty() ? 0.0 : interpreter.toNumber(arguments[0]));
            return interpreter.constructing() ? Value(interpreter.newBoxed(number)) : number;
        },
        vm.numberPrototype);
    constructor->define("MAX_VALUE", Value(std::numeric_limits<double>::max()), DontEnum | ReadOnly);
    constructor->define("MIN_VALUE", Value(std::numeric_limits<double>::denorm_min()), DontEnum | ReadOnly);
    constructor->define("NaN", Value(std::numeric_limits<double>::quiet_NaN()), DontEnum | ReadOnly);
    constructor->define("POSITIVE_INFINITY", Value(std::numeric_limits<double>::infinity()),
                        DontEnum | ReadOnly);
    constructor->define("NEGATIVE_INFINITY", Value(-std::numeric_limits<double>::infinity()),
                        DontEnum | ReadOnly);
    vm.global().define("Number", Value(constructor), DontEnum);

    vm.setMethod(prototype, "toString",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     const Value radix = argument(arguments, 0);
                     const int base =
                         radix.isUndefined() ? 10 : static_cast<int>(interpreter.toNumber(radix));
                     return Value(inRadix(selfNumber(interpreter, thisValue), base));
                 });
    vm.setMethod(prototype, "valueOf",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     return Value(selfNumber(interpreter, thisValue));
                 });
}

} // namespace kf::swf::avm1
