#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/Conversions.h"

#include <cmath>

namespace kf::swf::avm1 {

namespace {

Value logical(Interpreter& vm, bool flag) {
    return vm.version() < 5 ? Value(flag ? 1.0 : 0.0) : Value(flag);
}

bool sameObject(Interpreter& vm, const Value& left, const Value& right) {
    if (left.object() == right.object()) {
        return true;
    }
    // Two references to one clip made at different times are the same clip.
    SpriteObject* leftClip = vm.resolveClip(*left.object());
    return leftClip && leftClip == vm.resolveClip(*right.object());
}

bool strictEquals(Interpreter& vm, const Value& left, const Value& right) {
    if (left.storage().index() != right.storage().index()) {
        return false;
    }
    if (left.isNumber()) {
        return left.number() == right.number();
    }
    if (left.isObject()) {
        return sameObject(vm, left, right);
    }
    return left.storage() == right.storage();
}

// ECMA-262's abstract equality, which SWF 5 and later use.
bool looseEquals(Interpreter& vm, const Value& left, const Value& right, int depth = 0) {
    if (left.storage().index() == right.storage().index()) {
        return strictEquals(vm, left, right);
    }
    if (left.isNullish() && right.isNullish()) {
        return true;
    }
    if (left.isNullish() || right.isNullish() || depth > 4) {
        return false;
    }
    if ((left.isNumber() && right.isString()) || (left.isString() && right.isNumber()) || left.isBoolean() ||
        right.isBoolean()) {
        if (left.isObject() || right.isObject()) {
            return looseEquals(vm, left.isBoolean() ? Value(vm.toNumber(left)) : left,
                               right.isBoolean() ? Value(vm.toNumber(right)) : right, depth + 1);
        }
        return vm.toNumber(left) == vm.toNumber(right);
    }
    if (left.isObject()) {
        return looseEquals(vm, vm.toPrimitive(left), right, depth + 1);
    }
    return looseEquals(vm, left, vm.toPrimitive(right), depth + 1);
}

// ECMA-262's abstract relational comparison: undefined when either side is NaN.
Value lessThan(Interpreter& vm, const Value& leftValue, const Value& rightValue) {
    const Value left = vm.toPrimitive(leftValue);
    const Value right = vm.toPrimitive(rightValue);
    if (left.isString() && right.isString()) {
        return Value(left.string() < right.string());
    }
    const double leftNumber = vm.toNumber(left);
    const double rightNumber = vm.toNumber(right);
    if (std::isnan(leftNumber) || std::isnan(rightNumber)) {
        return Value();
    }
    return Value(leftNumber < rightNumber);
}

// SWF 4's Equals and Less compare numbers only.
void equals(Interpreter& vm, Frame& frame, const Action&) {
    const double right = vm.toNumber(frame.pop());
    const double left = vm.toNumber(frame.pop());
    frame.push(logical(vm, left == right));
}
void less(Interpreter& vm, Frame& frame, const Action&) {
    const double right = vm.toNumber(frame.pop());
    const double left = vm.toNumber(frame.pop());
    frame.push(logical(vm, left < right));
}

void equals2(Interpreter& vm, Frame& frame, const Action&) {
    const Value right = frame.pop();
    const Value left = frame.pop();
    frame.push(Value(looseEquals(vm, left, right)));
}
void strictEqualsAction(Interpreter& vm, Frame& frame, const Action&) {
    const Value right = frame.pop();
    const Value left = frame.pop();
    frame.push(Value(strictEquals(vm, left, right)));
}
void less2(Interpreter& vm, Frame& frame, const Action&) {
    const Value right = frame.pop();
    const Value left = frame.pop();
    frame.push(lessThan(vm, left, right));
}
void greater(Interpreter& vm, Frame& frame, const Action&) {
    const Value right = frame.pop();
    const Value left = frame.pop();
    frame.push(lessThan(vm, right, left));
}

void stringEquals(Interpreter& vm, Frame& frame, const Action&) {
    const std::string right = vm.toString(frame.pop());
    const std::string left = vm.toString(frame.pop());
    frame.push(logical(vm, left == right));
}
void stringLess(Interpreter& vm, Frame& frame, const Action&) {
    const std::string right = vm.toString(frame.pop());
    const std::string left = vm.toString(frame.pop());
    frame.push(logical(vm, left < right));
}
void stringGreater(Interpreter& vm, Frame& frame, const Action&) {
    const std::string right = vm.toString(frame.pop());
    const std::string left = vm.toString(frame.pop());
    frame.push(logical(vm, left > right));
}

} // namespace

void registerComparisonActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::Equals, equals);
    set(ActionCode::Less, less);
    set(ActionCode::Equals2, equals2);
    set(ActionCode::StrictEquals, strictEqualsAction);
    set(ActionCode::Less2, less2);
    set(ActionCode::Greater, greater);
    set(ActionCode::StringEquals, stringEquals);
    set(ActionCode::StringLess, stringLess);
    set(ActionCode::StringGreater, stringGreater);
}

} // namespace kf::swf::avm1
