// The action half of SwfWriter: AVM1 actions from their decoded structs.
#include "swf/writer/SwfWriter.h"

namespace kf::swf {

namespace {

template <typename... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

void writePushValue(BitWriter& out, const PushValue& value) {
    std::visit(Overloaded{
                   [&](const std::string& text) {
                       out.writeU8(0);
                       out.writeString(text);
                   },
                   [&](float number) {
                       out.writeU8(1);
                       out.writeFloat(number);
                   },
                   [&](PushNull) { out.writeU8(2); },
                   [&](PushUndefined) { out.writeU8(3); },
                   [&](PushRegister reg) {
                       out.writeU8(4);
                       out.writeU8(reg.number);
                   },
                   [&](bool flag) {
                       out.writeU8(5);
                       out.writeU8(flag ? 1 : 0);
                   },
                   [&](double number) {
                       out.writeU8(6);
                       out.writeActionDouble(number);
                   },
                   [&](std::int32_t number) {
                       out.writeU8(7);
                       out.writeU32(static_cast<std::uint32_t>(number));
                   },
                   [&](PushConstant constant) {
                       if (constant.index < 256) {
                           out.writeU8(8);
                           out.writeU8(static_cast<std::uint8_t>(constant.index));
                       } else {
                           out.writeU8(9);
                           out.writeU16(constant.index);
                       }
                   },
               },
               value);
}

void writePayload(BitWriter& out, const ActionPayload& payload) {
    std::visit(Overloaded{
                   [&](const NoPayload&) {},
                   [&](const GotoFrameAction& action) { out.writeU16(action.frame); },
                   [&](const GetUrlAction& action) {
                       out.writeString(action.url);
                       out.writeString(action.target);
                   },
                   [&](const WaitForFrameAction& action) {
                       out.writeU16(action.frame);
                       out.writeU8(action.skipCount);
                   },
                   [&](const SetTargetAction& action) { out.writeString(action.target); },
                   [&](const GotoLabelAction& action) { out.writeString(action.label); },
                   [&](const StoreRegisterAction& action) { out.writeU8(action.registerNumber); },
                   [&](const ConstantPoolAction& action) {
                       out.writeU16(static_cast<std::uint16_t>(action.constants.size()));
                       for (const std::string& constant : action.constants) {
                           out.writeString(constant);
                       }
                   },
                   [&](const WaitForFrame2Action& action) { out.writeU8(action.skipCount); },
                   [&](const BranchAction& action) { out.writeS16(action.branchOffset); },
                   [&](const GetUrl2Action& action) {
                       out.writeUnsignedBits(action.sendVarsMethod, 2);
                       out.writeUnsignedBits(0, 4);
                       out.writeFlag(action.loadTarget);
                       out.writeFlag(action.loadVariables);
                   },
                   [&](const GotoFrame2Action& action) {
                       out.writeUnsignedBits(0, 6);
                       out.writeFlag(action.sceneBias != 0);
                       out.writeFlag(action.play);
                       if (action.sceneBias != 0) {
                           out.writeU16(action.sceneBias);
                       }
                   },
                   [&](const PushAction& action) {
                       for (const PushValue& value : action.values) {
                           writePushValue(out, value);
                       }
                   },
                   [&](const DefineFunctionAction& action) {
                       out.writeString(action.name);
                       out.writeU16(static_cast<std::uint16_t>(action.parameters.size()));
                       for (const std::string& parameter : action.parameters) {
                           out.writeString(parameter);
                       }
                       out.writeU16(action.codeSize);
                   },
                   [&](const DefineFunction2Action& action) {
                       out.writeString(action.name);
                       out.writeU16(static_cast<std::uint16_t>(action.parameters.size()));
                       out.writeU8(action.registerCount);
                       out.writeFlag(action.preloadParent);
                       out.writeFlag(action.preloadRoot);
                       out.writeFlag(action.suppressSuper);
                       out.writeFlag(action.preloadSuper);
                       out.writeFlag(action.suppressArguments);
                       out.writeFlag(action.preloadArguments);
                       out.writeFlag(action.suppressThis);
                       out.writeFlag(action.preloadThis);
                       out.writeUnsignedBits(0, 7);
                       out.writeFlag(action.preloadGlobal);
                       for (const RegisterParameter& parameter : action.parameters) {
                           out.writeU8(parameter.registerNumber);
                           out.writeString(parameter.name);
                       }
                       out.writeU16(action.codeSize);
                   },
                   [&](const TryAction& action) {
                       out.writeUnsignedBits(0, 5);
                       out.writeFlag(action.catchInRegister);
                       out.writeFlag(action.hasFinallyBlock);
                       out.writeFlag(action.hasCatchBlock);
                       out.writeU16(action.trySize);
                       out.writeU16(action.catchSize);
                       out.writeU16(action.finallySize);
                       if (action.catchInRegister) {
                           out.writeU8(action.catchRegister);
                       } else {
                           out.writeString(action.catchName);
                       }
                   },
                   [&](const WithAction& action) { out.writeU16(action.size); },
                   [&](const RawPayload& action) { out.writeBytes(action.bytes); },
               },
               payload);
    out.alignToByte();
}

} // namespace

void SwfWriter::writeAction(const Action& action) {
    const auto code = static_cast<std::uint8_t>(action.code);
    m_out.writeU8(code);
    if (code < 0x80) {
        return;
    }
    BitWriter payload;
    writePayload(payload, action.payload);
    m_out.writeU16(static_cast<std::uint16_t>(payload.size()));
    m_out.writeBytes(payload.bytes());
}

void SwfWriter::writeActionBlock(const ActionBlock& block) {
    for (const Action& action : block.actions) {
        writeAction(action);
    }
    m_out.writeU8(static_cast<std::uint8_t>(ActionCode::End));
}

} // namespace kf::swf
