#pragma once

#include "swf/avm1/Object.h"
#include "swf/format/Action.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kf::swf::avm1 {

enum class Completion : std::uint8_t { Normal, Return, Throw, Abort };

// One activation: a frame script, a clip event or a function call, with its own stack.
struct Frame {
    const ActionBlock* block = nullptr;
    std::size_t next = 0;
    std::size_t end = 0;
    std::uint32_t endOffset = 0;

    std::vector<Value> stack;
    // Innermost last: with-objects and the function's locals sit above what it captured.
    std::vector<std::shared_ptr<Object>> scope;
    std::shared_ptr<Object> locals; // null for timeline code: its variables are the clip's
    Value thisValue;
    std::shared_ptr<Object> baseClip;  // the timeline the code belongs to
    std::shared_ptr<Object> target;    // the timeline tellTarget points at (null: none found)
    std::vector<Value> localRegisters; // DefineFunction2 only; otherwise the 4 global ones
    std::shared_ptr<const std::vector<std::string>> constants;
    Object* callee = nullptr;
    std::shared_ptr<Object> arguments;

    Completion completion = Completion::Normal;
    Value result; // the returned or thrown value

    Value pop() {
        if (stack.empty()) {
            return Value();
        }
        Value top = std::move(stack.back());
        stack.pop_back();
        return top;
    }
    void push(Value value) {
        // A script that only pushes would grow without end; the interpreter stops it by the
        // action count long before this matters, but the stack itself is bounded too.
        if (stack.size() < 1'000'000) {
            stack.push_back(std::move(value));
        }
    }
};

} // namespace kf::swf::avm1
