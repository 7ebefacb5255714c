// Clips scripts make, move and remove (duplicateMovieClip, attachMovie, createEmptyMovieClip,
// removeMovieClip, swapDepths), the depth rules around them, unload events, and what a
// backward goto keeps.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

// trace(prefix + this)
ActionBlock traceThis(const std::string& prefix) {
    return ActionAssembler()
        .pushString(prefix)
        .pushString("this")
        .getVariable()
        .action(ActionCode::Add2)
        .trace()
        .block();
}

ClipActionRecord onClipEvent(ClipEvent event, ActionBlock actions) {
    ClipActionRecord record;
    record.events = static_cast<std::uint32_t>(event);
    record.actions = std::move(actions);
    return record;
}

PlaceObjectTag placement(CharacterId character, std::uint16_t depth, std::string name,
                         std::vector<ClipActionRecord> events) {
    PlaceObjectTag place;
    place.version = 2;
    place.depth = Depth{depth};
    place.characterId = character;
    if (!name.empty()) {
        place.name = std::move(name);
    }
    PlaceObjectExtras extras;
    extras.clipActions = std::move(events);
    place.extras = extras;
    return place;
}

CharacterId emptySprite(MovieBuilder& builder) {
    TimelineBuilder empty;
    empty.showFrame();
    return builder.addSprite(empty);
}

TEST(ScriptClips, duplicateCopiesPlacementAndClipEventsButNotVariables) {
    MovieBuilder builder(6);
    const CharacterId clip = emptySprite(builder);
    ActionAssembler script;
    setVariable(script, "src._x", 50.0);
    setVariable(script, "src.foo", std::string("FOO"));
    script.push({std::string("bar"), 7, 1}).action(ActionCode::InitObject);
    script.push({5, std::string("copy"), 3}).pushString("src").getVariable().pushString("duplicateMovieClip");
    script.action(ActionCode::CallMethod).trace();
    for (const char* name : {"copy._x", "copy.foo", "copy.bar"}) {
        traceVariable(script, name);
    }
    callMethod(script, "copy", "getDepth").trace();
    // Out of range: the highest depth a script may use is 2130690044.
    callMethod(script, "src", "duplicateMovieClip", {std::string("far"), 2130690045.0}).trace();
    script.trace("done");
    builder.doAction(script);
    builder.addTag(placement(clip, 1, "src",
                             {onClipEvent(ClipEvent::Construct, traceThis("construct ")),
                              onClipEvent(ClipEvent::Load, traceThis("load "))}));
    builder.showFrame();
    EXPECT_EQ(play(builder),
              (Lines{"construct _level0.src", "construct _level0.copy", "_level0.copy", "50", "undefined",
                     "7", "5", "undefined", "done", "load _level0.src", "load _level0.copy"}));
}

TEST(ScriptClips, removeMovieClipTakesOnlyScriptDepthsAndUnloadHandlersDelayIt) {
    MovieBuilder builder(6);
    const CharacterId clip = emptySprite(builder);
    ActionAssembler script;
    callMethod(script, "this", "createEmptyMovieClip", {std::string("a"), 0}).action(ActionCode::Pop);
    callMethod(script, "this", "createEmptyMovieClip", {std::string("far"), 2000000}).action(ActionCode::Pop);
    callMethod(script, "this", "createEmptyMovieClip", {std::string("plain"), 3}).action(ActionCode::Pop);
    script.pushString("a").getVariable().pushString("onUnload");
    ActionAssembler unload;
    unload.pushString("unload ").pushString("this").getVariable().action(ActionCode::Add2);
    defineFunction(script, "", {}, unload.trace()).action(ActionCode::SetMember);
    for (const char* name : {"timeline", "a", "far", "plain"}) {
        callMethod(script, name, "removeMovieClip").action(ActionCode::Pop);
    }
    traceVariable(script, "timeline");
    callMethod(script, "a", "getDepth").trace(); // parked at -32769 - 0 until its unload ran
    traceVariable(script, "far");
    traceVariable(script, "plain");
    builder.placeNamed(clip, Depth{1}, "timeline").doAction(script).showFrame();
    builder.doAction(ActionAssembler().pushString("a").getVariable().trace().stop()).showFrame();
    EXPECT_EQ(play(builder, 2), (Lines{"_level0.timeline", "-32769", "_level0.far", "undefined",
                                       "unload _level0.a", "undefined"}));
}

TEST(ScriptClips, timelineRemovalRunsUnloadBeforeTheReplacementLoads) {
    MovieBuilder builder(6);
    const CharacterId clip = emptySprite(builder);
    auto events = [] {
        return std::vector<ClipActionRecord>{onClipEvent(ClipEvent::Initialize, traceThis("init ")),
                                             onClipEvent(ClipEvent::Load, traceThis("load ")),
                                             onClipEvent(ClipEvent::Unload, traceThis("unload "))};
    };
    builder.addTag(placement(clip, 1, "", events())).showFrame();
    builder.remove(Depth{1}).addTag(placement(clip, 1, "", events())).showFrame();
    builder.doAction(ActionAssembler().stop()).showFrame();
    EXPECT_EQ(play(builder, 3),
              (Lines{"init _level0.instance1", "load _level0.instance1", "init _level0.instance2",
                     "unload _level0.instance1", "load _level0.instance2"}));
}

TEST(ScriptClips, swapDepthsAndTheDepthQueries) {
    MovieBuilder builder(7);
    ActionAssembler script;
    callMethod(script, "this", "createEmptyMovieClip", {std::string("x"), 4}).action(ActionCode::Pop);
    callMethod(script, "this", "createEmptyMovieClip", {std::string("y"), 9}).action(ActionCode::Pop);
    callMethod(script, "this", "getNextHighestDepth").trace();
    script.pushString("y").getVariable().push({1}).pushString("x").getVariable().pushString("swapDepths");
    script.action(ActionCode::CallMethod).action(ActionCode::Pop);
    callMethod(script, "x", "getDepth").trace();
    callMethod(script, "y", "getDepth").trace();
    callMethod(script, "x", "swapDepths", {20}).action(ActionCode::Pop);
    callMethod(script, "this", "getInstanceAtDepth", {9}).trace();
    callMethod(script, "this", "getInstanceAtDepth", {4.7}).trace(); // depths truncate
    callMethod(script, "this", "getNextHighestDepth").trace();
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"10", "9", "4", "undefined", "_level0.y", "21"}));
}

TEST(ScriptClips, flashPlayer6MethodsAreHiddenFromOlderMovies) {
    ActionAssembler script;
    script.pushString("this").getVariable().pushString("createEmptyMovieClip").action(ActionCode::GetMember);
    script.action(ActionCode::TypeOf).trace();
    script.pushString("this").getVariable().pushString("duplicateMovieClip").action(ActionCode::GetMember);
    script.action(ActionCode::TypeOf).trace();
    EXPECT_EQ(run(5, script), (Lines{"undefined", "function"}));
    EXPECT_EQ(run(6, script), (Lines{"function", "function"}));
}

TEST(ScriptClips, attachMovieFindsExportedSymbols) {
    MovieBuilder builder(6);
    TimelineBuilder thing;
    thing.doAction(ActionAssembler().trace("thing frame 1")).showFrame();
    const CharacterId symbol = builder.addSprite(thing);
    // ExportAssets: one symbol, its id and a NUL-terminated name.
    std::vector<std::uint8_t> exports{1, 0, static_cast<std::uint8_t>(symbol.value), 0};
    for (char letter : std::string("Thing")) {
        exports.push_back(static_cast<std::uint8_t>(letter));
    }
    exports.push_back(0);
    builder.addTag(TagCode::ExportAssets, UnknownTag{exports});
    ActionAssembler script;
    script.push({std::string("v"), 1, 1}).action(ActionCode::InitObject);
    script.push({3, std::string("t"), std::string("thing"), 4}).pushString("this").getVariable();
    script.pushString("attachMovie").action(ActionCode::CallMethod).trace(); // names ignore case before SWF 7
    traceVariable(script, "t.v");
    callMethod(script, "this", "attachMovie", {std::string("Missing"), std::string("m"), 5}).trace();
    script.trace("script end");
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"_level0.t", "1", "undefined", "script end", "thing frame 1"}));
}

TEST(ScriptClips, cloneAndRemoveSpriteActionsUseDisplayListDepths) {
    MovieBuilder builder(6);
    const CharacterId clip = emptySprite(builder);
    ActionAssembler script;
    script.push({std::string("src"), std::string("c1"), 16384 + 40}).action(ActionCode::CloneSprite);
    callMethod(script, "c1", "getDepth").trace();
    script.pushString("c1").action(ActionCode::RemoveSprite);
    traceVariable(script, "c1");
    script.pushString("src").action(ActionCode::RemoveSprite); // a timeline clip stays
    traceVariable(script, "src");
    builder.placeNamed(clip, Depth{1}, "src").doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"40", "undefined", "_level0.src"}));
}

TEST(ScriptClipsTimeline, clipsRunNewestFirstWhateverTheirDepth) {
    MovieBuilder builder(6);
    auto twoFrames = [&](const std::string& name) {
        TimelineBuilder timeline;
        timeline.doAction(ActionAssembler().trace(name + " 1")).showFrame();
        timeline.doAction(ActionAssembler().trace(name + " 2").stop()).showFrame();
        return builder.addSprite(timeline);
    };
    const CharacterId high = twoFrames("high");
    const CharacterId low = twoFrames("low");
    // Placed high first: the one placed later (low) runs first from frame 2 on.
    builder.place(high, Depth{9})
        .place(low, Depth{2})
        .doAction(ActionAssembler().trace("root 1"))
        .showFrame();
    builder.doAction(ActionAssembler().trace("root 2").stop()).showFrame();
    EXPECT_EQ(play(builder, 2), (Lines{"root 1", "high 1", "low 1", "low 2", "high 2", "root 2"}));
}

TEST(ScriptClipsTimeline, backwardGotoKeepsUnchangedInstancesAndScriptClips) {
    MovieBuilder builder(6);
    const CharacterId clip = emptySprite(builder);
    ActionAssembler first;
    traceVariable(first, "kept.v");
    traceVariable(first, "late");
    traceVariable(first, "made");
    builder.placeNamed(clip, Depth{1}, "kept").doAction(first).showFrame();
    builder.placeNamed(clip, Depth{2}, "late").showFrame();
    ActionAssembler third;
    setVariable(third, "kept.v", std::string("same instance"));
    callMethod(third, "this", "createEmptyMovieClip", {std::string("made"), 7}).action(ActionCode::Pop);
    callMethod(third, "this", "gotoAndStop", {1}).action(ActionCode::Pop);
    builder.doAction(third).showFrame();
    EXPECT_EQ(play(builder, 3),
              (Lines{"undefined", "undefined", "undefined", "same instance", "undefined", "_level0.made"}));
}

} // namespace
} // namespace kf::swf::avm1::test
