// Movies loading movies and variables: into levels and clips, unloading, the frame the
// loaded movie appears on, and files that are missing or broken.

#include "LoadingMovies.h"

namespace kf::swf::test {
namespace {

// trace(prefix + typeof(name))
ActionAssembler& traceType(ActionAssembler& to, const std::string& prefix, const std::string& name) {
    to.pushString(name).getVariable().action(ActionCode::TypeOf);
    return traceWithPrefix(to, prefix);
}

// trace(prefix + name)
ActionAssembler& traceValue(ActionAssembler& to, const std::string& prefix, const std::string& name) {
    to.pushString(name).getVariable();
    return traceWithPrefix(to, prefix);
}

// A movie of one frame that traces `text` and then `this`, with an empty clip "inner".
MovieBuilder tracingMovie(const std::string& text) {
    MovieBuilder movie(6);
    TimelineBuilder empty;
    empty.showFrame();
    movie.placeNamed(movie.addSprite(empty), Depth{1}, "inner");
    ActionAssembler script;
    script.trace(text);
    traceValue(script, "this=", "this");
    movie.doAction(script).showFrame();
    return movie;
}

ClipActionRecord onClipEvent(ClipEvent event, ActionBlock actions) {
    ClipActionRecord record;
    record.events = static_cast<std::uint32_t>(event);
    record.actions = std::move(actions);
    return record;
}

// An empty sprite placed as `name`, tracing "load <this>" on each of its load events.
void placeHolder(MovieBuilder& movie, const std::string& name, std::uint16_t depth,
                 std::vector<ClipActionRecord> extraEvents = {}) {
    TimelineBuilder empty;
    empty.showFrame();
    const CharacterId sprite = movie.addSprite(empty);
    PlaceObjectTag place;
    place.version = 2;
    place.depth = Depth{depth};
    place.characterId = sprite;
    place.name = name;
    PlaceObjectExtras extras;
    ActionAssembler onLoad;
    traceValue(onLoad, "load ", "this");
    extras.clipActions.push_back(onClipEvent(ClipEvent::Load, onLoad.block()));
    for (ClipActionRecord& record : extraEvents) {
        extras.clipActions.push_back(std::move(record));
    }
    place.extras = extras;
    movie.addTag(TagCode::PlaceObject2, place);
}

TEST(MovieLoading, levelLoadAppearsAtTheEndOfTheNextFrame) {
    MovieFolder folder;
    folder.write(QStringLiteral("child.swf"), tracingMovie("child"));
    MovieBuilder main(6);
    ActionAssembler first;
    getUrl2(first, "child.swf", "_level1", false, false);
    traceType(first, "frame 1: ", "_level1");
    main.doAction(first).showFrame();
    ActionAssembler second;
    traceType(second, "frame 2: ", "_level1");
    main.doAction(second).showFrame();
    ActionAssembler third;
    traceType(third, "frame 3: ", "_level1");
    traceValue(third, "level: ", "_level1");
    third.stop();
    main.doAction(third).showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    EXPECT_EQ(playFromFolder(folder, QStringLiteral("main.swf"), 4),
              (Lines{"frame 1: undefined", "frame 2: undefined", "child", "this=_level1",
                     "frame 3: movieclip", "level: _level1"}));
}

TEST(MovieLoading, swf3GetUrlIntoALevelNeedsNoInterpreter) {
    MovieFolder folder;
    MovieBuilder child(3);
    child.setBackgroundColor(Rgba{0, 0, 255, 255});
    const CharacterId box = child.addRectangle(Rect{Twips{0}, Twips{200}, Twips{0}, Twips{200}},
                                               ShapeBuilder::solidFill(Rgba{255, 0, 0, 255}));
    child.place(box, Depth{1}).showFrame();
    folder.write(QStringLiteral("sub/child.swf"), child);
    MovieBuilder main(3);
    main.doAction(ActionAssembler().getUrl("sub/child.swf", "_level2")).showFrame().showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    Result<Movie> movie = readMovie(main.build());
    ASSERT_TRUE(movie.ok());
    MoviePlayer player;
    ASSERT_TRUE(
        player.load(std::move(movie).value(), "file://" + folder.path(QStringLiteral("main.swf"))).ok());
    EXPECT_EQ(player.levels().objects().size(), 1u);
    player.advanceFrame();
    ASSERT_NE(player.levels().at(DisplayDepth{2}), nullptr);
    const SpriteObject* level = player.levels().at(DisplayDepth{2})->asSprite();
    ASSERT_NE(level, nullptr);
    EXPECT_NE(level->displayList().at(DisplayDepth{1}), nullptr);
    // A loaded level brings its background colour to the stage.
    EXPECT_EQ(player.backgroundColor(), (Rgba{0, 0, 255, 255}));
    // Level 0 keeps its own characters: the child's id 1 is not the main movie's.
    EXPECT_TRUE(player.displayList().objects().empty());
}

TEST(MovieLoading, loadMovieIntoAClipKeepsItsPlaceAndStartsAfresh) {
    MovieFolder folder;
    MovieBuilder child(6);
    ActionAssembler childScript;
    traceValue(childScript, "child in ", "this");
    traceType(childScript, "old variable: ", "marker");
    traceValue(childScript, "root: ", "_root");
    childScript.stop();
    child.doAction(childScript).showFrame().showFrame();
    folder.write(QStringLiteral("child.swf"), child);

    MovieBuilder main(6);
    placeHolder(main, "holder", 1);
    ActionAssembler first;
    first.push({PushValue("holder.marker"), PushValue(1)}).setVariable();
    first.push({PushValue("holder._x"), PushValue(40)}).setVariable();
    first.push({PushValue("child.swf"), PushValue(1), PushValue("holder")}).getVariable();
    first.pushString("loadMovie").action(ActionCode::CallMethod).action(ActionCode::Pop);
    traceType(first, "marker before: ", "holder.marker");
    main.doAction(first).showFrame();
    ActionAssembler second;
    traceValue(second, "frames: ", "holder._totalframes");
    main.doAction(second).showFrame();
    ActionAssembler third;
    traceValue(third, "x after: ", "holder._x");
    traceValue(third, "frames after: ", "holder._totalframes");
    main.doAction(third.stop()).showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    EXPECT_EQ(playFromFolder(folder, QStringLiteral("main.swf"), 4),
              (Lines{"load _level0.holder", "marker before: number", "frames: 1", "child in _level0.holder",
                     "old variable: undefined", "root: _level0", "load _level0.holder", "x after: 40",
                     "frames after: 2"}));
}

TEST(MovieLoading, unloadingLevelsAndClips) {
    MovieFolder folder;
    folder.write(QStringLiteral("child.swf"), tracingMovie("child"));
    MovieBuilder main(6);
    placeHolder(main, "holder", 1);
    ActionAssembler first;
    getUrl2(first, "child.swf", "_level3", false, false);
    getUrl2(first, "child.swf", "holder", true, false);
    main.doAction(first).showFrame().showFrame();
    auto checks = [] {
        ActionAssembler script;
        traceType(script, "level 3: ", "_level3");
        traceType(script, "inner: ", "holder.inner");
        traceType(script, "holder: ", "holder");
        return script;
    };
    ActionAssembler third = checks();
    getUrl2(third, "", "_level3", false, false);
    getUrl2(third, "", "holder", true, false);
    main.doAction(third).showFrame();
    main.doAction(checks()).showFrame();
    main.doAction(checks().stop()).showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    const Lines lines = playFromFolder(folder, QStringLiteral("main.swf"), 5);
    const Lines loaded{"level 3: movieclip", "inner: movieclip", "holder: movieclip"};
    const Lines unloaded{"level 3: undefined", "inner: undefined", "holder: movieclip"};
    ASSERT_EQ(lines.size(), 6u + 9u);
    // The unload asked for on frame 3 is carried out at the end of frame 4, like a load.
    EXPECT_EQ(Lines(lines.begin() + 6, lines.begin() + 9), loaded);
    EXPECT_EQ(Lines(lines.begin() + 9, lines.begin() + 12), loaded);
    EXPECT_EQ(Lines(lines.begin() + 12, lines.end()), unloaded);
}

TEST(MovieLoading, theFunctionFormsQueueTheSameLoads) {
    MovieFolder folder;
    folder.write(QStringLiteral("child.swf"), tracingMovie("child"));
    folder.write(QStringLiteral("vars.txt"), std::string("v=loaded"));
    MovieBuilder main(6);
    ActionAssembler first;
    avm1::test::callFunction(first, "loadMovieNum", {PushValue("child.swf"), PushValue(2)})
        .action(ActionCode::Pop);
    avm1::test::callFunction(first, "loadVariablesNum", {PushValue("vars.txt"), PushValue(0)})
        .action(ActionCode::Pop);
    main.doAction(first).showFrame().showFrame();
    ActionAssembler third;
    traceValue(third, "v=", "v");
    avm1::test::callFunction(third, "unloadMovieNum", {PushValue(2)}).action(ActionCode::Pop);
    main.doAction(third).showFrame().showFrame();
    ActionAssembler fifth;
    traceType(fifth, "level 2: ", "_level2");
    main.doAction(fifth.stop()).showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    EXPECT_EQ(playFromFolder(folder, QStringLiteral("main.swf"), 5),
              (Lines{"child", "this=_level2", "v=loaded", "level 2: undefined"}));
}

TEST(MovieLoading, variablesArriveOnTheTargetWithADataEvent) {
    MovieFolder folder;
    folder.write(QStringLiteral("data/vars.txt"), std::string("a=1&b=two+words&c=%26%3D&=dropped&d"));
    MovieBuilder main(6);
    ActionAssembler onData;
    traceValue(onData, "a=", "a");
    traceValue(onData, "b=", "b");
    traceValue(onData, "c=", "c");
    traceType(onData, "d is a ", "d");
    placeHolder(main, "holder", 1, {onClipEvent(ClipEvent::Data, onData.block())});
    ActionAssembler first;
    getUrl2(first, "data/vars.txt", "holder", true, true);
    // loadVariablesNum: the level itself.
    getUrl2(first, "data/vars.txt", "_level0", false, true);
    main.doAction(first).showFrame();
    ActionAssembler second;
    traceType(second, "root a is ", "a");
    main.doAction(second).showFrame();
    ActionAssembler third;
    traceValue(third, "root a=", "a");
    main.doAction(third.stop()).showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    EXPECT_EQ(playFromFolder(folder, QStringLiteral("main.swf"), 3),
              (Lines{"load _level0.holder", "root a is undefined", "a=1", "b=two words",
                     "c=&=", "d is a string", "root a=1"}));
}

TEST(MovieLoading, missingAndBrokenFilesLeaveTargetsAsTheyWere) {
    MovieFolder folder;
    folder.write(QStringLiteral("broken.swf"), std::string("FWS\x06 not a movie at all"));
    // A compressed header claiming far more than the player reads.
    std::vector<std::uint8_t> bomb{'C', 'W', 'S', 6, 0xFF, 0xFF, 0xFF, 0x7F, 0x78, 0x9C, 0x03, 0x00};
    folder.write(QStringLiteral("bomb.swf"), bomb);
    MovieBuilder main(6);
    placeHolder(main, "holder", 1);
    ActionAssembler first;
    first.push({PushValue("holder.marker"), PushValue("kept")}).setVariable();
    getUrl2(first, "missing.swf", "holder", true, false);
    getUrl2(first, "broken.swf", "_level1", false, false);
    getUrl2(first, "bomb.swf", "_level2", false, false);
    getUrl2(first, "missing.txt", "holder", true, true);
    getUrl2(first, "http://example.invalid/x.swf", "_level3", false, false);
    main.doAction(first).showFrame().showFrame();
    ActionAssembler third;
    traceValue(third, "marker: ", "holder.marker");
    traceType(third, "level 1: ", "_level1");
    traceType(third, "level 2: ", "_level2");
    traceType(third, "level 3: ", "_level3");
    third.stop();
    main.doAction(third).showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    EXPECT_EQ(playFromFolder(folder, QStringLiteral("main.swf"), 4),
              (Lines{"load _level0.holder", "marker: kept", "level 1: undefined", "level 2: undefined",
                     "level 3: undefined"}));
}

TEST(MovieLoading, relativeAddressesFollowTheLoadingMovie) {
    MovieFolder folder;
    folder.write(QStringLiteral("movies/deeper/grand.swf"), tracingMovie("grand"));
    MovieBuilder child(6);
    ActionAssembler childScript;
    getUrl2(childScript, "deeper/grand.swf", "_level2", false, false);
    traceValue(childScript, "child url ends ", "_url");
    child.doAction(childScript.stop()).showFrame();
    folder.write(QStringLiteral("movies/child.swf"), child);
    MovieBuilder main(6);
    ActionAssembler first;
    getUrl2(first, "movies/child.swf", "_level1", false, false);
    main.doAction(first).showFrame().showFrame().showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    const Lines lines = playFromFolder(folder, QStringLiteral("main.swf"), 4);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].ends_with("/movies/child.swf")) << lines[0];
    EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), (Lines{"grand", "this=_level2"}));
}

TEST(MovieLoading, aMovieLoadedIntoLevelZeroReplacesEveryLevel) {
    MovieFolder folder;
    folder.write(QStringLiteral("child.swf"), tracingMovie("child"));
    MovieBuilder next(6);
    ActionAssembler nextScript;
    traceType(nextScript, "next sees level 1: ", "_level1");
    traceValue(nextScript, "next is ", "this");
    next.doAction(nextScript.stop()).showFrame();
    folder.write(QStringLiteral("next.swf"), next);
    MovieBuilder main(6);
    ActionAssembler first;
    getUrl2(first, "child.swf", "_level1", false, false);
    main.doAction(first).showFrame();
    ActionAssembler second;
    getUrl2(second, "next.swf", "_level0", false, false);
    main.doAction(second).showFrame().showFrame().showFrame();
    folder.write(QStringLiteral("main.swf"), main);

    EXPECT_EQ(playFromFolder(folder, QStringLiteral("main.swf"), 5),
              (Lines{"child", "this=_level1", "next sees level 1: undefined", "next is _level0"}));
}

} // namespace
} // namespace kf::swf::test
