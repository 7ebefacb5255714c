#include "PlayingWindow.h"
#include "QStringPrinter.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

// Writes down the events that get past the hook to the player's widget: what the movie sees.
class MovieSide : public QObject {
public:
    QList<QEvent::Type> seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::ContextMenu:
            seen.append(event->type());
            break;
        default:
            break;
        }
        return false;
    }
};

class PlayerWindowHookTest : public test::PlayingWindowTest {
protected:
    void SetUp() override {
        test::PlayingWindowTest::SetUp();
        m_window->InitSWF(movie(u"keys.swf"_s, 50), true);
        ASSERT_TRUE(m_window->playerWindowHook().isHooked());
        // Behind the hook: the hook is the last filter installed, so it sees events first.
        m_window->playerWindowHook().UnhookPlayerWindow();
        stage()->installEventFilter(&m_movieSide);
        m_window->playerWindowHook().completeAfterLoad(*m_window);
        m_window->calls.clear();
    }

    QWidget* stage() { return player().window(); }
    void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, code, modifiers);
        QCoreApplication::sendEvent(stage(), &press);
        QKeyEvent release(QEvent::KeyRelease, code, modifiers);
        QCoreApplication::sendEvent(stage(), &release);
    }
    void click(Qt::MouseButton button) {
        const QPointF local(20, 20);
        QMouseEvent press(QEvent::MouseButtonPress, local, stage()->mapToGlobal(local), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(stage(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, stage()->mapToGlobal(local), button,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(stage(), &release);
    }
    int fullScreenCalls() const { return int(m_window->calls.filter(u"FullScreenSWF"_s).size()); }
    QMenu* controlMenu() const { return m_window->menus().submenuOf(MenuArrayId::menuplay, 2); }
    const QList<QPointer<QMenu>>& popups() const { return m_platform.windowSystem.popups(); }

    MovieSide m_movieSide;
};

TEST_F(PlayerWindowHookTest, escOutsideFullScreenIsSwallowedAndDoesNothing) {
    m_window->state().StopFlag = 0;
    key(Qt::Key_Escape);
    EXPECT_EQ(fullScreenCalls(), 0);
    EXPECT_FALSE(m_window->state().IsFullScreen);
    EXPECT_TRUE(m_movieSide.seen.isEmpty());
    EXPECT_TRUE(popups().isEmpty());
    EXPECT_EQ(m_window->state().StopFlag, 0);
}

TEST_F(PlayerWindowHookTest, ctrlFTogglesFullScreenAndEscOnlyLeavesIt) {
    key(Qt::Key_F);
    EXPECT_EQ(fullScreenCalls(), 0);
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(m_window->state().IsFullScreen);
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(m_window->state().IsFullScreen);
    key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(m_window->state().IsFullScreen);
    key(Qt::Key_Escape);
    EXPECT_FALSE(m_window->state().IsFullScreen);
    key(Qt::Key_Escape);
    EXPECT_FALSE(m_window->state().IsFullScreen);
    EXPECT_EQ(fullScreenCalls(), 4);
    // Neither a plain F nor any of the others reached the movie, presses or releases.
    EXPECT_TRUE(m_movieSide.seen.isEmpty());
}

TEST_F(PlayerWindowHookTest, theHookClaimsItsKeysBeforeTheWindowsShortcuts) {
    QKeyEvent ctrlF(QEvent::ShortcutOverride, Qt::Key_F, Qt::ControlModifier);
    ctrlF.ignore();
    QCoreApplication::sendEvent(stage(), &ctrlF);
    EXPECT_TRUE(ctrlF.isAccepted());
    QKeyEvent ctrlP(QEvent::ShortcutOverride, Qt::Key_P, Qt::ControlModifier);
    ctrlP.ignore();
    QCoreApplication::sendEvent(stage(), &ctrlP);
    EXPECT_FALSE(ctrlP.isAccepted());
}

TEST_F(PlayerWindowHookTest, otherKeysAndTheLeftButtonReachTheMovie) {
    key(Qt::Key_A);
    key(Qt::Key_Space);
    click(Qt::LeftButton);
    EXPECT_EQ(m_movieSide.seen,
              (QList<QEvent::Type>{QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyPress, QEvent::KeyRelease,
                                   QEvent::MouseButtonPress, QEvent::MouseButtonRelease}));
    EXPECT_TRUE(popups().isEmpty());
}

TEST_F(PlayerWindowHookTest, aRightClickStopsSteppingAndShowsTheControlMenuNotTheMovies) {
    m_window->state().StopFlag = 0;
    click(Qt::RightButton);
    QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(20, 20), stage()->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(stage(), &context);
    EXPECT_EQ(m_window->state().StopFlag, 1);
    ASSERT_EQ(popups().size(), 1);
    EXPECT_EQ(popups().first(), controlMenu());
    EXPECT_TRUE(m_movieSide.seen.isEmpty());
}

TEST_F(PlayerWindowHookTest, theContextMenuKeyShowsTheControlMenuButLeavesStopFlag) {
    m_window->state().StopFlag = 0;
    key(Qt::Key_Menu);
    EXPECT_EQ(m_window->state().StopFlag, 0);
    ASSERT_EQ(popups().size(), 1);
    EXPECT_EQ(popups().first(), controlMenu());
    EXPECT_TRUE(m_movieSide.seen.isEmpty());
}

TEST_F(PlayerWindowHookTest, isInstalledOnceAndRemovedAtUnload) {
    QObject* hooked = m_window->playerWindowHook().PlayerHwnd();
    EXPECT_EQ(hooked, stage());
    m_window->InitSWF(movie(u"second.swf"_s, 10), true);
    EXPECT_EQ(m_window->playerWindowHook().PlayerHwnd(), hooked);

    m_window->Form_Unload();
    EXPECT_FALSE(m_window->playerWindowHook().isHooked());
    EXPECT_EQ(m_window->playerWindowHook().PlayerHwnd(), nullptr);
    key(Qt::Key_Escape);
    EXPECT_EQ(m_movieSide.seen, (QList<QEvent::Type>{QEvent::KeyPress, QEvent::KeyRelease}));
}

} // namespace
} // namespace kf
