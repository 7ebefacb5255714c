// The display list as scripts see it: which objects they reach by name and depth, the names
// the timeline gives, the order of unload events, the depths scripts may use, and a frame
// whose placement places nothing.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

// trace(prefix + this), with the root's frame number in front.
ActionBlock traceFrameAndThis(const std::string& prefix) {
    return ActionAssembler()
        .pushString("_root")
        .getVariable()
        .pushString("_currentframe")
        .action(ActionCode::GetMember)
        .pushString(prefix)
        .action(ActionCode::Add2)
        .pushString("this")
        .getVariable()
        .action(ActionCode::Add2)
        .trace()
        .block();
}

CharacterId emptySprite(MovieBuilder& builder) {
    TimelineBuilder empty;
    empty.showFrame();
    return builder.addSprite(empty);
}

CharacterId square(MovieBuilder& builder) {
    return builder.addRectangle(Rect{Twips{0}, Twips{200}, Twips{0}, Twips{200}},
                                ShapeBuilder::solidFill(Rgba{0, 0, 255}));
}

CharacterId editText(MovieBuilder& builder) {
    DefineEditTextTag field;
    field.id = builder.nextCharacterId();
    field.bounds = Rect{Twips{0}, Twips{2000}, Twips{0}, Twips{400}};
    builder.addTag(field);
    return field.id;
}

TEST(DisplayListScripts, unloadRunsChildrenFirstInDepthOrderAndTheirRemovalWaits) {
    MovieBuilder builder(6);
    ActionAssembler script;
    ActionAssembler report;
    report.pushString("unload ").pushString("this").getVariable().action(ActionCode::Add2).trace();
    defineFunction(script, "report", {}, report);
    callMethod(script, "this", "createEmptyMovieClip", {std::string("a"), 0}).action(ActionCode::Pop);
    // Made in the order y, x: depth, not age, orders the events.
    callMethod(script, "a", "createEmptyMovieClip", {std::string("y"), 5}).action(ActionCode::Pop);
    callMethod(script, "a", "createEmptyMovieClip", {std::string("x"), 1}).action(ActionCode::Pop);
    callMethod(script, "a", "createEmptyMovieClip", {std::string("z"), 9}).action(ActionCode::Pop);
    for (const char* clip : {"a", "a.x", "a.y"}) {
        script.pushString(clip).getVariable().pushString("onUnload").pushString("report").getVariable();
        script.action(ActionCode::SetMember);
    }
    callMethod(script, "a", "removeMovieClip").action(ActionCode::Pop);
    callMethod(script, "a.z", "removeMovieClip").action(ActionCode::Pop); // a is leaving: z stays with it
    callMethod(script, "a", "getDepth").trace();
    callMethod(script, "a.z", "getDepth").trace();
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder),
              (Lines{"-32769", "9", "unload _level0.a.x", "unload _level0.a.y", "unload _level0.a"}));
}

TEST(DisplayListScripts, shapesAnswerAsTheirClipAndTheOthersAsThemselves) {
    for (const std::uint8_t version : {5, 6}) {
        MovieBuilder builder(version);
        const CharacterId shape = square(builder);
        const CharacterId clip = emptySprite(builder);
        const CharacterId field = editText(builder);
        const CharacterId button = builder.addButton(DefineButtonTag{});
        ActionAssembler script;
        script.pushString("sh").getVariable().action(ActionCode::TypeOf).trace();
        script.pushString("sh")
            .getVariable()
            .pushString("_root")
            .getVariable()
            .action(ActionCode::Equals2)
            .trace();
        traceVariable(script, "mc");
        Lines expected{"movieclip", "true", "_level0.mc"};
        if (version >= 6) {
            traceVariable(script, "b");
            expected.push_back("_level0.b");
        }
        builder.placeNamed(shape, Depth{1}, "sh").placeNamed(button, Depth{2}, "b");
        builder.placeNamed(clip, Depth{3}, "mc").place(field, Depth{4});
        builder.doAction(script).showFrame();
        EXPECT_EQ(play(builder), expected) << int(version);
    }
}

TEST(DisplayListScripts, unnamedClipsFieldsAndButtonsShareOneCountAndDepthsFindThem) {
    MovieBuilder builder(7);
    const CharacterId shape = square(builder);
    const CharacterId clip = emptySprite(builder);
    const CharacterId field = editText(builder);
    const CharacterId button = builder.addButton(DefineButtonTag{});
    ActionAssembler script;
    for (int depth = -16384; depth <= -16379; ++depth) {
        callMethod(script, "this", "getInstanceAtDepth", {depth}).trace();
    }
    // Unnamed shapes take no number.
    builder.place(shape, Depth{1}).place(clip, Depth{2}).place(shape, Depth{3}).place(field, Depth{4});
    builder.place(button, Depth{5}).doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"undefined", "_level0", "_level0.instance1", "_level0",
                                    "_level0.instance2", "_level0.instance3"}));
}

TEST(DisplayListScripts, copiesStartAtDepthMinus16384) {
    MovieBuilder builder(7);
    const CharacterId clip = emptySprite(builder);
    ActionAssembler script;
    for (const int depth : {-16385, -16384}) {
        const std::string name = "e" + std::to_string(-depth);
        callMethod(script, "this", "createEmptyMovieClip", {name, depth}).trace();
        callMethod(script, "src", "duplicateMovieClip", {"d" + std::to_string(-depth), depth}).trace();
    }
    script.push({std::string("src"), std::string("c"), -1}).action(ActionCode::CloneSprite);
    traceVariable(script, "c");
    builder.placeNamed(clip, Depth{1}, "src").doAction(script).showFrame();
    // Only createEmptyMovieClip reaches below -16384.
    EXPECT_EQ(play(builder),
              (Lines{"_level0.e16385", "undefined", "_level0.e16384", "_level0.d16384", "undefined"}));
}

TEST(DisplayListScripts, aMoveKeepsTheNameItsInstanceWasPlacedWith) {
    MovieBuilder builder(6);
    const CharacterId firstClip = emptySprite(builder);
    const CharacterId secondClip = emptySprite(builder);
    const CharacterId firstShape = square(builder);
    const CharacterId secondShape = square(builder);
    auto move = [](std::uint16_t depth, CharacterId character, std::string name) {
        PlaceObjectTag tag;
        tag.version = 2;
        tag.isMove = true;
        tag.depth = Depth{depth};
        tag.characterId = character;
        tag.matrix = Matrix::translation(2600, 0);
        tag.name = std::move(name);
        return tag;
    };
    builder.placeNamed(firstClip, Depth{1}, "clip").placeNamed(firstShape, Depth{2}, "drawn").showFrame();
    ActionAssembler script;
    traceVariable(script, "clip._x");
    for (const char* name : {"renamedClip", "renamedShape", "drawn"}) {
        script.pushString(name).getVariable().action(ActionCode::TypeOf).trace();
    }
    builder.addTag(move(1, secondClip, "renamedClip")).addTag(move(2, secondShape, "renamedShape"));
    builder.doAction(script.stop()).showFrame();
    EXPECT_EQ(play(builder, 2), (Lines{"130", "undefined", "undefined", "movieclip"}));
}

// PlaceObject2 without a character on an empty depth: the frame stops there, what came before
// it in the frame stands, and the playhead stays, trying again (and stopping again) each frame.
TEST(DisplayListScripts, aPlacementOfNothingHoldsThePlayheadBeforeItsFrame) {
    MovieBuilder builder(6);
    const CharacterId clip = emptySprite(builder);
    auto events = [] {
        ClipActionRecord load;
        load.events = static_cast<std::uint32_t>(ClipEvent::Load);
        load.actions = traceFrameAndThis(": load ");
        ClipActionRecord unload;
        unload.events = static_cast<std::uint32_t>(ClipEvent::Unload);
        unload.actions = traceFrameAndThis(": unload ");
        PlaceObjectExtras extras;
        extras.clipActions = {load, unload};
        return extras;
    };
    PlaceObjectTag first;
    first.version = 2;
    first.depth = Depth{1};
    first.characterId = clip;
    first.extras = events();
    PlaceObjectTag nothing = first;
    nothing.characterId.reset();
    nothing.name = std::string("renamed");
    builder.addTag(first).doAction(ActionAssembler().trace("frame 1")).showFrame();
    builder.remove(Depth{1}).addTag(nothing).doAction(ActionAssembler().trace("frame 2")).showFrame();
    builder.doAction(ActionAssembler().trace("frame 3")).showFrame();
    EXPECT_EQ(play(builder, 5),
              (Lines{"1: load _level0.instance1", "frame 1", "1: unload _level0.instance1"}));
}

} // namespace
} // namespace kf::swf::avm1::test
