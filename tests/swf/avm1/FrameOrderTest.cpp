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

TEST(FrameOrder, childScriptsRunBeforeTheParentsAfterTheirFirstFrame) {
    MovieBuilder builder(6);
    TimelineBuilder child;
    for (const char* line : {"child 1", "child 2", "child 3"}) {
        child.doAction(ActionAssembler().trace(line)).showFrame();
    }
    const CharacterId clip = builder.addSprite(child);
    builder.placeNamed(clip, Depth{1}, "c").doAction(ActionAssembler().trace("root 1")).showFrame();
    builder.doAction(ActionAssembler().trace("root 2")).showFrame();
    builder.doAction(ActionAssembler().trace("root 3").stop()).showFrame();
    EXPECT_EQ(play(builder, 3), (Lines{"root 1", "child 1", "child 2", "root 2", "child 3", "root 3"}));
}

TEST(FrameOrder, onEnterFrameAndOnLoadRunAroundTheFrameScripts) {
    MovieBuilder builder(6);
    TimelineBuilder child;
    child.doAction(ActionAssembler().trace("child frame")).showFrame();
    const CharacterId clip = builder.addSprite(child);
    // c.onEnterFrame = function () { trace("enter " + this._name); }
    ActionAssembler enter;
    enter.pushString("enter ").pushString("this").getVariable().pushString("_name").action(
        ActionCode::GetMember);
    enter.action(ActionCode::Add2).trace();
    ActionAssembler script;
    script.trace("root frame").pushString("c").getVariable().pushString("onEnterFrame");
    defineFunction(script, "", {}, enter).action(ActionCode::SetMember);
    // A clip placed by the next frame has its onLoad from the prototype of all clips.
    script.pushString("MovieClip").getVariable().pushString("prototype").action(ActionCode::GetMember);
    script.pushString("onLoad");
    ActionAssembler loaded;
    loaded.pushString("load ").pushString("this").getVariable().pushString("_name").action(
        ActionCode::GetMember);
    loaded.action(ActionCode::Add2).trace();
    defineFunction(script, "", {}, loaded).action(ActionCode::SetMember);
    builder.placeNamed(clip, Depth{1}, "c").doAction(script).showFrame();
    builder.placeNamed(clip, Depth{2}, "d").showFrame();
    builder.doAction(ActionAssembler().stop()).showFrame();
    // The main timeline's load event follows its first frame's scripts (it inherits onLoad
    // too); from frame 2 on each clip's enterFrame comes before the frame it enters, and a
    // clip placed there announces its load before its own first frame runs.
    EXPECT_EQ(play(builder, 3),
              (Lines{"root frame", "child frame", "load ", "enter c", "load d", "child frame", "enter c"}));
}

TEST(FrameOrder, eventMethodsAreCalledFromSwf6On) {
    for (const std::uint8_t version : {std::uint8_t{5}, std::uint8_t{6}}) {
        MovieBuilder builder(version);
        TimelineBuilder empty;
        empty.showFrame();
        const CharacterId clip = builder.addSprite(empty);
        ActionAssembler script;
        script.trace("start").pushString("_root").getVariable().pushString("onLoad");
        defineFunction(script, "", {}, ActionAssembler().trace("onLoad")).action(ActionCode::SetMember);
        script.pushString("c").getVariable().pushString("onEnterFrame");
        defineFunction(script, "", {}, ActionAssembler().trace("onEnterFrame")).action(ActionCode::SetMember);
        builder.placeNamed(clip, Depth{1}, "c").doAction(script).showFrame();
        builder.doAction(ActionAssembler().stop()).showFrame();
        const Lines expected = version < 6 ? Lines{"start"} : Lines{"start", "onLoad", "onEnterFrame"};
        EXPECT_EQ(play(builder, 2), expected) << "SWF " << int(version);
    }
}

TEST(FrameOrder, initActionsRunOnceBeforeTheFramesScripts) {
    MovieBuilder builder(6);
    TimelineBuilder empty;
    empty.showFrame();
    const CharacterId clip = builder.addSprite(empty);
    builder.doAction(ActionAssembler().trace("frame 1"));
    builder.addTag(DoInitActionTag{clip, ActionAssembler().trace("init").block()});
    builder.showFrame();
    builder.doAction(ActionAssembler().trace("frame 2")).showFrame();
    EXPECT_EQ(play(builder, 3), (Lines{"init", "frame 1", "frame 2", "frame 1"}));
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
