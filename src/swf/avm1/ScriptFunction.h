#pragma once

#include "swf/avm1/Object.h"
#include "swf/format/Action.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace kf::swf::avm1 {

// A function defined by DefineFunction or DefineFunction2: its body is a range of the block
// it was defined in (the movie owns the block; every script object is dropped at unload).
struct ScriptFunction {
    const ActionBlock* block = nullptr;
    std::size_t begin = 0; // index of the first body action
    std::size_t end = 0;   // one past the last
    std::uint32_t endOffset = 0;
    std::vector<std::string> parameters;
    // Set for DefineFunction2.
    std::optional<DefineFunction2Action> registers;
    // The scope chain when the function was defined: closures see it.
    std::vector<std::shared_ptr<Object>> scope;
    // The clip whose timeline defined it; variables without a scope owner land there.
    std::shared_ptr<Object> target;
    std::shared_ptr<const std::vector<std::string>> constants;
};

} // namespace kf::swf::avm1
