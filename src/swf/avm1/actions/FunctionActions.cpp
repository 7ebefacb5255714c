#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/ScriptFunction.h"

#include <algorithm>

namespace kf::swf::avm1 {

namespace {

std::vector<Value> popArguments(Interpreter& vm, Frame& frame) {
    const double declared = vm.toNumber(frame.pop());
    // A count larger than the stack takes what there is.
    const std::size_t count =
        declared > 0 ? std::min(static_cast<std::size_t>(declared), frame.stack.size()) : 0;
    std::vector<Value> arguments;
    arguments.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        arguments.push_back(frame.pop());
    }
    return arguments;
}

void defineFunctionObject(Interpreter& vm, Frame& frame, const Action& action, std::string name,
                          std::shared_ptr<ScriptFunction> code, std::uint16_t codeSize) {
    code->block = frame.block;
    code->begin = frame.next;
    code->end = vm.indexForOffset(*frame.block, action.offset + action.size + codeSize);
    // Functions of SWF 5 movies capture no scope: inside them a name is looked up in their
    // own locals, then straight on their timeline, never in the function around them.
    if (vm.version() >= 6) {
        code->scope = frame.scope;
    } else {
        code->scope = {frame.baseClip};
    }
    code->target = frame.baseClip;
    code->constants = frame.constants;
    frame.next = std::max(frame.next, std::min(code->end, frame.end));

    auto function = vm.newFunctionObject();
    function->script = std::move(code);
    auto prototype = vm.newObject();
    prototype->define("constructor", Value(function), DontEnum);
    function->define("prototype", Value(prototype), DontEnum);

    if (name.empty()) {
        frame.push(Value(function));
    } else if (frame.locals) {
        frame.locals->define(name, Value(function));
    } else {
        vm.setMember(Value(frame.target ? frame.target : frame.baseClip), name, Value(function));
    }
}

void defineFunction(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<DefineFunctionAction>(&action.payload);
    if (!payload) {
        return;
    }
    auto code = std::make_shared<ScriptFunction>();
    code->parameters = payload->parameters;
    defineFunctionObject(vm, frame, action, payload->name, std::move(code), payload->codeSize);
}

void defineFunction2(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<DefineFunction2Action>(&action.payload);
    if (!payload) {
        return;
    }
    auto code = std::make_shared<ScriptFunction>();
    code->registers = *payload;
    defineFunctionObject(vm, frame, action, payload->name, std::move(code), payload->codeSize);
}

void callFunction(Interpreter& vm, Frame& frame, const Action&) {
    const std::string name = vm.toString(frame.pop());
    std::vector<Value> arguments = popArguments(vm, frame);
    const Value function = vm.getVariable(frame, name);
    // A built-in called by name works on the timeline the script targets (getDepth() inside
    // tellTarget is the target's depth); a script function keeps its own timeline as this.
    Value self;
    if (Object* callee = function.objectOrNull(); callee && callee->native) {
        self = Value(vm.variableTimeline(frame));
    }
    frame.push(vm.call(function, self, std::move(arguments)));
    vm.propagateThrow(frame);
}

void callMethod(Interpreter& vm, Frame& frame, const Action&) {
    const Value nameValue = frame.pop();
    const Value object = frame.pop();
    std::vector<Value> arguments = popArguments(vm, frame);
    const std::string name = nameValue.isUndefined() ? std::string() : vm.toString(nameValue);
    if (name.empty()) {
        frame.push(vm.call(object, Value(), std::move(arguments)));
    } else {
        frame.push(vm.call(vm.getMember(object, name), object, std::move(arguments)));
    }
    vm.propagateThrow(frame);
}

void newObject(Interpreter& vm, Frame& frame, const Action&) {
    const std::string name = vm.toString(frame.pop());
    std::vector<Value> arguments = popArguments(vm, frame);
    frame.push(vm.construct(vm.getVariable(frame, name), std::move(arguments)));
    vm.propagateThrow(frame);
}

void newMethod(Interpreter& vm, Frame& frame, const Action&) {
    const Value nameValue = frame.pop();
    const Value object = frame.pop();
    std::vector<Value> arguments = popArguments(vm, frame);
    const std::string name = nameValue.isUndefined() ? std::string() : vm.toString(nameValue);
    const Value constructor = name.empty() ? object : vm.getMember(object, name);
    frame.push(vm.construct(constructor, std::move(arguments)));
    vm.propagateThrow(frame);
}

} // namespace

void registerFunctionActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::DefineFunction, defineFunction);
    set(ActionCode::DefineFunction2, defineFunction2);
    set(ActionCode::CallFunction, callFunction);
    set(ActionCode::CallMethod, callMethod);
    set(ActionCode::NewObject, newObject);
    set(ActionCode::NewMethod, newMethod);
}

} // namespace kf::swf::avm1
