// Mouse and keys reaching scripts: button condition actions and handlers, Key and Mouse
// listeners, clip events from PlaceObject clip actions, clips with onPress.
#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

Rect pixels(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

double twips(double pixels) {
    return pixels * 20;
}

ButtonConditionAction traceOn(std::uint16_t conditions, std::string text, std::uint8_t key = 0) {
    ButtonConditionAction action;
    action.conditions = conditions;
    action.keyCode = key;
    action.actions = ActionAssembler().trace(std::move(text)).block();
    return action;
}

constexpr std::uint16_t on(ButtonCondition condition) {
    return static_cast<std::uint16_t>(condition);
}

// object.name = function () { body }
ActionAssembler& setMethod(ActionAssembler& to, const std::string& object, const std::string& name,
                           const ActionAssembler& body) {
    to.pushString(object).getVariable().pushString(name);
    to.action(ActionCode::DefineFunction, DefineFunctionAction{"", {}, codeSize(body)});
    append(to, body);
    return to.action(ActionCode::SetMember);
}

// trace(object.method())
ActionAssembler& traceCall(ActionAssembler& to, const std::string& object, const std::string& method,
                           std::vector<PushValue> arguments = {}) {
    std::vector<PushValue> values(arguments.rbegin(), arguments.rend());
    values.push_back(static_cast<std::int32_t>(arguments.size()));
    to.push(values).pushString(object).getVariable().pushString(method).action(ActionCode::CallMethod);
    return to.trace();
}

// A player with an interpreter that the test feeds events.
class Interaction : public ::testing::Test {
protected:
    void load() {
        Result<Movie> movie = readMovie(m_movie.build());
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        m_player.setScriptEngine(&m_interpreter);
        ASSERT_TRUE(m_player.load(std::move(movie).value()).ok());
    }

    CharacterId addSquareButton(std::vector<ButtonConditionAction> actions) {
        const CharacterId square =
            m_movie.addRectangle(pixels(0, 0, 20, 20), ShapeBuilder::solidFill(Rgba{255, 0, 0, 255}));
        DefineButtonTag button;
        ButtonRecord record;
        record.states =
            static_cast<std::uint8_t>(ButtonState::Up) | static_cast<std::uint8_t>(ButtonState::HitTest);
        record.characterId = square;
        record.depth = Depth{1};
        button.records = {record};
        button.actions = std::move(actions);
        return m_movie.addButton(button);
    }

    MovieBuilder m_movie{6, pixels(0, 0, 100, 100)};
    TraceLog m_log;
    Interpreter m_interpreter;
    MoviePlayer m_player{nullptr, &m_log};
};

TEST_F(Interaction, buttonConditionActionsTraceInTransitionOrder) {
    const CharacterId button = addSquareButton(
        {traceOn(on(ButtonCondition::IdleToOverUp), "over"),
         traceOn(on(ButtonCondition::OverUpToOverDown), "press"),
         traceOn(on(ButtonCondition::OverDownToOverUp) | on(ButtonCondition::OverUpToIdle), "release or out"),
         traceOn(0, "key a", 'a'), traceOn(0, "enter", 13)});
    m_movie.place(button, Depth{1}, Matrix::translation(twips(10), twips(10))).showFrame();
    load();
    m_player.mouseMove(twips(15), twips(15));
    m_player.mouseDown(twips(15), twips(15));
    m_player.mouseUp(twips(15), twips(15));
    m_player.mouseMove(twips(50), twips(50));
    m_player.keyDown(65, u'a');
    m_player.keyDown(13, u'\r');
    m_player.keyDown(66, u'b');
    EXPECT_EQ(m_log.lines, (Lines{"over", "press", "release or out", "release or out", "key a", "enter"}));
}

TEST_F(Interaction, keyListenersSeeCodesAsciiAndHeldKeys) {
    ActionAssembler body;
    traceCall(body, "Key", "getCode");
    traceCall(body, "Key", "getAscii");
    traceCall(body, "Key", "isDown", {PushValue(65)});
    ActionAssembler upBody;
    upBody.trace("up");
    traceCall(upBody, "Key", "isDown", {PushValue(65)});
    ActionAssembler script;
    script.push({PushValue("listener"), PushValue(0), PushValue("Object")})
        .action(ActionCode::NewObject)
        .setVariable();
    setMethod(script, "listener", "onKeyDown", body);
    setMethod(script, "listener", "onKeyUp", upBody);
    script.push({PushValue("listener")}).getVariable().push({PushValue(1), PushValue("Key")}).getVariable();
    script.pushString("addListener").action(ActionCode::CallMethod).action(ActionCode::Pop);
    m_movie.doAction(script).showFrame();
    load();
    m_player.keyDown(65, u'a');
    m_player.keyUp(65, u'a');
    EXPECT_EQ(m_log.lines, (Lines{"65", "97", "true", "up", "false"}));
}

TEST_F(Interaction, mouseListenersAndTheMousePositionInTheClip) {
    ActionAssembler body;
    body.pushString("_root").getVariable().pushString("_xmouse").action(ActionCode::GetMember).trace();
    body.pushString("_root").getVariable().pushString("_ymouse").action(ActionCode::GetMember).trace();
    ActionAssembler script;
    script.push({PushValue("watcher"), PushValue(0), PushValue("Object")})
        .action(ActionCode::NewObject)
        .setVariable();
    setMethod(script, "watcher", "onMouseDown", body);
    script.push({PushValue("watcher")}).getVariable().push({PushValue(1), PushValue("Mouse")}).getVariable();
    script.pushString("addListener").action(ActionCode::CallMethod).action(ActionCode::Pop);
    traceCall(script, "Mouse", "hide");
    traceCall(script, "Mouse", "show");
    m_movie.doAction(script).showFrame();
    load();
    EXPECT_EQ(m_log.lines, (Lines{"1", "0"}));
    m_log.lines.clear();
    m_player.mouseMove(twips(30), twips(40));
    m_player.mouseDown(twips(30), twips(40));
    EXPECT_EQ(m_log.lines, (Lines{"30", "40"}));
}

TEST_F(Interaction, clipEventsFromPlaceObjectClipActions) {
    TimelineBuilder empty;
    empty.showFrame();
    const CharacterId clip = m_movie.addSprite(empty);
    PlaceObjectTag place;
    place.version = 2;
    place.depth = Depth{1};
    place.characterId = clip;
    PlaceObjectExtras extras;
    ClipActionRecord mouseDown;
    mouseDown.events = static_cast<std::uint32_t>(ClipEvent::MouseDown);
    mouseDown.actions = ActionAssembler().trace("mouseDown").block();
    ClipActionRecord keyUp;
    keyUp.events = static_cast<std::uint32_t>(ClipEvent::KeyUp);
    keyUp.actions = ActionAssembler().trace("keyUp").block();
    ClipActionRecord keyPress;
    keyPress.events = static_cast<std::uint32_t>(ClipEvent::KeyPress);
    keyPress.keyCode = 'x';
    keyPress.actions = ActionAssembler().trace("x pressed").block();
    extras.clipActions = {mouseDown, keyUp, keyPress};
    place.extras = extras;
    m_movie.addTag(place).showFrame();
    load();
    m_player.mouseDown(twips(90), twips(90));
    m_player.mouseUp(twips(90), twips(90));
    m_player.keyDown(88, u'y');
    m_player.keyDown(88, u'x');
    m_player.keyUp(88, u'x');
    EXPECT_EQ(m_log.lines, (Lines{"mouseDown", "x pressed", "keyUp"}));
}

TEST_F(Interaction, aClipWithOnPressTakesTheMouseAndButtonsAnswerScripts) {
    const CharacterId square =
        m_movie.addRectangle(pixels(0, 0, 20, 20), ShapeBuilder::solidFill(Rgba{0, 0, 255, 255}));
    TimelineBuilder inside;
    inside.place(square, Depth{1}).showFrame();
    const CharacterId clip = m_movie.addSprite(inside);
    const CharacterId button =
        addSquareButton({traceOn(on(ButtonCondition::OverUpToOverDown), "button action")});
    ActionAssembler pressBody;
    pressBody.trace("clip pressed");
    ActionAssembler releaseBody;
    releaseBody.trace("button released");
    ActionAssembler script;
    setMethod(script, "box", "onPress", pressBody);
    setMethod(script, "b", "onRelease", releaseBody);
    script.pushString("b").getVariable().action(ActionCode::TypeOf).trace();
    script.pushString("b").getVariable().pushString("_x").action(ActionCode::GetMember).trace();
    script.pushString("b").getVariable().pushString("enabled").action(ActionCode::GetMember).trace();
    m_movie.placeNamed(clip, Depth{1}, "box", Matrix::translation(twips(60), twips(60)))
        .placeNamed(button, Depth{2}, "b", Matrix::translation(twips(10), twips(10)))
        .doAction(script)
        .showFrame();
    load();
    m_player.advanceFrame();
    m_log.lines.clear();
    m_player.mouseMove(twips(65), twips(65));
    m_player.mouseDown(twips(65), twips(65));
    m_player.mouseUp(twips(65), twips(65));
    m_player.mouseMove(twips(15), twips(15));
    m_player.mouseDown(twips(15), twips(15));
    m_player.mouseUp(twips(15), twips(15));
    EXPECT_EQ(m_log.lines, (Lines{"clip pressed", "button action", "button released"}));
}

TEST_F(Interaction, buttonPropertiesForScripts) {
    const CharacterId button = addSquareButton({traceOn(on(ButtonCondition::IdleToOverUp), "over")});
    ActionAssembler script;
    script.pushString("b").getVariable().action(ActionCode::TypeOf).trace();
    script.pushString("b").getVariable().pushString("_x").action(ActionCode::GetMember).trace();
    script.pushString("b").getVariable().pushString("_name").action(ActionCode::GetMember).trace();
    script.pushString("b").getVariable().pushString("enabled").action(ActionCode::GetMember).trace();
    script.pushString("b").getVariable().trace();
    script.pushString("b").getVariable().pushString("enabled").pushBoolean(false).action(
        ActionCode::SetMember);
    m_movie.placeNamed(button, Depth{1}, "b", Matrix::translation(twips(10), twips(10)))
        .doAction(script)
        .showFrame();
    load();
    EXPECT_EQ(m_log.lines, (Lines{"object", "10", "b", "true", "_level0.b"}));
    m_log.lines.clear();
    m_player.mouseMove(twips(15), twips(15)); // disabled by the script: no roll over
    EXPECT_TRUE(m_log.lines.empty());
}

} // namespace
} // namespace kf::swf::avm1::test
