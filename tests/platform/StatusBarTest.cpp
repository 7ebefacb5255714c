#include "platform/StatusBar.h"
#include "QStringPrinter.h"
#include "TestApplication.h"
#include "platform/ScriptedClockService.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        m_clock.setDateTime(QDateTime(QDate(2013, 12, 30), QTime(23, 8, 59)));
        m_bar = std::make_unique<StatusBar>(m_clock);
        m_bar->addPanel(PanelStyle::Text, 96, 96, false);
        m_bar->addPanel(PanelStyle::Text, 429, 96, true);
        m_bar->addPanel(PanelStyle::Date, 80, 80, false);
        m_bar->addPanel(PanelStyle::Time, 67, 67, false);
        m_bar->resize(800, 24);
        m_bar->show();
        QCoreApplication::processEvents();
    }

    ScriptedClockService m_clock;
    std::unique_ptr<StatusBar> m_bar;
};

TEST_F(StatusBarTest, clockPanelsShowDateAndTimeAndFollowTheClock) {
    EXPECT_EQ(m_bar->panelText(3), u"2013-12-30"_s);
    EXPECT_EQ(m_bar->panelText(4), u"23:08"_s);
    m_clock.advance(61.0 * 60.0); // past midnight
    m_bar->refreshClockPanels();
    EXPECT_EQ(m_bar->panelText(3), u"2013-12-31"_s);
    EXPECT_EQ(m_bar->panelText(4), u"00:09"_s);
}

TEST_F(StatusBarTest, textPanelsAreNumberedFromOneAndOnlyTheSecondStretches) {
    m_bar->setPanelText(1, u"0/240"_s);
    m_bar->setPanelText(2, u"当前正在播放: a.swf"_s);
    m_bar->setPanelText(5, u"ignored"_s);
    EXPECT_EQ(m_bar->panelText(1), u"0/240"_s);
    EXPECT_EQ(m_bar->panelText(2), u"当前正在播放: a.swf"_s);
    EXPECT_EQ(m_bar->panelText(0), QString());
    EXPECT_EQ(m_bar->panelLabel(1)->width(), 96);
    EXPECT_GT(m_bar->panelLabel(2)->width(), 429);
}

TEST_F(StatusBarTest, aClickReportsThePanelUnderTheMouse) {
    QSignalSpy clicks(m_bar.get(), &StatusBar::panelClicked);
    for (int panel = 1; panel <= 4; ++panel) {
        const QPoint centre = m_bar->panelLabel(panel)->geometry().center();
        QTest::mouseClick(m_bar.get(), Qt::LeftButton, Qt::NoModifier, centre);
    }
    ASSERT_EQ(clicks.size(), 4);
    for (int panel = 1; panel <= 4; ++panel) {
        EXPECT_EQ(clicks[panel - 1][0].toInt(), panel);
    }
}

} // namespace
} // namespace kf
