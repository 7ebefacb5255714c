// AVM1 bytes into Action structs, so the interpreter never touches bytes.
#include "swf/format/ActionDecoder.h"

#include "swf/format/BitReader.h"
#include "swf/format/MovieReader.h"

#include <exception>
#include <optional>

namespace kf::swf {

namespace {

// Each decoder reads one payload; a payload that does not hold what its action needs is
// kept raw (see RawPayload) rather than guessed at.
std::optional<ActionPayload> decodePush(BitReader& bits) {
    PushAction push;
    while (!bits.atEnd()) {
        const std::uint8_t type = bits.readU8();
        switch (type) {
        case 0:
            push.values.emplace_back(bits.readString());
            break;
        case 1:
            push.values.emplace_back(bits.readFloat());
            break;
        case 2:
            push.values.emplace_back(PushNull{});
            break;
        case 3:
            push.values.emplace_back(PushUndefined{});
            break;
        case 4:
            push.values.emplace_back(PushRegister{bits.readU8()});
            break;
        case 5:
            push.values.emplace_back(bits.readU8() != 0);
            break;
        case 6:
            push.values.emplace_back(bits.readActionDouble());
            break;
        case 7:
            push.values.emplace_back(static_cast<std::int32_t>(bits.readU32()));
            break;
        case 8:
            push.values.emplace_back(PushConstant{bits.readU8()});
            break;
        case 9:
            push.values.emplace_back(PushConstant{bits.readU16()});
            break;
        default:
            return std::nullopt;
        }
        if (bits.failed()) {
            return std::nullopt;
        }
    }
    return push;
}

ActionPayload decodeDefineFunction(BitReader& bits) {
    DefineFunctionAction function;
    function.name = bits.readString();
    const std::uint16_t count = bits.readU16();
    for (unsigned index = 0; index < count && !bits.failed(); ++index) {
        function.parameters.push_back(bits.readString());
    }
    function.codeSize = bits.readU16();
    return function;
}

ActionPayload decodeDefineFunction2(BitReader& bits) {
    DefineFunction2Action function;
    function.name = bits.readString();
    const std::uint16_t count = bits.readU16();
    function.registerCount = bits.readU8();
    function.preloadParent = bits.readFlag();
    function.preloadRoot = bits.readFlag();
    function.suppressSuper = bits.readFlag();
    function.preloadSuper = bits.readFlag();
    function.suppressArguments = bits.readFlag();
    function.preloadArguments = bits.readFlag();
    function.suppressThis = bits.readFlag();
    function.preloadThis = bits.readFlag();
    bits.readUnsignedBits(7);
    function.preloadGlobal = bits.readFlag();
    for (unsigned index = 0; index < count && !bits.failed(); ++index) {
        RegisterParameter parameter;
        parameter.registerNumber = bits.readU8();
        parameter.name = bits.readString();
        function.parameters.push_back(std::move(parameter));
    }
    function.codeSize = bits.readU16();
    return function;
}

ActionPayload decodeTry(BitReader& bits) {
    TryAction action;
    bits.readUnsignedBits(5);
    action.catchInRegister = bits.readFlag();
    action.hasFinallyBlock = bits.readFlag();
    action.hasCatchBlock = bits.readFlag();
    action.trySize = bits.readU16();
    action.catchSize = bits.readU16();
    action.finallySize = bits.readU16();
    if (action.catchInRegister) {
        action.catchRegister = bits.readU8();
    } else {
        action.catchName = bits.readString();
    }
    return action;
}

std::optional<ActionPayload> decodePayload(ActionCode code, BitReader& bits) {
    std::optional<ActionPayload> payload;
    switch (code) {
    case ActionCode::GotoFrame:
        payload = GotoFrameAction{bits.readU16()};
        break;
    case ActionCode::GetUrl: {
        GetUrlAction action;
        action.url = bits.readString();
        action.target = bits.readString();
        payload = std::move(action);
        break;
    }
    case ActionCode::StoreRegister:
        payload = StoreRegisterAction{bits.readU8()};
        break;
    case ActionCode::ConstantPool: {
        ConstantPoolAction pool;
        const std::uint16_t count = bits.readU16();
        // Every constant takes at least its terminator, so the count cannot outgrow the payload.
        if (count > bits.remaining()) {
            return std::nullopt;
        }
        pool.constants.reserve(count);
        for (unsigned index = 0; index < count && !bits.failed(); ++index) {
            pool.constants.push_back(bits.readString());
        }
        payload = std::move(pool);
        break;
    }
    case ActionCode::WaitForFrame: {
        WaitForFrameAction action;
        action.frame = bits.readU16();
        action.skipCount = bits.readU8();
        payload = action;
        break;
    }
    case ActionCode::SetTarget:
        payload = SetTargetAction{bits.readString()};
        break;
    case ActionCode::GotoLabel:
        payload = GotoLabelAction{bits.readString()};
        break;
    case ActionCode::WaitForFrame2:
        payload = WaitForFrame2Action{bits.readU8()};
        break;
    case ActionCode::DefineFunction2:
        payload = decodeDefineFunction2(bits);
        break;
    case ActionCode::Try:
        payload = decodeTry(bits);
        break;
    case ActionCode::With:
        payload = WithAction{bits.readU16()};
        break;
    case ActionCode::Push:
        payload = decodePush(bits);
        break;
    case ActionCode::Jump:
    case ActionCode::If:
        payload = BranchAction{bits.readS16()};
        break;
    case ActionCode::GetUrl2: {
        GetUrl2Action action;
        action.sendVarsMethod = static_cast<std::uint8_t>(bits.readUnsignedBits(2));
        bits.readUnsignedBits(4);
        action.loadTarget = bits.readFlag();
        action.loadVariables = bits.readFlag();
        payload = action;
        break;
    }
    case ActionCode::DefineFunction:
        payload = decodeDefineFunction(bits);
        break;
    case ActionCode::Call:
        payload = NoPayload{};
        break;
    case ActionCode::GotoFrame2: {
        GotoFrame2Action action;
        bits.readUnsignedBits(6);
        const bool hasSceneBias = bits.readFlag();
        action.play = bits.readFlag();
        if (hasSceneBias) {
            action.sceneBias = bits.readU16();
        }
        payload = action;
        break;
    }
    default:
        return std::nullopt;
    }
    if (bits.failed()) {
        return std::nullopt;
    }
    return payload;
}

} // namespace

ActionBlock ActionDecoder::decode(std::span<const std::uint8_t> bytes) {
    ActionBlock block;
    BitReader bits(bytes);
    while (true) {
        if (bits.atEnd()) {
            // Ran out without an End action: what was decoded stands, as players run it.
            break;
        }
        const auto offset = static_cast<std::uint32_t>(bits.position());
        const std::uint8_t codeByte = bits.readU8();
        if (codeByte == 0) {
            break;
        }
        Action action;
        action.code = static_cast<ActionCode>(codeByte);
        action.offset = offset;
        if (codeByte < 0x80) {
            if (sizeof(Action) > m_budget - m_decodedSize) {
                m_exceeded = true;
                block.complete = false;
                break;
            }
            m_decodedSize += sizeof(Action);
        } else {
            if (bits.remaining() < 2) {
                block.complete = false;
                break;
            }
            const std::uint16_t length = bits.readU16();
            if (length > bits.remaining()) {
                block.complete = false;
                break;
            }
            // Charged before decoding: every payload byte may become a push value.
            const std::size_t cost = sizeof(Action) + std::size_t{length} * sizeof(PushValue);
            if (cost > m_budget - m_decodedSize) {
                m_exceeded = true;
                block.complete = false;
                break;
            }
            m_decodedSize += cost;
            const std::span<const std::uint8_t> payloadBytes = bits.readBytes(length);
            BitReader payloadReader(payloadBytes);
            std::optional<ActionPayload> payload = decodePayload(action.code, payloadReader);
            if (payload) {
                action.payload = std::move(*payload);
            } else {
                action.payload =
                    RawPayload{std::vector<std::uint8_t>(payloadBytes.begin(), payloadBytes.end())};
            }
        }
        action.size = static_cast<std::uint32_t>(bits.position()) - offset;
        block.actions.push_back(std::move(action));
    }
    block.byteLength = static_cast<std::uint32_t>(bits.position());
    return block;
}

ActionBlock decodeActions(std::span<const std::uint8_t> bytes) {
    try {
        return ActionDecoder().decode(bytes);
    } catch (const std::exception&) {
        // Only allocation can throw here; a block that could not be decoded counts as cut short.
        ActionBlock block;
        block.complete = false;
        return block;
    }
}

} // namespace kf::swf
