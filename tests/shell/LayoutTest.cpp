#include "platform/ScriptedPlatform.h"
#include "platform/Twips.h"
#include "shell/WindowLayout.h"

#include "QStringPrinter.h"
#include "RecordingFrmmain.h"
#include "TestApplication.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(WindowLayout, areaLeavesRoomForAVisibleStatusBarOnly) {
    EXPECT_EQ(playerArea(QSize(681, 412), true, 24), QRect(0, 0, 681, 388));
    EXPECT_EQ(playerArea(QSize(681, 412), false, 24), QRect(0, 0, 681, 412));
    EXPECT_EQ(playerArea(QSize(681, 10), true, 24).height(), -14);
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        ASSERT_TRUE(m_folder.isValid());
        m_window =
            std::make_unique<test::RecordingFrmmain>(m_platform.services(), m_folder.path(), QStringList());
        m_window->Form_Load();
        QCoreApplication::processEvents();
    }

    void resizeClient(int width, int height) {
        m_window->resize(width, height + m_window->menuBar()->height());
        QCoreApplication::processEvents();
    }

    QTemporaryDir m_folder;
    ScriptedPlatform m_platform;
    std::unique_ptr<test::RecordingFrmmain> m_window;
};

TEST_F(LayoutTest, opensWithTheDesignedClientSize) {
    const QSize client = m_window->clientArea()->size();
    EXPECT_EQ(client.width(), Twips{10215}.toPixels(m_window->logicalDpiX()));
    EXPECT_EQ(client.height(), Twips{6180}.toPixels(m_window->logicalDpiY()));
    EXPECT_EQ(m_window->SBar()->height(), Twips{360}.toPixels(m_window->logicalDpiY()));
}

TEST_F(LayoutTest, listAndLabelShareTheAreaAboveTheStatusBar) {
    resizeClient(800, 500);
    const QSize client = m_window->clientArea()->size();
    const int barHeight = m_window->SBar()->height();
    const QRect expected(0, 0, client.width(), client.height() - barHeight);
    EXPECT_EQ(m_window->lvlist()->geometry(), expected);
    EXPECT_EQ(m_window->LblSWF()->geometry(), expected);
    EXPECT_EQ(m_window->SBar()->geometry(), QRect(0, client.height() - barHeight, client.width(), barHeight));
}

TEST_F(LayoutTest, hiddenStatusBarLetsTheChildrenFillTheClientArea) {
    m_window->SBar()->hide();
    resizeClient(640, 480);
    const QRect whole(QPoint(0, 0), m_window->clientArea()->size());
    EXPECT_EQ(m_window->lvlist()->geometry(), whole);
    EXPECT_EQ(m_window->LblSWF()->geometry(), whole);
}

TEST_F(LayoutTest, nothingMovesWhileMinimisedOrWhenTheClientIsLowerThanTheStatusBar) {
    resizeClient(700, 400);
    const QRect before = m_window->lvlist()->geometry();
    m_window->setWindowState(Qt::WindowMinimized);
    m_window->Form_Resize();
    EXPECT_EQ(m_window->lvlist()->geometry(), before);

    m_window->setWindowState(Qt::WindowNoState);
    m_window->clientArea()->resize(700, m_window->SBar()->height() - 5);
    EXPECT_EQ(m_window->lvlist()->geometry(), before);
    EXPECT_EQ(m_window->LblSWF()->geometry(), before);
}

TEST_F(LayoutTest, panelOneSwitchesTheViewAndPanelTwoPlaysTheNextEntry) {
    StatusBar* bar = m_window->SBar();
    m_window->calls.clear();
    for (int panel = 1; panel <= 4; ++panel) {
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->panelLabel(panel)->geometry().center());
    }
    EXPECT_EQ(m_window->calls, (QStringList{u"ViewCommand 10"_s, u"ControlCommand 9"_s}));
}

} // namespace
} // namespace kf
