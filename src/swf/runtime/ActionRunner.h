#pragma once

#include "swf/runtime/ActionContext.h"

#include <array>
#include <cstddef>

namespace kf::swf {

// Runs decoded action blocks by dispatching each action to its handler. Actions without a
// handler are skipped; the interpreter grows by registering more handlers.
class ActionRunner {
public:
    ActionRunner();

    void setHandler(ActionCode code, ActionHandler handler);

    // Runs the block from its first action; returns how many actions ran, at most `budget`.
    std::size_t run(ActionContext& context, std::size_t budget) const;

private:
    std::array<ActionHandler, 256> m_handlers{};
};

} // namespace kf::swf
