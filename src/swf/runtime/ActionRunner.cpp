#include "swf/runtime/ActionRunner.h"

#include "swf/runtime/Swf3Actions.h"

namespace kf::swf {

ActionRunner::ActionRunner() {
    registerSwf3Actions(*this);
}

void ActionRunner::setHandler(ActionCode code, ActionHandler handler) {
    m_handlers[static_cast<std::uint8_t>(code)] = handler;
}

std::size_t ActionRunner::run(ActionContext& context, std::size_t budget) const {
    const auto& actions = context.block.actions;
    std::size_t ran = 0;
    context.nextAction = 0;
    while (!context.finished && context.nextAction < actions.size() && ran < budget) {
        const Action& action = actions[context.nextAction++];
        ++ran;
        if (action.code == ActionCode::End) {
            break;
        }
        if (ActionHandler handler = m_handlers[static_cast<std::uint8_t>(action.code)]) {
            handler(context, action);
        }
    }
    return ran;
}

} // namespace kf::swf
