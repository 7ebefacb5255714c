// Buttons driven by synthetic mouse and key events through MoviePlayer, with the SWF 3
// actions their conditions run (gotos mark which transition fired).
#include "swf/format/MovieReader.h"
#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/HitTest.h"
#include "swf/runtime/InputDispatcher.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/writer/MovieBuilder.h"

#include <gtest/gtest.h>

namespace kf::swf::test {
namespace {

constexpr std::uint8_t up = static_cast<std::uint8_t>(ButtonState::Up);
constexpr std::uint8_t over = static_cast<std::uint8_t>(ButtonState::Over);
constexpr std::uint8_t down = static_cast<std::uint8_t>(ButtonState::Down);
constexpr std::uint8_t hitState = static_cast<std::uint8_t>(ButtonState::HitTest);

Rect pixels(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

double twips(double pixels) {
    return pixels * 20;
}

ButtonRecord record(std::uint8_t states, CharacterId character, std::uint16_t depth) {
    ButtonRecord result;
    result.states = states;
    result.characterId = character;
    result.depth = Depth{depth};
    return result;
}

// Each condition goes to its own frame of the stopped main timeline.
ButtonConditionAction gotoOn(ButtonCondition condition, std::uint16_t frame) {
    ButtonConditionAction action;
    action.conditions = static_cast<std::uint16_t>(condition);
    action.actions = ActionAssembler().gotoFrame(frame).block();
    return action;
}

enum Frame : std::uint16_t {
    RolledOver = 1,
    Pressed,
    Released,
    RolledOut,
    DraggedOut,
    ReleasedOutside,
    DraggedOver,
    KeyPressed,
    MenuEntered,
    MenuLeft,
    FrameCount
};

class ButtonInput : public ::testing::Test {
protected:
    // A button at (20, 20) px whose up, over and down states are 40 px squares of their own
    // shapes, and whose hit area is only the top-left 20 px of them.
    void buildButton(bool trackAsMenu = false, int count = 1) {
        m_upShape = m_movie.addRectangle(pixels(0, 0, 40, 40), ShapeBuilder::solidFill(Rgba{255, 0, 0, 255}));
        m_overShape =
            m_movie.addRectangle(pixels(0, 0, 40, 40), ShapeBuilder::solidFill(Rgba{0, 255, 0, 255}));
        m_downShape =
            m_movie.addRectangle(pixels(0, 0, 40, 40), ShapeBuilder::solidFill(Rgba{0, 0, 255, 255}));
        m_hitShape = m_movie.addRectangle(pixels(0, 0, 20, 20), ShapeBuilder::solidFill(Rgba{0, 0, 0, 255}));
        DefineButtonTag button;
        button.trackAsMenu = trackAsMenu;
        button.records = {record(up, m_upShape, 1), record(over, m_overShape, 1),
                          record(down, m_downShape, 1), record(hitState, m_hitShape, 2)};
        button.actions = {gotoOn(ButtonCondition::IdleToOverUp, RolledOver),
                          gotoOn(ButtonCondition::OverUpToOverDown, Pressed),
                          gotoOn(ButtonCondition::OverDownToOverUp, Released),
                          gotoOn(ButtonCondition::OverUpToIdle, RolledOut),
                          gotoOn(ButtonCondition::OverDownToOutDown, DraggedOut),
                          gotoOn(ButtonCondition::OutDownToIdle, ReleasedOutside),
                          gotoOn(ButtonCondition::OutDownToOverDown, DraggedOver),
                          gotoOn(ButtonCondition::IdleToOverDown, MenuEntered),
                          gotoOn(ButtonCondition::OverDownToIdle, MenuLeft)};
        ButtonConditionAction key;
        key.keyCode = 'k';
        key.actions = ActionAssembler().gotoFrame(KeyPressed).block();
        button.actions.push_back(key);
        const CharacterId id = m_movie.addButton(button);
        for (int index = 0; index < count; ++index) {
            m_movie.place(id, Depth{static_cast<std::uint16_t>(index + 1)},
                          Matrix::translation(twips(20 + 60 * index), twips(20)));
        }
        m_movie.doAction(ActionAssembler().stop());
        for (int frame = 0; frame < FrameCount; ++frame) {
            m_movie.showFrame();
        }
    }

    void load() {
        Result<Movie> movie = readMovie(m_movie.build());
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        ASSERT_TRUE(m_player.load(std::move(movie.value())).ok());
    }

    ButtonObject* button(int depth = 1) {
        DisplayObject* object = m_player.displayList().at(DisplayDepth{depth});
        return object ? object->asButton() : nullptr;
    }

    // The character the button shows now.
    CharacterId shown(int depth = 1) {
        ButtonObject* object = button(depth);
        if (!object) {
            return CharacterId{};
        }
        const DisplayObject* child = object->children()->at(DisplayDepth{1});
        return child ? child->characterId() : CharacterId{};
    }

    void moveTo(double x, double y) { m_player.mouseMove(twips(x), twips(y)); }

    MovieBuilder m_movie{6, pixels(0, 0, 200, 100)};
    MoviePlayer m_player;
    CharacterId m_upShape, m_overShape, m_downShape, m_hitShape;
};

TEST_F(ButtonInput, showsItsUpStateAndKeepsItsHitAreaOutOfSight) {
    buildButton();
    load();
    ASSERT_NE(button(), nullptr);
    EXPECT_EQ(button()->state(), ButtonObject::State::Up);
    EXPECT_EQ(shown(), m_upShape);
    EXPECT_EQ(button()->children()->objects().size(), 1u);
    EXPECT_EQ(button()->hitArea().objects().size(), 1u);
}

TEST_F(ButtonInput, aSpriteItsStateShowsPlaysOn) {
    TimelineBuilder spinner;
    spinner.place(m_movie.addRectangle(pixels(0, 0, 10, 10), ShapeBuilder::solidFill(Rgba{9, 9, 9, 255})),
                  Depth{1});
    for (int frame = 0; frame < 3; ++frame) {
        spinner.showFrame();
    }
    DefineButtonTag definition;
    definition.records = {record(up, m_movie.addSprite(spinner), 1)};
    m_movie.place(m_movie.addButton(definition), Depth{1});
    m_movie.showFrame();
    load();
    ASSERT_NE(button(), nullptr);
    const DisplayObject* child = button()->children()->at(DisplayDepth{1});
    ASSERT_NE(child, nullptr);
    ASSERT_NE(child->asSprite(), nullptr);
    EXPECT_EQ(child->asSprite()->currentFrame(), 0);
    m_player.advanceFrame();
    m_player.advanceFrame();
    EXPECT_EQ(child->asSprite()->currentFrame(), 2);
}

TEST_F(ButtonInput, rollOverPressReleaseAndRollOut) {
    buildButton();
    load();
    moveTo(25, 25);
    EXPECT_EQ(button()->state(), ButtonObject::State::Over);
    EXPECT_EQ(shown(), m_overShape);
    EXPECT_EQ(m_player.currentFrame(), RolledOver);
    EXPECT_TRUE(m_player.wantsHandCursor());

    m_player.mouseDown(twips(25), twips(25));
    EXPECT_EQ(shown(), m_downShape);
    EXPECT_EQ(m_player.currentFrame(), Pressed);

    m_player.mouseUp(twips(25), twips(25));
    EXPECT_EQ(shown(), m_overShape);
    EXPECT_EQ(m_player.currentFrame(), Released);

    moveTo(150, 80);
    EXPECT_EQ(shown(), m_upShape);
    EXPECT_EQ(m_player.currentFrame(), RolledOut);
    EXPECT_FALSE(m_player.wantsHandCursor());
}

TEST_F(ButtonInput, onlyTheHitAreaCountsNotWhatTheStateShows) {
    buildButton();
    load();
    // Inside the red up square but outside the 20 px hit square.
    moveTo(50, 50);
    EXPECT_EQ(button()->state(), ButtonObject::State::Up);
    EXPECT_EQ(m_player.currentFrame(), 0);
    m_player.mouseDown(twips(50), twips(50));
    EXPECT_EQ(button()->state(), ButtonObject::State::Up);
    // The hit square's far edge, and just past it.
    m_player.mouseUp(twips(50), twips(50));
    moveTo(39.9, 39.9);
    EXPECT_EQ(button()->state(), ButtonObject::State::Over);
    moveTo(40.1, 39.9);
    EXPECT_EQ(button()->state(), ButtonObject::State::Up);
}

TEST_F(ButtonInput, dragOutDragBackAndReleaseOutside) {
    buildButton();
    load();
    moveTo(25, 25);
    m_player.mouseDown(twips(25), twips(25));
    moveTo(150, 80);
    EXPECT_EQ(m_player.currentFrame(), DraggedOut);
    EXPECT_EQ(shown(), m_overShape); // pressed and dragged off: over, not up
    moveTo(30, 30);
    EXPECT_EQ(m_player.currentFrame(), DraggedOver);
    EXPECT_EQ(shown(), m_downShape);
    moveTo(150, 80);
    m_player.mouseUp(twips(150), twips(80));
    EXPECT_EQ(m_player.currentFrame(), ReleasedOutside);
    EXPECT_EQ(shown(), m_upShape);
}

TEST_F(ButtonInput, aPressThatStartsOffTheButtonDoesNotPressIt) {
    buildButton();
    load();
    m_player.mouseDown(twips(150), twips(80));
    moveTo(25, 25);
    EXPECT_EQ(button()->state(), ButtonObject::State::Up);
    m_player.mouseUp(twips(25), twips(25));
    // Released over it: now it is rolled over, and nothing was pressed.
    EXPECT_EQ(button()->state(), ButtonObject::State::Over);
    EXPECT_EQ(m_player.currentFrame(), RolledOver);
}

TEST_F(ButtonInput, trackAsMenuHandsThePressFromButtonToButton) {
    buildButton(true, 2);
    load();
    moveTo(25, 25);
    m_player.mouseDown(twips(25), twips(25));
    EXPECT_EQ(shown(1), m_downShape);
    moveTo(85, 25); // onto the second button, mouse still down
    EXPECT_EQ(shown(1), m_upShape);
    EXPECT_EQ(shown(2), m_downShape);
    EXPECT_EQ(m_player.currentFrame(), MenuEntered);
    m_player.mouseUp(twips(85), twips(25));
    EXPECT_EQ(shown(2), m_overShape);
    EXPECT_EQ(m_player.currentFrame(), Released);
}

TEST_F(ButtonInput, keyConditionsAndDisabledButtons) {
    buildButton();
    load();
    m_player.keyDown('K', u'j');
    EXPECT_EQ(m_player.currentFrame(), 0);
    m_player.keyDown('K', u'k');
    EXPECT_EQ(m_player.currentFrame(), KeyPressed);

    m_player.gotoFrame(0);
    button()->setEnabled(false);
    moveTo(25, 25);
    m_player.keyDown('K', u'k');
    EXPECT_EQ(button()->state(), ButtonObject::State::Up);
    EXPECT_EQ(m_player.currentFrame(), 0);
}

TEST(ButtonKeyCodes, specialKeysAndCharacters) {
    EXPECT_EQ(InputDispatcher::buttonKeyCode(37, 0), 1);  // left
    EXPECT_EQ(InputDispatcher::buttonKeyCode(27, 0), 19); // escape
    EXPECT_EQ(InputDispatcher::buttonKeyCode(13, u'\r'), 13);
    EXPECT_EQ(InputDispatcher::buttonKeyCode(65, u'A'), 'A');
    EXPECT_EQ(InputDispatcher::buttonKeyCode(112, 0), 0);       // F1 has no button code
    EXPECT_EQ(InputDispatcher::buttonKeyCode(0, u'\u00e9'), 0); // beyond ASCII
}

TEST(ShapeHitTest, fillRulesHolesAndStrokes) {
    // A 100 px square with a 40 px square inside it, both edges on fill 1: even-odd makes a
    // hole, non-zero (same direction) does not.
    ShapeBuilder outer(3);
    outer.setFill(ShapeBuilder::solidFill(Rgba{0, 0, 0, 255}))
        .addRectangle(pixels(0, 0, 100, 100))
        .addRectangle(pixels(30, 30, 40, 40));
    DefineShapeTag shape = outer.build(CharacterId{1});
    EXPECT_TRUE(shapeContainsPoint(shape, twips(10), twips(10)));
    EXPECT_FALSE(shapeContainsPoint(shape, twips(50), twips(50)));
    EXPECT_FALSE(shapeContainsPoint(shape, twips(150), twips(50)));
    shape.version = 4;
    shape.usesFillWindingRule = true;
    EXPECT_TRUE(shapeContainsPoint(shape, twips(50), twips(50)));

    // An outline alone: its 4 px line is hit, its inside is not.
    ShapeBuilder ring(3);
    ring.setLine(ShapeBuilder::lineStyle(80, Rgba{0, 0, 0, 255})).addRectangle(pixels(0, 0, 100, 100));
    const DefineShapeTag outline = ring.build(CharacterId{2});
    EXPECT_TRUE(shapeContainsPoint(outline, twips(1.5), twips(50)));
    EXPECT_FALSE(shapeContainsPoint(outline, twips(50), twips(50)));
}

} // namespace
} // namespace kf::swf::test
