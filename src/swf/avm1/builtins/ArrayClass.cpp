#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace kf::swf::avm1 {

namespace {

enum SortFlag { CaseInsensitive = 1, Descending = 2, UniqueSort = 4, ReturnIndexedArray = 8, Numeric = 16 };

Object* self(const Value& thisValue) {
    Object* object = thisValue.objectOrNull();
    return object && object->kind() == ObjectKind::Array ? object : nullptr;
}

// Negative positions count from the end, as slice and splice take them.
std::size_t position(Interpreter& vm, const Value& value, std::size_t length, std::size_t fallback) {
    if (value.isUndefined()) {
        return fallback;
    }
    const double number = std::trunc(vm.toNumber(value));
    if (std::isnan(number)) {
        return 0;
    }
    const double size = static_cast<double>(length);
    return static_cast<std::size_t>(number < 0 ? std::max(size + number, 0.0) : std::min(number, size));
}

std::string join(Interpreter& vm, Object& array, const std::string& separator) {
    std::string text;
    for (std::size_t index = 0; index < array.elements.size(); ++index) {
        if (index > 0) {
            text += separator;
        }
        const Value& element = array.elements[index];
        // Holes and undefined print as empty... from SWF 7 as "undefined", like toString.
        text += element.isUndefined() && vm.version() < 7 ? std::string() : vm.toString(element);
    }
    return text;
}

// A merge sort: a script's compare function may be inconsistent, which must not break it.
void mergeSort(std::vector<Value>& values, const std::function<bool(const Value&, const Value&)>& before) {
    if (values.size() < 2) {
        return;
    }
    std::vector<Value> right(values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    std::vector<Value> left(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2));
    mergeSort(left, before);
    mergeSort(right, before);
    std::size_t leftIndex = 0;
    std::size_t rightIndex = 0;
    for (Value& slot : values) {
        if (rightIndex >= right.size() ||
            (leftIndex < left.size() && !before(right[rightIndex], left[leftIndex]))) {
            slot = std::move(left[leftIndex++]);
        } else {
            slot = std::move(right[rightIndex++]);
        }
    }
}

std::string lowered(std::string text) {
    for (char& character : text) {
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    }
    return text;
}

} // namespace

void installArray(Interpreter& vm) {
    vm.arrayPrototype = vm.newObject();
    Object& prototype = *vm.arrayPrototype;
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) -> Value {
            if (arguments.size() == 1 && arguments[0].isNumber()) {
                const double length = arguments[0].number();
                auto array = interpreter.newArray();
                if (length >= 0 && length < 1 << 24) {
                    array->elements.resize(static_cast<std::size_t>(length));
                }
                return Value(array);
            }
            return Value(interpreter.newArray(arguments));
        },
        vm.arrayPrototype);
    constructor->define("CASEINSENSITIVE", Value(1.0), DontEnum);
    constructor->define("DESCENDING", Value(2.0), DontEnum);
    constructor->define("UNIQUESORT", Value(4.0), DontEnum);
    constructor->define("RETURNINDEXEDARRAY", Value(8.0), DontEnum);
    constructor->define("NUMERIC", Value(16.0), DontEnum);
    vm.global().define("Array", Value(constructor), DontEnum);

    vm.setMethod(prototype, "push",
                 [](Interpreter&, const Value& thisValue, std::vector<Value>& arguments) -> Value {
                     Object* array = self(thisValue);
                     if (!array) {
                         return Value();
                     }
                     array->elements.insert(array->elements.end(), arguments.begin(), arguments.end());
                     return Value(static_cast<double>(array->elements.size()));
                 });
    vm.setMethod(prototype, "pop", [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value {
        Object* array = self(thisValue);
        if (!array || array->elements.empty()) {
            return Value();
        }
        Value last = array->elements.back();
        array->elements.pop_back();
        return last;
    });
    vm.setMethod(prototype, "shift", [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value {
        Object* array = self(thisValue);
        if (!array || array->elements.empty()) {
            return Value();
        }
        Value first = array->elements.front();
        array->elements.erase(array->elements.begin());
        return first;
    });
    vm.setMethod(prototype, "unshift",
                 [](Interpreter&, const Value& thisValue, std::vector<Value>& arguments) -> Value {
                     Object* array = self(thisValue);
                     if (!array) {
                         return Value();
                     }
                     array->elements.insert(array->elements.begin(), arguments.begin(), arguments.end());
                     return Value(static_cast<double>(array->elements.size()));
                 });
    auto joinMethod = [](Interpreter& interpreter, const Value& thisValue,
                         std::vector<Value>& arguments) -> Value {
        Object* array = self(thisValue);
        const Value separator = argument(arguments, 0);
        return array ? Value(join(interpreter, *array,
                                  separator.isUndefined() ? "," : interpreter.toString(separator)))
                     : Value();
    };
    vm.setMethod(prototype, "join", joinMethod);
    vm.setMethod(prototype, "toString",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) -> Value {
                     Object* array = self(thisValue);
                     return array ? Value(join(interpreter, *array, ",")) : Value("[object Object]");
                 });
    vm.setMethod(prototype, "reverse",
                 [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value {
                     if (Object* array = self(thisValue)) {
                         std::reverse(array->elements.begin(), array->elements.end());
                     }
                     return thisValue;
                 });
    vm.setMethod(
        prototype, "concat",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* array = self(thisValue);
            std::vector<Value> elements = array ? array->elements : std::vector<Value>{};
            for (const Value& value : arguments) {
                if (Object* other = self(value)) {
                    elements.insert(elements.end(), other->elements.begin(), other->elements.end());
                } else {
                    elements.push_back(value);
                }
            }
            return Value(interpreter.newArray(std::move(elements)));
        });
    vm.setMethod(
        prototype, "slice",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* array = self(thisValue);
            if (!array) {
                return Value();
            }
            const std::size_t length = array->elements.size();
            const std::size_t begin = position(interpreter, argument(arguments, 0), length, 0);
            const std::size_t end = position(interpreter, argument(arguments, 1), length, length);
            std::vector<Value> elements;
            if (begin < end) {
                elements.assign(array->elements.begin() + static_cast<std::ptrdiff_t>(begin),
                                array->elements.begin() + static_cast<std::ptrdiff_t>(end));
            }
            return Value(interpreter.newArray(std::move(elements)));
        });
    vm.setMethod(
        prototype, "splice",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* array = self(thisValue);
            if (!array || arguments.empty()) {
                return Value();
            }
            auto& elements = array->elements;
            const std::size_t begin = position(interpreter, arguments[0], elements.size(), 0);
            std::size_t count = elements.size() - begin;
            if (arguments.size() > 1) {
                const double wanted = interpreter.toNumber(arguments[1]);
                count = std::isnan(wanted) || wanted < 0
                            ? 0
                            : std::min<std::size_t>(count, static_cast<std::size_t>(wanted));
            }
            const auto first = elements.begin() + static_cast<std::ptrdiff_t>(begin);
            std::vector<Value> removed(first, first + static_cast<std::ptrdiff_t>(count));
            elements.erase(first, first + static_cast<std::ptrdiff_t>(count));
            if (arguments.size() > 2) {
                elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(begin), arguments.begin() + 2,
                                arguments.end());
            }
            return Value(interpreter.newArray(std::move(removed)));
        });
    vm.setMethod(
        prototype, "sort",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* array = self(thisValue);
            if (!array) {
                return Value();
            }
            Value compare;
            int flags = 0;
            if (Object* function = argument(arguments, 0).objectOrNull();
                function && function->isCallable()) {
                compare = arguments[0];
                flags = static_cast<int>(interpreter.toNumber(argument(arguments, 1)));
            } else if (argument(arguments, 0).isNumber()) {
                flags = static_cast<int>(arguments[0].number());
            }
            auto before = [&](const Value& left, const Value& right) -> bool {
                bool result = false;
                if (!compare.isUndefined()) {
                    result = interpreter.toNumber(interpreter.call(compare, Value(), {left, right})) < 0;
                    return (flags & Descending) ? !result && interpreter.toNumber(interpreter.call(
                                                                 compare, Value(), {left, right})) > 0
                                                : result;
                }
                if (flags & Numeric) {
                    result = interpreter.toNumber(left) < interpreter.toNumber(right);
                    if (flags & Descending) {
                        result = interpreter.toNumber(left) > interpreter.toNumber(right);
                    }
                    return result;
                }
                std::string leftText = interpreter.toString(left);
                std::string rightText = interpreter.toString(right);
                if (flags & CaseInsensitive) {
                    leftText = lowered(leftText);
                    rightText = lowered(rightText);
                }
                return (flags & Descending) ? rightText < leftText : leftText < rightText;
            };
            if (flags & ReturnIndexedArray) {
                std::vector<Value> indices;
                for (std::size_t index = 0; index < array->elements.size(); ++index) {
                    indices.push_back(Value(static_cast<double>(index)));
                }
                const std::vector<Value> original = array->elements;
                mergeSort(indices, [&](const Value& left, const Value& right) {
                    return before(original[static_cast<std::size_t>(left.number())],
                                  original[static_cast<std::size_t>(right.number())]);
                });
                return Value(interpreter.newArray(std::move(indices)));
            }
            mergeSort(array->elements, before);
            return thisValue;
        });
}

} // namespace kf::swf::avm1
