#include "swf/avm1/ActionHandlers.h"
#include "swf/runtime/PlayerHost.h"

namespace kf::swf::avm1 {

namespace {

// Branch targets are byte offsets; a target inside the current range moves there, one
// outside it (or between actions) ends the range, as a malformed jump must not loop wild.
void branchTo(Interpreter& vm, Frame& frame, const Action& action, std::int16_t branchOffset) {
    const std::int64_t target = static_cast<std::int64_t>(action.offset) + action.size + branchOffset;
    if (target < 0) {
        frame.next = frame.end;
        return;
    }
    const std::size_t index = vm.indexForOffset(*frame.block, static_cast<std::uint32_t>(target));
    frame.next = index <= frame.end ? index : frame.end;
}

void jump(Interpreter& vm, Frame& frame, const Action& action) {
    if (const auto* payload = std::get_if<BranchAction>(&action.payload)) {
        branchTo(vm, frame, action, payload->branchOffset);
    }
}

void ifTrue(Interpreter& vm, Frame& frame, const Action& action) {
    const bool condition = vm.toBoolean(frame.pop());
    if (const auto* payload = std::get_if<BranchAction>(&action.payload); payload && condition) {
        branchTo(vm, frame, action, payload->branchOffset);
    }
}

void returnAction(Interpreter&, Frame& frame, const Action&) {
    frame.result = frame.pop();
    frame.completion = Completion::Return;
}

void throwAction(Interpreter&, Frame& frame, const Action&) {
    frame.result = frame.pop();
    frame.completion = Completion::Throw;
}

// The index range of the `size` bytes after `action`.
std::size_t rangeEnd(Interpreter& vm, const Frame& frame, std::uint32_t fromOffset, std::uint32_t size) {
    return vm.indexForOffset(*frame.block, fromOffset + size);
}

void tryAction(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<TryAction>(&action.payload);
    if (!payload) {
        return;
    }
    const std::uint32_t tryStart = action.offset + action.size;
    const std::uint32_t catchStart = tryStart + payload->trySize;
    const std::uint32_t finallyStart = catchStart + payload->catchSize;
    const std::uint32_t after = finallyStart + payload->finallySize;
    const std::size_t tryBegin = frame.next;
    const std::size_t catchBegin = rangeEnd(vm, frame, tryStart, payload->trySize);
    const std::size_t finallyBegin = vm.indexForOffset(*frame.block, finallyStart);
    const std::size_t afterIndex = vm.indexForOffset(*frame.block, after);

    vm.runRange(frame, tryBegin, catchBegin);
    if (frame.completion == Completion::Throw && payload->hasCatchBlock) {
        Value thrown = std::move(frame.result);
        frame.completion = Completion::Normal;
        if (payload->catchInRegister) {
            if (!frame.localRegisters.empty() && payload->catchRegister < frame.localRegisters.size()) {
                frame.localRegisters[payload->catchRegister] = std::move(thrown);
            } else if (payload->catchRegister < vm.globalRegisters.size()) {
                vm.globalRegisters[payload->catchRegister] = std::move(thrown);
            }
        } else if (frame.locals) {
            frame.locals->define(payload->catchName, std::move(thrown));
        } else {
            vm.setVariable(frame, payload->catchName, std::move(thrown));
        }
        vm.runRange(frame, catchBegin, finallyBegin);
    }
    if (payload->hasFinallyBlock && frame.completion != Completion::Abort) {
        // finally runs whatever happened; a return or throw inside it wins.
        const Completion pending = frame.completion;
        Value pendingResult = frame.result;
        frame.completion = Completion::Normal;
        vm.runRange(frame, finallyBegin, afterIndex);
        if (frame.completion == Completion::Normal) {
            frame.completion = pending;
            frame.result = std::move(pendingResult);
        }
    }
    frame.next = afterIndex;
}

void withAction(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<WithAction>(&action.payload);
    const Value object = frame.pop();
    if (!payload) {
        return;
    }
    const std::size_t begin = frame.next;
    const std::size_t end = rangeEnd(vm, frame, action.offset + action.size, payload->size);
    if (Object* scopeObject = object.objectOrNull()) {
        frame.scope.push_back(scopeObject->shared_from_this());
        vm.runRange(frame, begin, end);
        frame.scope.pop_back();
    }
    frame.next = end;
}

void trace(Interpreter& vm, Frame& frame, const Action&) {
    const Value value = frame.pop();
    // trace(undefined) prints "undefined" in every version, unlike string conversion.
    vm.trace(value.isUndefined() ? std::string("undefined") : vm.toString(value));
}

} // namespace

void registerControlActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::Jump, jump);
    set(ActionCode::If, ifTrue);
    set(ActionCode::Return, returnAction);
    set(ActionCode::Throw, throwAction);
    set(ActionCode::Try, tryAction);
    set(ActionCode::With, withAction);
    set(ActionCode::Trace, trace);
}

} // namespace kf::swf::avm1
