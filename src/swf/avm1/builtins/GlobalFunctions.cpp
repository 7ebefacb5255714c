#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kf::swf::avm1 {

namespace {

Value parseInteger(Interpreter& vm, const Value&, std::vector<Value>& arguments) {
    const std::string text = vm.toString(argument(arguments, 0));
    int radix = static_cast<int>(vm.toNumber(argument(arguments, 1)));
    std::size_t index = 0;
    while (index < text.size() && std::isspace(static_cast<unsigned char>(text[index]))) {
        ++index;
    }
    bool negative = false;
    if (index < text.size() && (text[index] == '-' || text[index] == '+')) {
        negative = text[index] == '-';
        ++index;
    }
    if (radix == 0) {
        radix = 10;
        if (text.compare(index, 2, "0x") == 0 || text.compare(index, 2, "0X") == 0) {
            radix = 16;
            index += 2;
        }
    }
    if (radix < 2 || radix > 36) {
        return Value(std::numeric_limits<double>::quiet_NaN());
    }
    double result = 0;
    bool any = false;
    for (; index < text.size(); ++index) {
        const int digit = std::isdigit(static_cast<unsigned char>(text[index])) ? text[index] - '0'
                          : std::isalpha(static_cast<unsigned char>(text[index]))
                              ? std::tolower(text[index]) - 'a' + 10
                              : 99;
        if (digit >= radix) {
            break;
        }
        result = result * radix + digit;
        any = true;
    }
    if (!any) {
        return Value(std::numeric_limits<double>::quiet_NaN());
    }
    return Value(negative ? -result : result);
}

} // namespace

void installGlobalFunctions(Interpreter& vm) {
    Object& global = vm.global();
    global.define("NaN", Value(std::numeric_limits<double>::quiet_NaN()), DontEnum);
    global.define("Infinity", Value(std::numeric_limits<double>::infinity()), DontEnum);
    vm.setMethod(global, "getTimer", [](Interpreter& interpreter, const Value&, std::vector<Value>&) {
        return Value(std::floor(interpreter.movieMilliseconds()));
    });
    vm.setMethod(global, "isNaN", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
        return Value(std::isnan(interpreter.toNumber(argument(arguments, 0))));
    });
    vm.setMethod(global, "isFinite",
                 [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
                     return Value(std::isfinite(interpreter.toNumber(argument(arguments, 0))));
                 });
    vm.setMethod(global, "parseInt", parseInteger);
    vm.setMethod(
        global, "parseFloat", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
            const std::string text = interpreter.toString(argument(arguments, 0));
            char* stop = nullptr;
            const double number = std::strtod(text.c_str(), &stop);
            return stop == text.c_str() ? Value(std::numeric_limits<double>::quiet_NaN()) : Value(number);
        });
    // setInterval(function, period, arguments...) or setInterval(object, "method", period, ...).
    vm.setMethod(global, "setInterval",
                 [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
                     Interpreter::Interval interval;
                     std::size_t next = 0;
                     Object* first = argument(arguments, 0).objectOrNull();
                     if (first && first->isCallable()) {
                         interval.function = arguments[0];
                         next = 1;
                     } else if (first && arguments.size() >= 2) {
                         interval.thisValue = arguments[0];
                         interval.method = interpreter.toString(arguments[1]);
                         next = 2;
                     } else {
                         return Value();
                     }
                     interval.periodMilliseconds = interpreter.toNumber(argument(arguments, next));
                     if (std::isnan(interval.periodMilliseconds)) {
                         interval.periodMilliseconds = 0;
                     }
                     if (arguments.size() > next + 1) {
                         interval.arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(next + 1),
                                                   arguments.end());
                     }
                     return Value(static_cast<double>(interpreter.addInterval(std::move(interval))));
                 });
    vm.setMethod(
        global, "clearInterval", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
            interpreter.clearInterval(static_cast<int>(interpreter.toNumber(argument(arguments, 0))));
            return Value();
        });
    // ASSetPropFlags(object, names, set, clear): names as an array, a comma list, or null
    // for every property.
    vm.setMethod(
        global, "ASSetPropFlags", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
            Object* object = argument(arguments, 0).objectOrNull();
            if (!object) {
                return Value();
            }
            std::vector<std::string> names;
            const Value list = argument(arguments, 1);
            if (Object* array = list.objectOrNull()) {
                for (const Value& name : array->elements) {
                    names.push_back(interpreter.toString(name));
                }
            } else if (list.isString()) {
                std::string text = list.string();
                std::size_t start = 0;
                for (std::size_t comma = text.find(',');; comma = text.find(',', start)) {
                    names.push_back(text.substr(start, comma - start));
                    if (comma == std::string::npos) {
                        break;
                    }
                    start = comma + 1;
                }
            }
            const auto set =
                static_cast<std::uint16_t>(toInt32(interpreter.toNumber(argument(arguments, 2))) & 0xFFFF);
            const auto cleared =
                static_cast<std::uint16_t>(toInt32(interpreter.toNumber(argument(arguments, 3))) & 0xFFFF);
            for (const Property& property : object->properties()) {
                const bool wanted =
                    list.isNull() || std::find(names.begin(), names.end(), property.name) != names.end();
                if (wanted) {
                    Property* target = object->findOwn(property.name, true);
                    target->flags = static_cast<std::uint16_t>((target->flags & ~cleared) | set);
                }
            }
            return Value();
        });
    // ASnative(table, index): Flash Player's built-in functions by number, for scripts that
    // reach a method their version hides. Only the numbers known here answer.
    vm.setMethod(global, "ASnative", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
        struct Entry {
            int table;
            int index;
            const char* name;
        };
        static constexpr Entry objectMethods[] = {{101, 5, "hasOwnProperty"}};
        const double table = interpreter.toNumber(argument(arguments, 0));
        const double index = interpreter.toNumber(argument(arguments, 1));
        for (const Entry& entry : objectMethods) {
            if (entry.table == table && entry.index == index) {
                const Property* method = interpreter.objectPrototype->findOwn(entry.name, true);
                return method ? method->value : Value();
            }
        }
        return Value();
    });
    vm.setMethod(global, "escape", [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
        const std::string text = interpreter.toString(argument(arguments, 0));
        std::string escaped;
        for (unsigned char character : text) {
            if (std::isalnum(character)) {
                escaped.push_back(static_cast<char>(character));
            } else {
                static const char hex[] = "0123456789ABCDEF";
                escaped += '%';
                escaped += hex[character >> 4];
                escaped += hex[character & 15];
            }
        }
        return Value(escaped);
    });

    auto errorPrototype = vm.newObject();
    vm.errorPrototype = errorPrototype;
    errorPrototype->define("message", Value("Error"), DontEnum);
    errorPrototype->define("name", Value("Error"), DontEnum);
    auto error = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            if (!arguments.empty() && !arguments[0].isUndefined()) {
                interpreter.setMember(thisValue, "message", arguments[0]);
            }
            return thisValue;
        },
        errorPrototype);
    vm.setMethod(*errorPrototype, "toString",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     return Value(interpreter.toString(interpreter.getMember(thisValue, "message")));
                 });
    global.define("Error", Value(error), DontEnum);
}

} // namespace kf::swf::avm1
