#include "swf/avm1/ActionHandlers.h"

#include <utility>

namespace kf::swf::avm1 {

namespace {

Value* registerSlot(Interpreter& vm, Frame& frame, std::uint8_t number) {
    if (!frame.localRegisters.empty()) {
        return number < frame.localRegisters.size() ? &frame.localRegisters[number] : nullptr;
    }
    return number < vm.globalRegisters.size() ? &vm.globalRegisters[number] : nullptr;
}

struct PushVisitor {
    Interpreter& vm;
    Frame& frame;
    void operator()(const std::string& text) const { frame.push(Value(text)); }
    void operator()(float number) const { frame.push(Value(static_cast<double>(number))); }
    void operator()(PushNull) const { frame.push(Value(Null{})); }
    void operator()(PushUndefined) const { frame.push(Value()); }
    void operator()(PushRegister reg) const {
        Value* slot = registerSlot(vm, frame, reg.number);
        frame.push(slot ? *slot : Value());
    }
    void operator()(bool flag) const { frame.push(Value(flag)); }
    void operator()(double number) const { frame.push(Value(number)); }
    void operator()(std::int32_t number) const { frame.push(Value(static_cast<double>(number))); }
    void operator()(PushConstant constant) const {
        // A constant the pool does not have reads as undefined rather than failing.
        if (frame.constants && constant.index < frame.constants->size()) {
            frame.push(Value((*frame.constants)[constant.index]));
        } else {
            frame.push(Value());
        }
    }
};

void push(Interpreter& vm, Frame& frame, const Action& action) {
    if (const auto* payload = std::get_if<PushAction>(&action.payload)) {
        for (const PushValue& value : payload->values) {
            std::visit(PushVisitor{vm, frame}, value);
        }
    }
}

void pop(Interpreter&, Frame& frame, const Action&) {
    frame.pop();
}

void pushDuplicate(Interpreter&, Frame& frame, const Action&) {
    Value top = frame.stack.empty() ? Value() : frame.stack.back();
    frame.push(std::move(top));
}

void stackSwap(Interpreter&, Frame& frame, const Action&) {
    Value top = frame.pop();
    Value below = frame.pop();
    frame.push(std::move(top));
    frame.push(std::move(below));
}

void storeRegister(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<StoreRegisterAction>(&action.payload);
    if (!payload) {
        return;
    }
    if (Value* slot = registerSlot(vm, frame, payload->registerNumber)) {
        *slot = frame.stack.empty() ? Value() : frame.stack.back();
    }
}

void constantPool(Interpreter&, Frame& frame, const Action& action) {
    if (const auto* payload = std::get_if<ConstantPoolAction>(&action.payload)) {
        frame.constants = std::make_shared<const std::vector<std::string>>(payload->constants);
    }
}

} // namespace

void registerStackActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::Push, push);
    set(ActionCode::Pop, pop);
    set(ActionCode::PushDuplicate, pushDuplicate);
    set(ActionCode::StackSwap, stackSwap);
    set(ActionCode::StoreRegister, storeRegister);
    set(ActionCode::ConstantPool, constantPool);
}

} // namespace kf::swf::avm1
