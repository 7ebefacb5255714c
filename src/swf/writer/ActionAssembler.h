#pragma once

#include "swf/format/Action.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kf::swf {

// Builds an action block one action at a time, for DoAction tags and clip events in tests
// and generated movies. The End action is added when the block is written.
class ActionAssembler {
public:
    // SWF 3 actions.
    ActionAssembler& nextFrame() { return action(ActionCode::NextFrame); }
    ActionAssembler& previousFrame() { return action(ActionCode::PreviousFrame); }
    ActionAssembler& play() { return action(ActionCode::Play); }
    ActionAssembler& stop() { return action(ActionCode::Stop); }
    ActionAssembler& toggleQuality() { return action(ActionCode::ToggleQuality); }
    ActionAssembler& stopSounds() { return action(ActionCode::StopSounds); }
    ActionAssembler& gotoFrame(std::uint16_t zeroBasedFrame);
    ActionAssembler& gotoLabel(std::string label);
    ActionAssembler& getUrl(std::string url, std::string target = {});
    ActionAssembler& setTarget(std::string target);
    ActionAssembler& waitForFrame(std::uint16_t frame, std::uint8_t skipCount);

    // Stack values.
    ActionAssembler& push(std::vector<PushValue> values);
    ActionAssembler& pushString(std::string text) { return push({PushValue(std::move(text))}); }
    ActionAssembler& pushNumber(double number) { return push({PushValue(number)}); }
    ActionAssembler& pushInteger(std::int32_t number) { return push({PushValue(number)}); }
    ActionAssembler& pushBoolean(bool flag) { return push({PushValue(flag)}); }
    ActionAssembler& pushNull() { return push({PushValue(PushNull{})}); }
    ActionAssembler& pushUndefined() { return push({PushValue(PushUndefined{})}); }
    ActionAssembler& pushRegister(std::uint8_t number) { return push({PushValue(PushRegister{number})}); }
    ActionAssembler& pushConstant(std::uint16_t index) { return push({PushValue(PushConstant{index})}); }

    // trace() of the value on the stack, or of `text`.
    ActionAssembler& trace() { return action(ActionCode::Trace); }
    ActionAssembler& trace(std::string text) { return pushString(std::move(text)).trace(); }
    ActionAssembler& getVariable() { return action(ActionCode::GetVariable); }
    ActionAssembler& setVariable() { return action(ActionCode::SetVariable); }
    ActionAssembler& constantPool(std::vector<std::string> constants);
    ActionAssembler& jump(std::int16_t branchOffset);
    ActionAssembler& ifTrue(std::int16_t branchOffset);

    // Any action, with or without payload (codes from 0x80 carry one).
    ActionAssembler& action(ActionCode code, ActionPayload payload = NoPayload{});
    // An action with a raw payload, for codes the decoder does not know or damaged payloads.
    ActionAssembler& raw(std::uint8_t code, std::vector<std::uint8_t> payload = {});

    const std::vector<Action>& actions() const { return m_actions; }
    ActionBlock block() const;
    // The block's bytes, End action included.
    std::vector<std::uint8_t> bytes() const;

private:
    std::vector<Action> m_actions;
};

} // namespace kf::swf
