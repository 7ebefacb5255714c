#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kf::swf {

// Action codes of ActionScript 1 and 2 (SWF 3 to 10). Codes from 0x80 carry a length and payload.
enum class ActionCode : std::uint8_t {
    End = 0x00,
    NextFrame = 0x04,
    PreviousFrame = 0x05,
    Play = 0x06,
    Stop = 0x07,
    ToggleQuality = 0x08,
    StopSounds = 0x09,
    Add = 0x0A,
    Subtract = 0x0B,
    Multiply = 0x0C,
    Divide = 0x0D,
    Equals = 0x0E,
    Less = 0x0F,
    And = 0x10,
    Or = 0x11,
    Not = 0x12,
    StringEquals = 0x13,
    StringLength = 0x14,
    StringExtract = 0x15,
    Pop = 0x17,
    ToInteger = 0x18,
    GetVariable = 0x1C,
    SetVariable = 0x1D,
    SetTarget2 = 0x20,
    StringAdd = 0x21,
    GetProperty = 0x22,
    SetProperty = 0x23,
    CloneSprite = 0x24,
    RemoveSprite = 0x25,
    Trace = 0x26,
    StartDrag = 0x27,
    EndDrag = 0x28,
    StringLess = 0x29,
    Throw = 0x2A,
    CastOp = 0x2B,
    ImplementsOp = 0x2C,
    FsCommand2 = 0x2D,
    RandomNumber = 0x30,
    MbStringLength = 0x31,
    CharToAscii = 0x32,
    AsciiToChar = 0x33,
    GetTime = 0x34,
    MbStringExtract = 0x35,
    MbCharToAscii = 0x36,
    MbAsciiToChar = 0x37,
    Delete = 0x3A,
    Delete2 = 0x3B,
    DefineLocal = 0x3C,
    CallFunction = 0x3D,
    Return = 0x3E,
    Modulo = 0x3F,
    NewObject = 0x40,
    DefineLocal2 = 0x41,
    InitArray = 0x42,
    InitObject = 0x43,
    TypeOf = 0x44,
    TargetPath = 0x45,
    Enumerate = 0x46,
    Add2 = 0x47,
    Less2 = 0x48,
    Equals2 = 0x49,
    ToNumber = 0x4A,
    ToString = 0x4B,
    PushDuplicate = 0x4C,
    StackSwap = 0x4D,
    GetMember = 0x4E,
    SetMember = 0x4F,
    Increment = 0x50,
    Decrement = 0x51,
    CallMethod = 0x52,
    NewMethod = 0x53,
    InstanceOf = 0x54,
    Enumerate2 = 0x55,
    BitAnd = 0x60,
    BitOr = 0x61,
    BitXor = 0x62,
    BitLShift = 0x63,
    BitRShift = 0x64,
    BitURShift = 0x65,
    StrictEquals = 0x66,
    Greater = 0x67,
    StringGreater = 0x68,
    Extends = 0x69,
    GotoFrame = 0x81,
    GetUrl = 0x83,
    StoreRegister = 0x87,
    ConstantPool = 0x88,
    WaitForFrame = 0x8A,
    SetTarget = 0x8B,
    GotoLabel = 0x8C,
    WaitForFrame2 = 0x8D,
    DefineFunction2 = 0x8E,
    Try = 0x8F,
    With = 0x94,
    Push = 0x96,
    Jump = 0x99,
    GetUrl2 = 0x9A,
    DefineFunction = 0x9B,
    If = 0x9D,
    Call = 0x9E,
    GotoFrame2 = 0x9F,
};

// Strings inside actions are kept as the file's bytes: SWF 6 and later mean UTF-8, earlier
// versions the author's code page. The interpreter decides, knowing the version.

struct GotoFrameAction {
    std::uint16_t frame = 0; // 0-based
    bool operator==(const GotoFrameAction&) const = default;
};
struct GetUrlAction {
    std::string url;
    std::string target;
    bool operator==(const GetUrlAction&) const = default;
};
struct WaitForFrameAction {
    std::uint16_t frame = 0;
    std::uint8_t skipCount = 0; // actions to skip when the frame is not loaded
    bool operator==(const WaitForFrameAction&) const = default;
};
struct SetTargetAction {
    std::string target;
    bool operator==(const SetTargetAction&) const = default;
};
struct GotoLabelAction {
    std::string label;
    bool operator==(const GotoLabelAction&) const = default;
};
struct StoreRegisterAction {
    std::uint8_t registerNumber = 0;
    bool operator==(const StoreRegisterAction&) const = default;
};
struct ConstantPoolAction {
    std::vector<std::string> constants;
    bool operator==(const ConstantPoolAction&) const = default;
};
struct WaitForFrame2Action {
    std::uint8_t skipCount = 0;
    bool operator==(const WaitForFrame2Action&) const = default;
};
// Jump and If: the target is the byte offset of the next action plus `branchOffset`.
struct BranchAction {
    std::int16_t branchOffset = 0;
    bool operator==(const BranchAction&) const = default;
};
struct GetUrl2Action {
    std::uint8_t sendVarsMethod = 0; // 0 none, 1 GET, 2 POST
    bool loadTarget = false;         // target is a sprite path, not a browser window
    bool loadVariables = false;
    bool operator==(const GetUrl2Action&) const = default;
};
struct GotoFrame2Action {
    bool play = false;
    std::uint16_t sceneBias = 0;
    bool operator==(const GotoFrame2Action&) const = default;
};

struct PushNull {
    bool operator==(const PushNull&) const = default;
};
struct PushUndefined {
    bool operator==(const PushUndefined&) const = default;
};
struct PushRegister {
    std::uint8_t number = 0;
    bool operator==(const PushRegister&) const = default;
};
struct PushConstant {
    std::uint16_t index = 0; // Constant8 and Constant16 alike
    bool operator==(const PushConstant&) const = default;
};
// Push type 1 is a 32-bit float; type 6 a double; type 7 a 32-bit integer.
using PushValue =
    std::variant<std::string, float, PushNull, PushUndefined, PushRegister, bool, double, std::int32_t, PushConstant>;
struct PushAction {
    std::vector<PushValue> values;
    bool operator==(const PushAction&) const = default;
};

// DefineFunction: the body is the `codeSize` bytes of actions that follow this one.
struct DefineFunctionAction {
    std::string name;
    std::vector<std::string> parameters;
    std::uint16_t codeSize = 0;
    bool operator==(const DefineFunctionAction&) const = default;
};
struct RegisterParameter {
    std::uint8_t registerNumber = 0; // 0: the parameter is a named local variable
    std::string name;
    bool operator==(const RegisterParameter&) const = default;
};
struct DefineFunction2Action {
    std::string name;
    std::uint8_t registerCount = 0;
    bool preloadParent = false, preloadRoot = false, suppressSuper = false, preloadSuper = false,
         suppressArguments = false, preloadArguments = false, suppressThis = false, preloadThis = false,
         preloadGlobal = false;
    std::vector<RegisterParameter> parameters;
    std::uint16_t codeSize = 0;
    bool operator==(const DefineFunction2Action&) const = default;
};
// Try: the try, catch and finally blocks follow this action, in that order, with these sizes.
struct TryAction {
    bool catchInRegister = false;
    bool hasCatchBlock = false;
    bool hasFinallyBlock = false;
    std::uint16_t trySize = 0;
    std::uint16_t catchSize = 0;
    std::uint16_t finallySize = 0;
    std::string catchName;
    std::uint8_t catchRegister = 0;
    bool operator==(const TryAction&) const = default;
};
// With: the body is the `size` bytes of actions that follow this one.
struct WithAction {
    std::uint16_t size = 0;
    bool operator==(const WithAction&) const = default;
};
// An action with a payload this reader does not decode, or one whose payload was malformed.
struct RawPayload {
    std::vector<std::uint8_t> bytes;
    bool operator==(const RawPayload&) const = default;
};
struct NoPayload {
    bool operator==(const NoPayload&) const = default;
};

using ActionPayload =
    std::variant<NoPayload, GotoFrameAction, GetUrlAction, WaitForFrameAction, SetTargetAction, GotoLabelAction,
                 StoreRegisterAction, ConstantPoolAction, WaitForFrame2Action, BranchAction, GetUrl2Action,
                 GotoFrame2Action, PushAction, DefineFunctionAction, DefineFunction2Action, TryAction, WithAction,
                 RawPayload>;

struct Action {
    ActionCode code = ActionCode::End;
    std::uint32_t offset = 0; // byte offset of this action inside its block
    std::uint32_t size = 0;   // bytes this action occupies, header included
    ActionPayload payload;
    bool operator==(const Action&) const = default;
};

// The decoded actions of one DoAction, DoInitAction, button or clip-event block. Decoding
// stops at the End action, at the end of the bytes, or at a malformed action; `complete`
// tells which (the interpreter runs what was decoded, as a player would).
// `actions` leaves the End action out; `byteLength` counts it. `complete` is false only when
// an action's length runs past the bytes; a payload that is malformed inside its own length
// is kept as RawPayload and decoding goes on.
struct ActionBlock {
    std::vector<Action> actions;
    std::uint32_t byteLength = 0;
    bool complete = true;
    bool operator==(const ActionBlock&) const = default;
};

} // namespace kf::swf
