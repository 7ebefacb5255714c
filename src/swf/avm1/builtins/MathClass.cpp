#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace kf::swf::avm1 {

namespace {

template <double (*Function)(double)> NativeFunction unary() {
    return [](Interpreter& vm, const Value&, std::vector<Value>& arguments) {
        return Value(Function(vm.toNumber(argument(arguments, 0))));
    };
}

double roundHalfUp(double value) {
    return std::floor(value + 0.5);
}

} // namespace

void installMath(Interpreter& vm) {
    auto math = vm.newObject();
    vm.global().define("Math", Value(math), DontEnum);
    const std::pair<const char*, double> constants[] = {
        {"PI", std::numbers::pi},       {"E", std::numbers::e},
        {"LN2", std::numbers::ln2},     {"LN10", std::numbers::ln10},
        {"LOG2E", std::numbers::log2e}, {"LOG10E", std::numbers::log10e},
        {"SQRT2", std::numbers::sqrt2}, {"SQRT1_2", std::numbers::sqrt2 / 2}};
    for (const auto& [name, value] : constants) {
        math->define(name, Value(value), DontEnum | DontDelete | ReadOnly);
    }
    vm.setMethod(*math, "abs", unary<std::fabs>());
    vm.setMethod(*math, "ceil", unary<std::ceil>());
    vm.setMethod(*math, "floor", unary<std::floor>());
    vm.setMethod(*math, "round", unary<roundHalfUp>());
    vm.setMethod(*math, "sqrt", unary<std::sqrt>());
    vm.setMethod(*math, "sin", unary<std::sin>());
    vm.setMethod(*math, "cos", unary<std::cos>());
    vm.setMethod(*math, "tan", unary<std::tan>());
    vm.setMethod(*math, "asin", unary<std::asin>());
    vm.setMethod(*math, "acos", unary<std::acos>());
    vm.setMethod(*math, "atan", unary<std::atan>());
    vm.setMethod(*math, "exp", unary<std::exp>());
    vm.setMethod(*math, "log", unary<std::log>());
    vm.setMethod(*math, "atan2", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
        return Value(std::atan2(interpreter.toNumber(argument(arguments, 0)),
                                interpreter.toNumber(argument(arguments, 1))));
    });
    vm.setMethod(*math, "pow", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
        return Value(std::pow(interpreter.toNumber(argument(arguments, 0)),
                              interpreter.toNumber(argument(arguments, 1))));
    });
    auto extreme = [](bool wantMax) {
        return [wantMax](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
            double result =
                wantMax ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
            for (const Value& value : arguments) {
                const double number = interpreter.toNumber(value);
                if (std::isnan(number)) {
                    return Value(number);
                }
                result = wantMax ? std::max(result, number) : std::min(result, number);
            }
            return Value(result);
        };
    };
    vm.setMethod(*math, "max", extreme(true));
    vm.setMethod(*math, "min", extreme(false));
    vm.setMethod(*math, "random", [](Interpreter&, const Value&, std::vector<Value>&) {
        static std::mt19937 generator(20261207);
        return Value(std::uniform_real_distribution<double>(0.0, 1.0)(generator));
    });
}

} // namespace kf::swf::avm1
