// decodeActions: every payload kind, offsets and sizes, and damaged blocks.
#include "swf/format/MovieReader.h"
#include "swf/writer/ActionAssembler.h"
#include "swf/writer/SwfWriter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kf::swf {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One action with a hand-written payload, then End.
Bytes actionBytes(ActionCode code, const Bytes& payload) {
    BitWriter writer;
    writer.writeU8(static_cast<std::uint8_t>(code));
    writer.writeU16(static_cast<std::uint16_t>(payload.size()));
    writer.writeBytes(payload);
    writer.writeU8(0);
    return writer.takeBytes();
}

ActionPayload decodeOne(ActionCode code, const Bytes& payload) {
    const ActionBlock block = decodeActions(actionBytes(code, payload));
    EXPECT_TRUE(block.complete);
    EXPECT_EQ(block.actions.size(), 1u);
    return block.actions.empty() ? ActionPayload{} : block.actions.front().payload;
}

TEST(ActionPayloads, swf3ActionsFromHandWrittenBytes) {
    EXPECT_EQ(decodeOne(ActionCode::GotoFrame, {0x34, 0x12}), ActionPayload{GotoFrameAction{0x1234}});
    EXPECT_EQ(decodeOne(ActionCode::GetUrl, {'u', 0, 't', 0}), ActionPayload(GetUrlAction{"u", "t"}));
    EXPECT_EQ(decodeOne(ActionCode::WaitForFrame, {5, 0, 2}), ActionPayload(WaitForFrameAction{5, 2}));
    EXPECT_EQ(decodeOne(ActionCode::SetTarget, {'/', 'a', 0}), ActionPayload(SetTargetAction{"/a"}));
    EXPECT_EQ(decodeOne(ActionCode::GotoLabel, {'x', 0}), ActionPayload(GotoLabelAction{"x"}));
}

TEST(ActionPayloads, swf4To7ActionsFromHandWrittenBytes) {
    EXPECT_EQ(decodeOne(ActionCode::StoreRegister, {3}), ActionPayload(StoreRegisterAction{3}));
    EXPECT_EQ(decodeOne(ActionCode::ConstantPool, {2, 0, 'a', 0, 'b', 'c', 0}),
              ActionPayload(ConstantPoolAction{{"a", "bc"}}));
    EXPECT_EQ(decodeOne(ActionCode::WaitForFrame2, {9}), ActionPayload(WaitForFrame2Action{9}));
    EXPECT_EQ(decodeOne(ActionCode::Jump, {0xFE, 0xFF}), ActionPayload(BranchAction{-2}));
    EXPECT_EQ(decodeOne(ActionCode::If, {0x10, 0x00}), ActionPayload(BranchAction{16}));
    EXPECT_EQ(decodeOne(ActionCode::GetUrl2, {0x83}), ActionPayload(GetUrl2Action{2, true, true}));
    EXPECT_EQ(decodeOne(ActionCode::GetUrl2, {0x40}), ActionPayload(GetUrl2Action{1, false, false}));
    EXPECT_EQ(decodeOne(ActionCode::GotoFrame2, {0x01}), ActionPayload(GotoFrame2Action{true, 0}));
    EXPECT_EQ(decodeOne(ActionCode::GotoFrame2, {0x02, 0x05, 0x00}),
              ActionPayload(GotoFrame2Action{false, 5}));
    EXPECT_EQ(decodeOne(ActionCode::With, {0x20, 0x00}), ActionPayload(WithAction{32}));
    EXPECT_EQ(decodeOne(ActionCode::Call, {}), ActionPayload(NoPayload{}));
}

TEST(ActionPayloads, pushOfEveryValueType) {
    const Bytes payload{0, 'h',  'i',  0,                      // string
                        1, 0x00, 0x00, 0xC0, 0x3F,             // float 1.5
                        2,                                     // null
                        3,                                     // undefined
                        4, 7,                                  // register 7
                        5, 1,                                  // true
                        6, 0x00, 0x00, 0xF0, 0x3F, 0, 0, 0, 0, // double 1.0, high word first
                        7, 0xFF, 0xFF, 0xFF, 0xFF,             // int32 -1
                        8, 200,                                // constant 200
                        9, 0x00, 0x01};                        // constant 256
    const PushAction expected{{std::string("hi"), 1.5f, PushNull{}, PushUndefined{}, PushRegister{7}, true,
                               1.0, std::int32_t{-1}, PushConstant{200}, PushConstant{256}}};
    EXPECT_EQ(decodeOne(ActionCode::Push, payload), ActionPayload(expected));
}

TEST(ActionPayloads, pushDoubleKeepsEveryBit) {
    const double value = -std::nextafter(1234.5678, 0.0);
    SwfWriter writer;
    writer.writeAction(Action{ActionCode::Push, 0, 0, PushAction{{value}}});
    const ActionBlock block = decodeActions(writer.bytes());
    ASSERT_EQ(block.actions.size(), 1u);
    EXPECT_EQ(std::get<double>(std::get<PushAction>(block.actions[0].payload).values[0]), value);
}

TEST(ActionPayloads, defineFunctionAndDefineFunction2) {
    EXPECT_EQ(decodeOne(ActionCode::DefineFunction, {'f', 0, 2, 0, 'a', 0, 'b', 0, 0x10, 0x00}),
              ActionPayload(DefineFunctionAction{"f", {"a", "b"}, 16}));
    DefineFunction2Action function2;
    function2.name = "g";
    function2.registerCount = 4;
    function2.preloadParent = true;
    function2.suppressThis = true;
    function2.preloadGlobal = true;
    function2.parameters = {{1, "x"}, {0, "y"}};
    function2.codeSize = 300;
    EXPECT_EQ(decodeOne(ActionCode::DefineFunction2,
                        {'g', 0, 2, 0, 4, 0x82, 0x01, 1, 'x', 0, 0, 'y', 0, 0x2C, 0x01}),
              ActionPayload(function2));
}

TEST(ActionPayloads, tryWithCatchNameOrRegister) {
    TryAction named;
    named.hasCatchBlock = true;
    named.hasFinallyBlock = true;
    named.trySize = 1;
    named.catchSize = 2;
    named.finallySize = 3;
    named.catchName = "e";
    EXPECT_EQ(decodeOne(ActionCode::Try, {0x03, 1, 0, 2, 0, 3, 0, 'e', 0}), ActionPayload(named));
    TryAction inRegister;
    inRegister.catchInRegister = true;
    inRegister.hasCatchBlock = true;
    inRegister.catchRegister = 2;
    EXPECT_EQ(decodeOne(ActionCode::Try, {0x05, 0, 0, 0, 0, 0, 0, 2}), ActionPayload(inRegister));
}

TEST(ActionPayloads, everyPayloadKindRoundTripsThroughTheWriter) {
    ActionAssembler assembler;
    assembler.constantPool({"one", "two"})
        .push({std::string("s"), 2.5f, PushNull{}, PushUndefined{}, PushRegister{1}, false, 3.25,
               std::int32_t{7}, PushConstant{1}, PushConstant{999}})
        .action(ActionCode::StoreRegister, StoreRegisterAction{2})
        .waitForFrame(3, 1)
        .action(ActionCode::WaitForFrame2, WaitForFrame2Action{2})
        .action(ActionCode::GetUrl2, GetUrl2Action{1, true, false})
        .action(ActionCode::GotoFrame2, GotoFrame2Action{true, 7})
        .action(ActionCode::DefineFunction, DefineFunctionAction{"f", {"p"}, 1})
        .stop()
        .action(ActionCode::With, WithAction{1})
        .play()
        .jump(-3)
        .ifTrue(0)
        .setTarget("_root")
        .getVariable()
        .raw(0xC0, {1, 2, 3});
    EXPECT_EQ(decodeActions(assembler.bytes()), assembler.block());
}

TEST(ActionBlocks, offsetsAndSizesCountHeaderAndPayload) {
    const ActionBlock block = decodeActions(Bytes{0x07, 0x81, 0x02, 0x00, 0x01, 0x00, 0x06, 0x00, 0xAA});
    ASSERT_EQ(block.actions.size(), 3u);
    EXPECT_EQ(block.actions[0].code, ActionCode::Stop);
    EXPECT_EQ(block.actions[1].offset, 1u);
    EXPECT_EQ(block.actions[1].size, 5u);
    EXPECT_EQ(block.actions[2].offset, 6u);
    EXPECT_EQ(block.byteLength, 8u); // the End action is counted, the byte after it is not
    EXPECT_TRUE(block.complete);
}

TEST(ActionBlocks, missingEndStillCompletes) {
    const ActionBlock block = decodeActions(Bytes{0x07, 0x06});
    EXPECT_EQ(block.actions.size(), 2u);
    EXPECT_EQ(block.byteLength, 2u);
    EXPECT_TRUE(block.complete);
}

TEST(ActionBlocks, lengthPastTheEndStopsIncomplete) {
    const ActionBlock block = decodeActions(Bytes{0x07, 0x96, 0x10, 0x00, 0x02});
    ASSERT_EQ(block.actions.size(), 1u);
    EXPECT_FALSE(block.complete);
    const ActionBlock cutHeader = decodeActions(Bytes{0x06, 0x81, 0x02});
    EXPECT_EQ(cutHeader.actions.size(), 1u);
    EXPECT_FALSE(cutHeader.complete);
}

TEST(ActionBlocks, malformedPayloadsAreKeptRawAndDecodingGoesOn) {
    // Each damaged action is followed by Stop, which must still be decoded.
    const std::vector<std::pair<ActionCode, Bytes>> damaged{
        {ActionCode::GotoFrame, {0x01}},                  // one byte short
        {ActionCode::GetUrl, {'u', 0, 't'}},              // target without terminator
        {ActionCode::ConstantPool, {0xFF, 0xFF, 'a', 0}}, // count beyond the payload
        {ActionCode::Push, {0x0A, 0}},                    // unknown value type
        {ActionCode::Push, {0x06, 0, 0, 0}},              // double cut short
        {ActionCode::DefineFunction2, {'g', 0, 5, 0, 0}}, // parameters missing
        {ActionCode::Try, {0x00, 1, 0}},                  // sizes missing
        {static_cast<ActionCode>(0xC5), {1, 2, 3}},       // a code we do not know
    };
    for (const auto& [code, payload] : damaged) {
        Bytes bytes = actionBytes(code, payload);
        bytes.insert(bytes.end() - 1, 0x07);
        const ActionBlock block = decodeActions(bytes);
        ASSERT_EQ(block.actions.size(), 2u) << static_cast<int>(code);
        EXPECT_EQ(block.actions[0].payload, ActionPayload(RawPayload{payload})) << static_cast<int>(code);
        EXPECT_EQ(block.actions[1].code, ActionCode::Stop);
        EXPECT_TRUE(block.complete);
    }
}

TEST(ActionBlocks, payloadLongerThanNeededKeepsTheDecodedFields) {
    EXPECT_EQ(decodeOne(ActionCode::GotoFrame, {0x02, 0x00, 0xFF}), ActionPayload(GotoFrameAction{2}));
}

} // namespace
} // namespace kf::swf
