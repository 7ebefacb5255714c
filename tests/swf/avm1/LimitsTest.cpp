// A runaway script is stopped and the movie goes on; nothing malformed crashes.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

TEST(Limits, aScriptPastTheTimeLimitStopsAndTheNextFrameRuns) {
    ManualClock clock;
    clock.step = 1; // each reading is a millisecond later
    MovieBuilder builder(6);
    ActionAssembler loop;
    loop.pushNumber(1).action(ActionCode::Pop).jump(-17);
    builder.doAction(ActionAssembler().trace("before")).doAction(loop).showFrame();
    builder.doAction(ActionAssembler().trace("next frame")).showFrame();
    InterpreterLimits limits;
    limits.scriptTimeoutMilliseconds = 1000;
    EXPECT_EQ(play(builder, 2, &clock, limits), (Lines{"before", "next frame"}));
}

TEST(Limits, endlessRecursionIsCutAtTheCallDepth) {
    ActionAssembler body;
    body.pushString("depth").pushString("depth").getVariable().action(ActionCode::Increment).setVariable();
    callFunction(body, "f").action(ActionCode::Return);
    ActionAssembler script;
    setVariable(script, "depth", 0.0);
    defineFunction(script, "f", {}, body);
    callFunction(script, "f").action(ActionCode::Pop).trace("not reached: the script is stopped");
    MovieBuilder builder(6);
    builder.doAction(script).showFrame();
    builder.doAction(ActionAssembler().pushString("depth").getVariable().trace()).showFrame();
    EXPECT_EQ(play(builder, 2), (Lines{"256"}));
}

TEST(Limits, malformedCodeNeverCrashes) {
    ActionAssembler script;
    script.action(ActionCode::Pop).action(ActionCode::CallMethod).action(ActionCode::InitArray);
    script.push({1e9}).action(ActionCode::InitObject).action(ActionCode::NewObject);
    script.jump(30000).trace("skipped");
    script.pushConstant(40).trace();
    script.pushRegister(200).trace();
    script.raw(0x96, {0x99}).trace();
    script.action(ActionCode::DefineFunction, DefineFunctionAction{"f", {}, 60000});
    script.trace("inside an oversized body");
    callFunction(script, "f").trace();
    MovieBuilder builder(6);
    builder.doAction(script).doAction(ActionAssembler().trace("still running")).showFrame();
    const Lines lines = play(builder);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "still running");
}

TEST(Limits, stringsAndArraysCannotAllocateWhatTheyClaim) {
    ActionAssembler script;
    script.push({std::string("a"), 0}).action(ActionCode::InitArray).setVariable();
    script.pushString("a").getVariable().push({std::string("length"), 4e12}).action(ActionCode::SetMember);
    script.pushString("a").getVariable().push({std::string("4000000000"), 1}).action(ActionCode::SetMember);
    traceVariable(script, "a.length");
    EXPECT_EQ(run(6, script), (Lines{"0"}));
}

} // namespace
} // namespace kf::swf::avm1::test
