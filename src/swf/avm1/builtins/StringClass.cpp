#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Utf8.h"

#include <algorithm>
#include <cmath>

namespace kf::swf::avm1 {

namespace {

using CodePoints = std::vector<std::uint32_t>;

double integerArgument(Interpreter& vm, const std::vector<Value>& arguments, std::size_t index,
                       double fallback) {
    const Value value = argument(arguments, index);
    if (value.isUndefined()) {
        return fallback;
    }
    const double number = vm.toNumber(value);
    return std::isnan(number) ? 0 : std::trunc(number);
}

std::size_t clampIndex(double value, std::size_t size) {
    return static_cast<std::size_t>(std::clamp(value, 0.0, static_cast<double>(size)));
}

std::size_t findIn(const CodePoints& text, const CodePoints& needle, std::size_t from) {
    if (needle.size() > text.size()) {
        return std::string::npos;
    }
    for (std::size_t index = from; index + needle.size() <= text.size(); ++index) {
        if (std::equal(needle.begin(), needle.end(), text.begin() + static_cast<std::ptrdiff_t>(index))) {
            return index;
        }
    }
    return std::string::npos;
}

void method(Interpreter& vm, Object& prototype, std::string_view name,
            Value (*body)(Interpreter&, const CodePoints&, std::vector<Value>&)) {
    vm.setMethod(prototype, name,
                 [body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     return body(interpreter, toCodePoints(interpreter.toString(thisValue)), arguments);
                 });
}

} // namespace

void installString(Interpreter& vm) {
    vm.stringPrototype = vm.newObject();
    Object& prototype = *vm.stringPrototype;
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) -> Value {
            const Value text(arguments.empty() ? std::string() : interpreter.toString(arguments[0]));
            return interpreter.constructing() ? Value(interpreter.newBoxed(text)) : text;
        },
        vm.stringPrototype);
    vm.global().define("String", Value(constructor), DontEnum);
    vm.setMethod(*constructor, "fromCharCode",
                 [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
                     std::string text;
                     for (const Value& code : arguments) {
                         const double number = interpreter.toNumber(code);
                         appendCodePoint(
                             text, static_cast<std::uint32_t>(
                                       std::isfinite(number) ? std::fmod(std::fabs(number), 65536.0) : 0));
                     }
                     return Value(text);
                 });

    auto self = [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
        return Value(interpreter.toString(thisValue));
    };
    vm.setMethod(prototype, "toString", self);
    vm.setMethod(prototype, "valueOf", self);
    method(vm, prototype, "charAt",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               const double index = integerArgument(interpreter, arguments, 0, 0);
               return index < 0 || index >= static_cast<double>(text.size())
                          ? Value(std::string())
                          : Value(fromCodePoints(text, static_cast<std::size_t>(index),
                                                 static_cast<std::size_t>(index) + 1));
           });
    method(vm, prototype, "charCodeAt",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               const double index = integerArgument(interpreter, arguments, 0, 0);
               return index < 0 || index >= static_cast<double>(text.size())
                          ? Value(std::nan(""))
                          : Value(static_cast<double>(text[static_cast<std::size_t>(index)]));
           });
    method(vm, prototype, "indexOf",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               const CodePoints needle = toCodePoints(interpreter.toString(argument(arguments, 0)));
               const std::size_t from =
                   clampIndex(integerArgument(interpreter, arguments, 1, 0), text.size());
               const std::size_t found = findIn(text, needle, from);
               return Value(found == std::string::npos ? -1.0 : static_cast<double>(found));
           });
    method(vm, prototype, "lastIndexOf",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               const CodePoints needle = toCodePoints(interpreter.toString(argument(arguments, 0)));
               const double limit =
                   integerArgument(interpreter, arguments, 1, static_cast<double>(text.size()));
               double result = -1;
               for (std::size_t from = 0;; ++from) {
                   const std::size_t found = findIn(text, needle, from);
                   if (found == std::string::npos || static_cast<double>(found) > limit) {
                       break;
                   }
                   result = static_cast<double>(found);
                   from = found;
               }
               return Value(result);
           });
    method(vm, prototype, "substr",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               double start = integerArgument(interpreter, arguments, 0, 0);
               if (start < 0) {
                   start = std::max(0.0, static_cast<double>(text.size()) + start);
               }
               const std::size_t begin = clampIndex(start, text.size());
               const double length =
                   integerArgument(interpreter, arguments, 1, static_cast<double>(text.size()));
               const std::size_t end =
                   clampIndex(static_cast<double>(begin) + std::max(length, 0.0), text.size());
               return Value(fromCodePoints(text, begin, end));
           });
    method(vm, prototype, "substring",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               std::size_t begin = clampIndex(integerArgument(interpreter, arguments, 0, 0), text.size());
               std::size_t end = clampIndex(
                   integerArgument(interpreter, arguments, 1, static_cast<double>(text.size())), text.size());
               if (begin > end) {
                   std::swap(begin, end);
               }
               return Value(fromCodePoints(text, begin, end));
           });
    method(vm, prototype, "slice",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               const double size = static_cast<double>(text.size());
               double start = integerArgument(interpreter, arguments, 0, 0);
               double stop = integerArgument(interpreter, arguments, 1, size);
               start = start < 0 ? size + start : start;
               stop = stop < 0 ? size + stop : stop;
               const std::size_t begin = clampIndex(start, text.size());
               const std::size_t end = clampIndex(stop, text.size());
               return Value(begin < end ? fromCodePoints(text, begin, end) : std::string());
           });
    method(vm, prototype, "split",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               std::vector<Value> parts;
               const Value separator = argument(arguments, 0);
               if (separator.isUndefined()) {
                   parts.push_back(Value(fromCodePoints(text)));
                   return Value(interpreter.newArray(std::move(parts)));
               }
               const CodePoints needle = toCodePoints(interpreter.toString(separator));
               if (needle.empty()) {
                   for (std::size_t index = 0; index < text.size(); ++index) {
                       parts.push_back(Value(fromCodePoints(text, index, index + 1)));
                   }
               } else {
                   std::size_t start = 0;
                   for (std::size_t found = findIn(text, needle, 0); found != std::string::npos;
                        found = findIn(text, needle, start)) {
                       parts.push_back(Value(fromCodePoints(text, start, found)));
                       start = found + needle.size();
                   }
                   parts.push_back(Value(fromCodePoints(text, start)));
               }
               return Value(interpreter.newArray(std::move(parts)));
           });
    method(vm, prototype, "toUpperCase", [](Interpreter&, const CodePoints& text, std::vector<Value>&) {
        CodePoints upper = text;
        for (std::uint32_t& codePoint : upper) {
            if (codePoint < 128) {
                codePoint = static_cast<std::uint32_t>(std::toupper(static_cast<int>(codePoint)));
            }
        }
        return Value(fromCodePoints(upper));
    });
    method(vm, prototype, "toLowerCase", [](Interpreter&, const CodePoints& text, std::vector<Value>&) {
        CodePoints lower = text;
        for (std::uint32_t& codePoint : lower) {
            if (codePoint < 128) {
                codePoint = static_cast<std::uint32_t>(std::tolower(static_cast<int>(codePoint)));
            }
        }
        return Value(fromCodePoints(lower));
    });
    method(vm, prototype, "concat",
           [](Interpreter& interpreter, const CodePoints& text, std::vector<Value>& arguments) {
               std::string result = fromCodePoints(text);
               for (const Value& value : arguments) {
                   result += interpreter.toString(value);
               }
               return Value(result);
           });
}

} // namespace kf::swf::avm1
