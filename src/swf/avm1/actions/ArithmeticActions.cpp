#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/Conversions.h"

#include <cmath>
#include <limits>

namespace kf::swf::avm1 {

namespace {

// SWF 4 had no boolean type: its logical and comparison actions push 1 and 0.
Value logical(Interpreter& vm, bool flag) {
    return vm.version() < 5 ? Value(flag ? 1.0 : 0.0) : Value(flag);
}

template <typename Operation> void binaryNumber(Interpreter& vm, Frame& frame, Operation operation) {
    const double right = vm.toNumber(frame.pop());
    const double left = vm.toNumber(frame.pop());
    frame.push(Value(operation(left, right)));
}

void add(Interpreter& vm, Frame& frame, const Action&) {
    binaryNumber(vm, frame, [](double left, double right) { return left + right; });
}
void subtract(Interpreter& vm, Frame& frame, const Action&) {
    binaryNumber(vm, frame, [](double left, double right) { return left - right; });
}
void multiply(Interpreter& vm, Frame& frame, const Action&) {
    binaryNumber(vm, frame, [](double left, double right) { return left * right; });
}

void divide(Interpreter& vm, Frame& frame, const Action&) {
    const double right = vm.toNumber(frame.pop());
    const double left = vm.toNumber(frame.pop());
    // SWF 4 players pushed the string "#ERROR#" for a division by zero.
    if (right == 0 && vm.version() < 5) {
        frame.push(Value("#ERROR#"));
        return;
    }
    frame.push(Value(left / right));
}

void modulo(Interpreter& vm, Frame& frame, const Action&) {
    binaryNumber(vm, frame, [](double left, double right) { return std::fmod(left, right); });
}

// Add2: string concatenation when either side is a string after ToPrimitive, else numbers.
void add2(Interpreter& vm, Frame& frame, const Action&) {
    const Value right = vm.toPrimitive(frame.pop());
    const Value left = vm.toPrimitive(frame.pop());
    if (left.isString() || right.isString()) {
        frame.push(Value(vm.toString(left) + vm.toString(right)));
        return;
    }
    frame.push(Value(vm.toNumber(left) + vm.toNumber(right)));
}

void increment(Interpreter& vm, Frame& frame, const Action&) {
    frame.push(Value(vm.toNumber(frame.pop()) + 1));
}
void decrement(Interpreter& vm, Frame& frame, const Action&) {
    frame.push(Value(vm.toNumber(frame.pop()) - 1));
}

template <typename Operation> void bitwise(Interpreter& vm, Frame& frame, Operation operation) {
    const double right = vm.toNumber(frame.pop());
    const double left = vm.toNumber(frame.pop());
    frame.push(Value(static_cast<double>(operation(toInt32(left), toInt32(right)))));
}

void bitAnd(Interpreter& vm, Frame& frame, const Action&) {
    bitwise(vm, frame, [](std::int32_t left, std::int32_t right) { return left & right; });
}
void bitOr(Interpreter& vm, Frame& frame, const Action&) {
    bitwise(vm, frame, [](std::int32_t left, std::int32_t right) { return left | right; });
}
void bitXor(Interpreter& vm, Frame& frame, const Action&) {
    bitwise(vm, frame, [](std::int32_t left, std::int32_t right) { return left ^ right; });
}
void bitLeftShift(Interpreter& vm, Frame& frame, const Action&) {
    bitwise(vm, frame, [](std::int32_t left, std::int32_t right) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(left) << (right & 31));
    });
}
void bitRightShift(Interpreter& vm, Frame& frame, const Action&) {
    bitwise(vm, frame, [](std::int32_t left, std::int32_t right) { return left >> (right & 31); });
}
void bitUnsignedRightShift(Interpreter& vm, Frame& frame, const Action&) {
    const double right = vm.toNumber(frame.pop());
    const double left = vm.toNumber(frame.pop());
    frame.push(Value(static_cast<double>(toUint32(left) >> (toUint32(right) & 31))));
}

void toInteger(Interpreter& vm, Frame& frame, const Action&) {
    const double number = vm.toNumber(frame.pop());
    frame.push(Value(std::isnan(number) ? 0.0 : std::trunc(number)));
}
void toNumber(Interpreter& vm, Frame& frame, const Action&) {
    frame.push(Value(vm.toNumber(frame.pop())));
}
void toString(Interpreter& vm, Frame& frame, const Action&) {
    frame.push(Value(vm.toString(frame.pop())));
}

void logicalNot(Interpreter& vm, Frame& frame, const Action&) {
    frame.push(logical(vm, !vm.toBoolean(frame.pop())));
}
void logicalAnd(Interpreter& vm, Frame& frame, const Action&) {
    const bool right = vm.toBoolean(frame.pop());
    const bool left = vm.toBoolean(frame.pop());
    frame.push(logical(vm, left && right));
}
void logicalOr(Interpreter& vm, Frame& frame, const Action&) {
    const bool right = vm.toBoolean(frame.pop());
    const bool left = vm.toBoolean(frame.pop());
    frame.push(logical(vm, left || right));
}

} // namespace

void registerArithmeticActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::Add, add);
    set(ActionCode::Subtract, subtract);
    set(ActionCode::Multiply, multiply);
    set(ActionCode::Divide, divide);
    set(ActionCode::Modulo, modulo);
    set(ActionCode::Add2, add2);
    set(ActionCode::Increment, increment);
    set(ActionCode::Decrement, decrement);
    set(ActionCode::BitAnd, bitAnd);
    set(ActionCode::BitOr, bitOr);
    set(ActionCode::BitXor, bitXor);
    set(ActionCode::BitLShift, bitLeftShift);
    set(ActionCode::BitRShift, bitRightShift);
    set(ActionCode::BitURShift, bitUnsignedRightShift);
    set(ActionCode::ToInteger, toInteger);
    set(ActionCode::ToNumber, toNumber);
    set(ActionCode::ToString, toString);
    set(ActionCode::Not, logicalNot);
    set(ActionCode::And, logicalAnd);
    set(ActionCode::Or, logicalOr);
}

} // namespace kf::swf::avm1
