#include "swf/avm1/ActionHandlers.h"

namespace kf::swf::avm1 {

namespace {

void getVariable(Interpreter& vm, Frame& frame, const Action&) {
    const std::string name = vm.toString(frame.pop());
    frame.push(vm.getVariable(frame, name));
}

void setVariable(Interpreter& vm, Frame& frame, const Action&) {
    Value value = frame.pop();
    const std::string name = vm.toString(frame.pop());
    vm.setVariable(frame, name, std::move(value));
}

// `var x = v`: a local inside functions, a timeline variable outside them.
void defineLocal(Interpreter& vm, Frame& frame, const Action&) {
    Value value = frame.pop();
    const std::string name = vm.toString(frame.pop());
    if (frame.locals) {
        frame.locals->define(name, std::move(value));
    } else {
        vm.setMember(Value(frame.target ? frame.target : frame.baseClip), name, std::move(value));
    }
}

void defineLocal2(Interpreter& vm, Frame& frame, const Action&) {
    const std::string name = vm.toString(frame.pop());
    Object& owner = frame.locals ? *frame.locals : *frame.baseClip;
    if (!owner.findOwn(name, vm.caseSensitive())) {
        owner.define(name, Value());
    }
}

void deleteMember(Interpreter& vm, Frame& frame, const Action&) {
    const std::string name = vm.toString(frame.pop());
    const Value object = frame.pop();
    Object* target = object.objectOrNull();
    frame.push(Value(target && target->remove(name, vm.caseSensitive())));
}

void deleteVariable(Interpreter& vm, Frame& frame, const Action&) {
    const std::string name = vm.toString(frame.pop());
    for (auto scope = frame.scope.rbegin(); scope != frame.scope.rend(); ++scope) {
        if (*scope && (*scope)->findOwn(name, vm.caseSensitive())) {
            frame.push(Value((*scope)->remove(name, vm.caseSensitive())));
            return;
        }
    }
    frame.push(Value(vm.global().remove(name, vm.caseSensitive())));
}

} // namespace

void registerVariableActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::GetVariable, getVariable);
    set(ActionCode::SetVariable, setVariable);
    set(ActionCode::DefineLocal, defineLocal);
    set(ActionCode::DefineLocal2, defineLocal2);
    set(ActionCode::Delete, deleteMember);
    set(ActionCode::Delete2, deleteVariable);
}

} // namespace kf::swf::avm1
