// Which frame a goto lands on and what runs there: frame numbers as numbers, text and
// objects, labels, the ends of a timeline, WaitForFrame, and timelines whose frames do not
// match their ShowFrame tags.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

// clip.method(argument); trace(clip._currentframe);
ActionAssembler& callAndTraceFrame(ActionAssembler& script, const std::string& method, PushValue argument) {
    script.push({std::move(argument), 1})
        .pushString("clip")
        .getVariable()
        .pushString(method)
        .action(ActionCode::CallMethod)
        .action(ActionCode::Pop);
    return traceVariable(script, "clip._currentframe");
}

// A stopped three-frame clip named "clip" with the label "TheFrame" on frame 2, and one
// root frame running `script` beside it.
Lines playBesideThreeFrameClip(const ActionAssembler& script, std::uint8_t version = 7) {
    MovieBuilder builder(version);
    TimelineBuilder frames;
    frames.doAction(ActionAssembler().stop()).showFrame();
    frames.label("TheFrame").showFrame();
    frames.label("2").showFrame();
    const CharacterId clip = builder.addSprite(frames);
    builder.placeNamed(clip, Depth{1}, "clip").doAction(script).showFrame();
    return play(builder);
}

TEST(GotoRules, frameNumbersWrapAsIntegersAndNothingBelowOneMoves) {
    ActionAssembler script;
    callAndTraceFrame(script, "gotoAndStop", 999);
    callAndTraceFrame(script, "gotoAndStop", 0);
    callAndTraceFrame(script, "gotoAndStop", 1);
    callAndTraceFrame(script, "gotoAndStop", -3);
    callAndTraceFrame(script, "gotoAndStop", 4294967298.0);  // wraps to 2
    callAndTraceFrame(script, "gotoAndStop", -2147483648.0); // one below wraps past the end
    callAndTraceFrame(script, "gotoAndStop", 1);
    callAndTraceFrame(script, "gotoAndStop", -2147483647.0);
    EXPECT_EQ(playBesideThreeFrameClip(script), (Lines{"3", "3", "1", "1", "2", "3", "1", "1"}));
}

TEST(GotoRules, integerTextIsAFrameNumberAndOtherTextALabel) {
    ActionAssembler script;
    callAndTraceFrame(script, "gotoAndStop", std::string("3"));
    callAndTraceFrame(script, "gotoAndStop", std::string("2d"));
    callAndTraceFrame(script, "gotoAndStop", std::string("thefraME")); // labels ignore case
    callAndTraceFrame(script, "gotoAndStop", std::string("+3"));
    callAndTraceFrame(script, "gotoAndStop", std::string("2")); // the number, not the label "2"
    callAndTraceFrame(script, "gotoAndStop", std::string("-1"));
    callAndTraceFrame(script, "gotoAndStop", std::string(""));
    callAndTraceFrame(script, "gotoAndStop", 1.5); // "1.5": a label no frame has
    EXPECT_EQ(playBesideThreeFrameClip(script), (Lines{"3", "3", "2", "3", "2", "2", "2", "2"}));
}

TEST(GotoRules, labelsMatchIgnoringCaseTheFirstInTheTimelineWinning) {
    MovieBuilder builder(7);
    TimelineBuilder frames;
    frames.doAction(ActionAssembler().stop()).showFrame();
    frames.label("first").showFrame();
    frames.label("First").showFrame();
    const CharacterId clip = builder.addSprite(frames);
    ActionAssembler script;
    callAndTraceFrame(script, "gotoAndStop", std::string("First"));
    callAndTraceFrame(script, "gotoAndStop", 3);
    callAndTraceFrame(script, "gotoAndStop", std::string("FIRST"));
    builder.placeNamed(clip, Depth{1}, "clip").doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"2", "3", "2"}));
}

// name = new className(value), with className.prototype.toString replaced by `toString`;
// then clip.gotoAndStop(name) and trace(clip._currentframe).
void gotoBoxed(ActionAssembler& script, const std::string& className, const std::string& name,
               PushValue value, const ActionAssembler& toString) {
    script.pushString(className).getVariable().pushString("prototype").action(ActionCode::GetMember);
    script.pushString("toString");
    defineFunction(script, "", {}, toString).action(ActionCode::SetMember);
    script.pushString(name).push({std::move(value), 1}).pushString(className).action(ActionCode::NewObject);
    script.setVariable();
    script.pushString(name).getVariable().push({1}).pushString("clip").getVariable();
    script.pushString("gotoAndStop").action(ActionCode::CallMethod).action(ActionCode::Pop);
    traceVariable(script, "clip._currentframe");
}

TEST(GotoRules, objectsNameFramesByTheirText) {
    ActionAssembler script;
    // o = {toString: function () { return "TheFrame"; }, valueOf: function () { return 3; }}
    ActionAssembler text;
    text.pushString("TheFrame").action(ActionCode::Return);
    ActionAssembler number;
    number.push({3}).action(ActionCode::Return);
    script.pushString("o").pushString("toString");
    defineFunction(script, "", {}, text);
    script.pushString("valueOf");
    defineFunction(script, "", {}, number);
    script.push({2}).action(ActionCode::InitObject).setVariable();
    script.push({std::string("o")}).getVariable().push({1}).pushString("clip").getVariable();
    script.pushString("gotoAndStop").action(ActionCode::CallMethod).action(ActionCode::Pop);
    traceVariable(script, "clip._currentframe");
    // A String object goes by its own text even with its toString replaced; a Number object
    // by its toString().
    gotoBoxed(script, "String", "s", std::string("3"), text);
    gotoBoxed(script, "Number", "n", 3, text);
    EXPECT_EQ(playBesideThreeFrameClip(script), (Lines{"2", "3", "2"}));
}

TEST(GotoRules, gotoFrame2AddsTheSceneBiasAndReadsPathPrefixes) {
    ActionAssembler script;
    script.setTarget("clip")
        .push({1})
        .action(ActionCode::GotoFrame2, GotoFrame2Action{false, 1})
        .setTarget("");
    traceVariable(script, "clip._currentframe");
    script.pushString("/clip:TheFrame").action(ActionCode::GotoFrame2, GotoFrame2Action{false, 0});
    traceVariable(script, "clip._currentframe");
    script.pushString("/clip:3").action(ActionCode::GotoFrame2, GotoFrame2Action{false, 0});
    traceVariable(script, "clip._currentframe");
    EXPECT_EQ(playBesideThreeFrameClip(script), (Lines{"2", "2", "3"}));
}

TEST(GotoRules, gotoPastTheEndShowsTheLastFrameWithoutItsScripts) {
    MovieBuilder builder(7);
    TimelineBuilder empty;
    empty.showFrame();
    const CharacterId clip = builder.addSprite(empty);
    ActionAssembler first;
    first.trace("one").gotoFrame(40);
    traceVariable(first, "_currentframe");
    first.pushString("late").getVariable().action(ActionCode::TypeOf).trace();
    builder.doAction(first).showFrame();
    builder.doAction(ActionAssembler().trace("two")).showFrame();
    builder.placeNamed(clip, Depth{1}, "late").doAction(ActionAssembler().trace("three")).showFrame();
    // The goto also stopped the movie: later frames run nothing.
    EXPECT_EQ(play(builder, 3), (Lines{"one", "3", "movieclip"}));
}

TEST(GotoRules, gotoToTheShownFrameAndStepsAtTheEndsRunNothing) {
    MovieBuilder builder(7);
    ActionAssembler first;
    first.trace("one").stop().gotoFrame(0).previousFrame();
    traceVariable(first, "_currentframe");
    builder.doAction(first).showFrame();
    ActionAssembler last;
    last.trace("two").nextFrame();
    traceVariable(last, "_currentframe");
    builder.doAction(last).showFrame();
    EXPECT_EQ(play(builder, 3), (Lines{"one", "1"}));
}

TEST(GotoRules, callRunsAFramesScriptsOnTheCallersStackWithTheirOwnConstants) {
    MovieBuilder builder(6);
    builder.doAction(ActionAssembler().constantPool({"a"}).pushConstant(0)).showFrame();
    ActionAssembler second;
    second.constantPool({"b"}).pushString("1").action(ActionCode::Call).pushConstant(0).stop();
    second.action(ActionCode::Add2).trace();
    builder.doAction(second).showFrame();
    EXPECT_EQ(play(builder, 3), (Lines{"ab"}));
}

TEST(GotoRules, waitForFrameSkipsOnlyBeyondTheFrameLimit) {
    ActionAssembler script;
    for (std::uint16_t frame :
         {std::uint16_t{0}, std::uint16_t{5}, std::uint16_t{16000}, std::uint16_t{16001}}) {
        // Loaded: the jump skips the trace. Not loaded: the jump is skipped.
        ActionAssembler line;
        line.trace("missing " + std::to_string(frame));
        script.waitForFrame(frame, 1).action(ActionCode::Jump,
                                             BranchAction{static_cast<std::int16_t>(codeSize(line))});
        append(script, line);
    }
    script.setTarget("clip").waitForFrame(16001, 2).trace("clip missing").trace("clip end").setTarget("");
    EXPECT_EQ(playBesideThreeFrameClip(script), (Lines{"missing 16001", "clip end"}));
}

TEST(GotoRules, waitForFrame2CountsFromOneAndTakesLabels) {
    ActionAssembler script;
    script.push({16001}).action(ActionCode::WaitForFrame2, WaitForFrame2Action{2}).trace("16001 loaded");
    script.push({16002}).action(ActionCode::WaitForFrame2, WaitForFrame2Action{2}).trace("16002 loaded");
    script.pushString("TheFrame")
        .action(ActionCode::WaitForFrame2, WaitForFrame2Action{2})
        .trace("label loaded");
    script.trace("end");
    MovieBuilder builder(7);
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"16001 loaded", "label loaded", "end"}));
}

TEST(GotoRules, aSpriteDeclaringNoFramesRunsItsTagsOnceAndReportsNoFrames) {
    MovieBuilder builder(7);
    TimelineBuilder none;
    ActionAssembler script;
    script.pushString("frames ");
    for (const char* property : {"_totalframes", "_framesloaded", "_currentframe"}) {
        script.pushString(property).getVariable().action(ActionCode::Add2);
    }
    script.trace();
    none.doAction(script);
    const CharacterId clip = builder.addSprite(none);
    builder.placeNamed(clip, Depth{1}, "none").showFrame();
    builder.showFrame();
    EXPECT_EQ(play(builder, 4), (Lines{"frames 000"}));
}

TEST(GotoRules, tagsAfterTheLastShowFrameRunOnceAfterTheLastFrame) {
    MovieBuilder builder(7);
    builder.doAction(ActionAssembler().trace("frame")).showFrame();
    ActionAssembler trailing;
    trailing.trace("trailing");
    traceVariable(trailing, "_currentframe");
    traceVariable(trailing, "_totalframes");
    builder.doAction(trailing);
    EXPECT_EQ(play(builder, 4), (Lines{"frame", "trailing", "1", "1"}));
}

} // namespace
} // namespace kf::swf::avm1::test
