// The player widget's mouse and keys reaching the movie through the Flash control.
#include "player/FlashKeyCodes.h"
#include "player/StageWidget.h"
#include "player/SwfFlashControl.h"

#include "platform/ScriptedClockService.h"
#include "platform/ScriptedWebBrowserService.h"

#include "ApplicationTest.h"
#include "TestMovies.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(FlashKeyCodes, qtKeysMapToFlashCodes) {
    EXPECT_EQ(flashKeyCode(Qt::Key_A, Qt::NoModifier), 65);
    EXPECT_EQ(flashKeyCode(Qt::Key_7, Qt::NoModifier), 55);
    EXPECT_EQ(flashKeyCode(Qt::Key_Exclam, Qt::ShiftModifier), 49);
    EXPECT_EQ(flashKeyCode(Qt::Key_7, Qt::KeypadModifier), 103);
    EXPECT_EQ(flashKeyCode(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(flashKeyCode(Qt::Key_Plus, Qt::NoModifier), 187);
    EXPECT_EQ(flashKeyCode(Qt::Key_Left, Qt::NoModifier), 37);
    EXPECT_EQ(flashKeyCode(Qt::Key_Return, Qt::NoModifier), 13);
    EXPECT_EQ(flashKeyCode(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(flashKeyCode(Qt::Key_F1, Qt::NoModifier), 112);
    EXPECT_EQ(flashKeyCode(Qt::Key_Apostrophe, Qt::NoModifier), 222);
    EXPECT_EQ(flashKeyCode(Qt::Key_Launch0, Qt::NoModifier), 0);
}

// A stopped movie of three frames, stage 200 x 150 px like the control, with a 40 px button
// at (20, 20): a release goes to frame 3, the key "k" to frame 2.
QByteArray buttonMovie() {
    using namespace kf::swf;
    MovieBuilder movie(6, Rect{Twips{0}, Twips{4000}, Twips{0}, Twips{3000}}, 20.0);
    const CharacterId square = movie.addRectangle(Rect{Twips{0}, Twips{800}, Twips{0}, Twips{800}},
                                                  ShapeBuilder::solidFill(Rgba{255, 0, 0, 255}));
    DefineButtonTag button;
    ButtonRecord record;
    record.states =
        static_cast<std::uint8_t>(ButtonState::Up) | static_cast<std::uint8_t>(ButtonState::HitTest);
    record.characterId = square;
    record.depth = Depth{1};
    button.records = {record};
    ButtonConditionAction release;
    release.conditions = static_cast<std::uint16_t>(ButtonCondition::OverDownToOverUp);
    release.actions = ActionAssembler().gotoFrame(2).block();
    ButtonConditionAction key;
    key.keyCode = 'k';
    key.actions = ActionAssembler().gotoFrame(1).block();
    button.actions = {release, key};
    const CharacterId id = movie.addButton(button);
    movie.place(id, Depth{1}, Matrix::translation(400, 400)).doAction(ActionAssembler().stop()).showFrame();
    movie.showFrame().showFrame();
    const std::vector<std::uint8_t> bytes = movie.build();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

class StageInputTest : public test::ApplicationTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_parent.resize(200, 150);
        m_control.Move(QRect(0, 0, 200, 150));
        m_control.setMovie(test::writeFile(QDir(m_folder.path()), u"button.swf"_s, buttonMovie()));
        ASSERT_EQ(m_control.TotalFrames(), 3);
    }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, at, m_control.stage()->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(m_control.stage(), &event);
    }

    void click(QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseMove, at, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, at, button);
        mouse(QEvent::MouseButtonRelease, at, button);
    }

    QTemporaryDir m_folder;
    ScriptedClockService m_clock;
    ScriptedWebBrowserService m_browser;
    QWidget m_parent;
    SwfFlashControl m_control{m_clock, m_browser, &m_parent};
};

TEST_F(StageInputTest, aLeftClickOnTheButtonRunsItsReleaseAction) {
    click(QPointF(5, 5)); // beside the button
    EXPECT_EQ(m_control.CurrentFrame(), 0);
    click(QPointF(30, 30), Qt::RightButton); // the window's button, not the movie's
    EXPECT_EQ(m_control.CurrentFrame(), 0);
    click(QPointF(30, 30));
    EXPECT_EQ(m_control.CurrentFrame(), 2);
    EXPECT_EQ(m_control.stage()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(StageInputTest, keysReachTheButtonsKeyConditions) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, u"k"_s);
    QCoreApplication::sendEvent(m_control.stage(), &press);
    EXPECT_EQ(m_control.CurrentFrame(), 1);
}

TEST_F(StageInputTest, zoomIsUndoneOnTheWayToStageCoordinates) {
    const QPointF centre = m_control.stage()->stagePoint(QPointF(100, 75));
    EXPECT_NEAR(centre.x(), 2000, 1);
    EXPECT_NEAR(centre.y(), 1500, 1);
    m_control.Zoom(50); // twice as large about the centre
    const QPointF corner = m_control.stage()->stagePoint(QPointF(0, 0));
    EXPECT_NEAR(corner.x(), 1000, 1);
    EXPECT_NEAR(corner.y(), 750, 1);
    // (30, 30) on screen is (65, 52.5) px on the stage now, past the button's right edge at
    // 60 px; (10, 10) is (55, 42.5) px, on it.
    click(QPointF(30, 30));
    EXPECT_EQ(m_control.CurrentFrame(), 0);
    click(QPointF(10, 10));
    EXPECT_EQ(m_control.CurrentFrame(), 2);
}

} // namespace
} // namespace kf
