// When scripts run: after the frame's display-list changes, once per frame entered, with
// gotos from scripts taking effect at once.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

TEST(FrameOrder, frameScriptsSeeTheFramesPlacements) {
    MovieBuilder builder(6);
    TimelineBuilder empty;
    empty.showFrame();
    const CharacterId clip = builder.addSprite(empty);
    // The DoAction comes before the PlaceObject in the file, yet the clip already exists.
    ActionAssembler script;
    script.pushString("box").getVariable().action(ActionCode::TypeOf).trace();
    builder.doAction(script).placeNamed(clip, Depth{1}, "box").showFrame();
    builder.remove(Depth{1}).doAction(script).showFrame();
    EXPECT_EQ(play(builder, 2), (Lines{"movieclip", "undefined"}));
}

TEST(FrameOrder, everyFrameRunsItsScriptsOnceAndStopHolds) {
    MovieBuilder builder(6);
    builder.doAction(ActionAssembler().trace("one")).showFrame();
    builder.doAction(ActionAssembler().trace("two")).showFrame();
    builder.doAction(ActionAssembler().trace("three").stop()).showFrame();
    EXPECT_EQ(play(builder, 6), (Lines{"one", "two", "three"}));
}

TEST(FrameOrder, gotoFrame2WithALabelRunsTheTargetFrameScript) {
    MovieBuilder builder(6);
    ActionAssembler first;
    first.trace("start").pushString("end").action(ActionCode::GotoFrame2, GotoFrame2Action{false, 0});
    builder.doAction(first).showFrame();
    builder.doAction(ActionAssembler().trace("skipped")).showFrame();
    builder.label("end").doAction(ActionAssembler().trace("end")).showFrame();
    EXPECT_EQ(play(builder, 3), (Lines{"start", "end"}));
}

TEST(FrameOrder, currentFrameAndClipMethods) {
    MovieBuilder builder(6);
    TimelineBuilder frames;
    frames.showFrame().showFrame().showFrame();
    const CharacterId clip = builder.addSprite(frames);
    ActionAssembler script;
    script.push({3, 1})
        .pushString("clip")
        .getVariable()
        .pushString("gotoAndStop")
        .action(ActionCode::CallMethod)
        .action(ActionCode::Pop);
    traceVariable(script, "clip._currentframe");
    traceVariable(script, "clip._totalframes");
    script.push({std::string("clip"), 0, 12.5}).action(ActionCode::SetProperty);
    script.push({std::string("clip"), 0}).action(ActionCode::GetProperty).trace();
    builder.placeNamed(clip, Depth{1}, "clip").doAction(script).showFrame();
    const Lines lines = play(builder);
    EXPECT_EQ(lines, (Lines{"3", "3", "12.5"}));
}

TEST(FrameOrder, setIntervalRunsOnTheFrameClockUntilCleared) {
    // id = setInterval(function () { trace("tick"); clearInterval(id); }, 100);
    ActionAssembler tick;
    tick.trace("tick").pushString("id").getVariable().push({1, std::string("clearInterval")});
    tick.action(ActionCode::CallFunction).action(ActionCode::Pop);
    ActionAssembler script;
    script.pushString("id").pushNumber(100);
    defineFunction(script, "", {}, tick)
        .push({2, std::string("setInterval")})
        .action(ActionCode::CallFunction);
    script.setVariable();
    MovieBuilder builder(6);
    builder.doAction(script).showFrame();
    builder.doAction(ActionAssembler().stop()).showFrame();
    ManualClock clock;
    clock.step = 40; // every reading of the clock is 40 ms later
    EXPECT_EQ(play(builder, 8, &clock), (Lines{"tick"}));
}

} // namespace
} // namespace kf::swf::avm1::test
