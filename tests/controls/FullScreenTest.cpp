#include "PlayingWindow.h"
#include "QStringPrinter.h"

#include <QMenuBar>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

// Full-screen mode on a shown window; the window system's style is the scripted one.
class FullScreenTest : public test::PlayingWindowTest {
protected:
    void settle() {
        for (int pass = 0; pass < 5; ++pass) {
            QCoreApplication::processEvents();
        }
    }
    quint32 style() const { return m_platform.windowSystem.GetWindowLongA(*m_window); }
    bool topMenusVisible() const {
        for (int index = 0; index < 4; ++index) {
            if (!m_window->menus().item(MenuArrayId::menuplay, index)->isVisible()) {
                return false;
            }
        }
        return true;
    }
    bool exitItemsVisible() { return mnuset(15)->isVisible() && mnuset(16)->isVisible(); }
    bool exitItemsHidden() { return !mnuset(15)->isVisible() && !mnuset(16)->isVisible(); }
};

TEST_F(FullScreenTest, aRoundTripRestoresThePlayerRectangleAndTheWindowsFrame) {
    m_window->InitSWF(movie(u"full.swf"_s, 200), true);
    m_window->ViewCommand(10);
    settle();
    player().GotoFrame(40);
    const QRect playerBefore = player().rect();
    const QRect windowBefore = m_window->geometry();
    ASSERT_FALSE(playerBefore.isEmpty());

    m_window->ViewCommand(6);
    settle();
    EXPECT_TRUE(m_window->state().IsFullScreen);
    EXPECT_TRUE(m_window->isFullScreen());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(style() & ScriptedWindowSystemService::FramedStyle, 0u);
    EXPECT_EQ(m_window->fullScreen().SavedPlayerRect(), playerBefore);
    EXPECT_FALSE(topMenusVisible());
    EXPECT_FALSE(m_window->menuBar()->isVisible());
    EXPECT_TRUE(exitItemsVisible());
    EXPECT_TRUE(m_window->SBar()->isHidden());
    // The player covers the whole client area, the status bar's strip included.
    EXPECT_EQ(player().rect(), QRect(QPoint(0, 0), m_window->clientArea()->size()));
    EXPECT_GT(player().rect().height(), playerBefore.height());

    m_window->ControlCommand(16);
    settle();
    EXPECT_FALSE(m_window->state().IsFullScreen);
    EXPECT_FALSE(m_window->isFullScreen());
    EXPECT_EQ(m_window->windowState(), Qt::WindowNoState);
    EXPECT_EQ(style() & ScriptedWindowSystemService::FramedStyle, ScriptedWindowSystemService::FramedStyle);
    EXPECT_EQ(player().rect(), playerBefore);
    EXPECT_EQ(m_window->geometry(), windowBefore);
    EXPECT_TRUE(topMenusVisible());
    EXPECT_TRUE(m_window->menuBar()->isVisible());
    EXPECT_TRUE(exitItemsHidden());
    EXPECT_FALSE(m_window->SBar()->isHidden());
    // The movie went on where it was; full-screen mode never reloads it.
    EXPECT_EQ(player().FrameNum(), 40);
    EXPECT_TRUE(player().Playing());
}

TEST_F(FullScreenTest, withoutAPlayerTheWindowStillChangesMode) {
    m_window->FullScreenSWF();
    settle();
    EXPECT_TRUE(m_window->state().IsFullScreen);
    EXPECT_TRUE(m_window->isFullScreen());
    EXPECT_TRUE(exitItemsVisible());
    m_window->FullScreenSWF();
    settle();
    EXPECT_FALSE(m_window->state().IsFullScreen);
    EXPECT_FALSE(m_window->isFullScreen());
    EXPECT_TRUE(exitItemsHidden());
    EXPECT_EQ(m_window->swfFlash1(), nullptr);
}

TEST_F(FullScreenTest, steppingInFullScreenShowsNoPosition) {
    m_window->InitSWF(movie(u"full.swf"_s, 30), true);
    m_window->FullScreenSWF();
    m_window->SBar()->setPanelText(1, u"before"_s);
    player().StopPlay();
    player().GotoFrame(0);
    m_window->menus().item(MenuArrayId::MnuFast, 2)->trigger();
    EXPECT_EQ(player().FrameNum(), 28);
    EXPECT_EQ(m_window->SBar()->panelText(1), u"before"_s);
}

} // namespace
} // namespace kf
