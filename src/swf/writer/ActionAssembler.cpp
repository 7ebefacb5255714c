#include "swf/writer/ActionAssembler.h"

#include "swf/writer/SwfWriter.h"

namespace kf::swf {

ActionAssembler& ActionAssembler::gotoFrame(std::uint16_t zeroBasedFrame) {
    return action(ActionCode::GotoFrame, GotoFrameAction{zeroBasedFrame});
}

ActionAssembler& ActionAssembler::gotoLabel(std::string label) {
    return action(ActionCode::GotoLabel, GotoLabelAction{std::move(label)});
}

ActionAssembler& ActionAssembler::getUrl(std::string url, std::string target) {
    return action(ActionCode::GetUrl, GetUrlAction{std::move(url), std::move(target)});
}

ActionAssembler& ActionAssembler::setTarget(std::string target) {
    return action(ActionCode::SetTarget, SetTargetAction{std::move(target)});
}

ActionAssembler& ActionAssembler::waitForFrame(std::uint16_t frame, std::uint8_t skipCount) {
    return action(ActionCode::WaitForFrame, WaitForFrameAction{frame, skipCount});
}

ActionAssembler& ActionAssembler::push(std::vector<PushValue> values) {
    return action(ActionCode::Push, PushAction{std::move(values)});
}

ActionAssembler& ActionAssembler::constantPool(std::vector<std::string> constants) {
    return action(ActionCode::ConstantPool, ConstantPoolAction{std::move(constants)});
}

ActionAssembler& ActionAssembler::jump(std::int16_t branchOffset) {
    return action(ActionCode::Jump, BranchAction{branchOffset});
}

ActionAssembler& ActionAssembler::ifTrue(std::int16_t branchOffset) {
    return action(ActionCode::If, BranchAction{branchOffset});
}

ActionAssembler& ActionAssembler::action(ActionCode code, ActionPayload payload) {
    Action added;
    added.code = code;
    added.payload = std::move(payload);
    m_actions.push_back(std::move(added));
    return *this;
}

ActionAssembler& ActionAssembler::raw(std::uint8_t code, std::vector<std::uint8_t> payload) {
    if (code < 0x80) {
        return action(static_cast<ActionCode>(code));
    }
    return action(static_cast<ActionCode>(code), RawPayload{std::move(payload)});
}

ActionBlock ActionAssembler::block() const {
    // Offsets and sizes as the decoder would report them, so a block compares equal to
    // its decoded bytes.
    ActionBlock block;
    block.actions = m_actions;
    std::uint32_t offset = 0;
    for (Action& action : block.actions) {
        SwfWriter writer;
        writer.writeAction(action);
        action.offset = offset;
        action.size = static_cast<std::uint32_t>(writer.bytes().size());
        offset += action.size;
    }
    block.byteLength = offset + 1;
    block.complete = true;
    return block;
}

std::vector<std::uint8_t> ActionAssembler::bytes() const {
    SwfWriter writer;
    writer.writeActionBlock(block());
    return writer.takeBytes();
}

} // namespace kf::swf
