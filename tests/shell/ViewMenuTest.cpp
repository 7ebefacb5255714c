#include "PlayingWindow.h"
#include "QStringPrinter.h"

#include "player/SwfFlashControl.h"
#include "shell/WindowLayout.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class ViewMenuTest : public test::PlayingWindowTest {
protected:
    QAction* mnuview(int index) { return m_window->menus().item(MenuArrayId::mnuview, index); }
    QAction* mnupinzi(int index) { return m_window->menus().item(MenuArrayId::mnupinzi, index); }
    StageWidget& stage() { return *static_cast<SwfFlashControl&>(player()).stage(); }
    swf::StageView view() { return stage().stageView(QSize(400, 300)); }
    QList<int> checkedScales() {
        QList<int> checked;
        for (int index = 0; index <= 2; ++index) {
            if (mnuview(index)->isChecked()) {
                checked.append(index);
            }
        }
        return checked;
    }
    QRect sharedArea() const {
        return playerArea(m_window->clientArea()->size(), true, m_window->SBar()->height());
    }
};

TEST_F(ViewMenuTest, scaleItemsAreNotTogglesAndReachThePlayerOnlyOnceItExists) {
    EXPECT_EQ(checkedScales(), QList<int>{2});
    mnuview(0)->trigger();
    EXPECT_EQ(checkedScales(), QList<int>{0});
    mnuview(0)->trigger();
    EXPECT_EQ(checkedScales(), QList<int>{0});

    // The choice made before the first load stays only as the check mark.
    m_window->InitSWF(movie(u"scale.swf"_s, 10), true);
    EXPECT_EQ(view().scaleMode, swf::ScaleMode::ShowAll);
    mnuview(2)->trigger();
    EXPECT_EQ(checkedScales(), QList<int>{2});
    EXPECT_EQ(view().scaleMode, swf::ScaleMode::ExactFit);
    mnuview(1)->trigger();
    EXPECT_EQ(view().scaleMode, swf::ScaleMode::NoBorder);
    // Later loads keep the control and with it the mode.
    m_window->InitSWF(movie(u"next.swf"_s, 10), true);
    EXPECT_EQ(view().scaleMode, swf::ScaleMode::NoBorder);
}

TEST_F(ViewMenuTest, zoomCompoundsAndTwoOutsUndoTwoIns) {
    m_window->ViewCommand(4); // without a player: nothing, and nothing breaks
    m_window->InitSWF(movie(u"zoom.swf"_s, 10), true);
    const swf::StageView before = view();
    m_window->ViewCommand(4);
    EXPECT_DOUBLE_EQ(stage().zoom(), 0.5);
    m_window->ViewCommand(4);
    EXPECT_DOUBLE_EQ(stage().zoom(), 0.25);
    m_window->ViewCommand(5);
    EXPECT_DOUBLE_EQ(stage().zoom(), 0.5);
    m_window->ViewCommand(5);
    EXPECT_DOUBLE_EQ(view().zoom, before.zoom);
}

TEST_F(ViewMenuTest, switchingModeTwiceReturnsCaptionListAndPlayer) {
    // Without a player only the caption and the list change.
    m_window->ViewCommand(10);
    EXPECT_EQ(mnuview(10)->text(), u"列表(&M)"_s);
    EXPECT_TRUE(m_window->lvlist()->isHidden());
    m_window->ViewCommand(10);
    EXPECT_EQ(mnuview(10)->text(), u"动画(&M)"_s);
    EXPECT_FALSE(m_window->lvlist()->isHidden());

    m_window->InitSWF(movie(u"mode.swf"_s, 10), true);
    player().Move(QRect(5, 5, 10, 10));
    m_window->ViewCommand(10);
    EXPECT_EQ(mnuview(10)->text(), u"列表(&M)"_s);
    EXPECT_TRUE(m_window->lvlist()->isHidden());
    EXPECT_TRUE(player().Visible());
    EXPECT_EQ(player().rect(), sharedArea());
    m_window->ViewCommand(10);
    EXPECT_EQ(mnuview(10)->text(), u"动画(&M)"_s);
    EXPECT_FALSE(m_window->lvlist()->isHidden());
    EXPECT_FALSE(player().Visible());
    EXPECT_EQ(player().rect(), sharedArea());
}

TEST_F(ViewMenuTest, onlyTheExactListModeCaptionCountsAsListMode) {
    mnuview(10)->setText(u"动画(&m)"_s);
    m_window->ViewCommand(10);
    EXPECT_EQ(mnuview(10)->text(), u"动画(&M)"_s);
    EXPECT_FALSE(m_window->lvlist()->isHidden());
}

TEST_F(ViewMenuTest, onTopTwiceLeavesTheWindowAsItWasAndTheMovieUntouched) {
    m_window->playlist().addPaths({movie(u"top.swf"_s, 100), movie(u"other.swf"_s, 10)});
    playEntry(1);
    player().GotoFrame(33);
    const QRect geometry = m_window->geometry();
    m_window->calls.clear();

    mnuview(11)->trigger();
    EXPECT_TRUE(mnuview(11)->isChecked());
    EXPECT_TRUE(m_platform.windowSystem.isTopMost(*m_window));
    mnuview(11)->trigger();
    EXPECT_FALSE(mnuview(11)->isChecked());
    EXPECT_FALSE(m_platform.windowSystem.isTopMost(*m_window));
    EXPECT_EQ(m_platform.windowSystem.topMostCalls(), (QList<bool>{true, false}));

    EXPECT_EQ(m_window->geometry(), geometry);
    EXPECT_EQ(player().FrameNum(), 33);
    EXPECT_TRUE(player().Playing());
    EXPECT_EQ(m_window->lvlist()->selectedPositions(), QList<int>{1});
    EXPECT_EQ(m_window->calls, (QStringList{u"ViewCommand 11"_s, u"ViewCommand 11"_s}));
}

TEST_F(ViewMenuTest, qualityIsSentAtTheClickAndLowDrawsWithoutAntialiasing) {
    mnupinzi(0)->trigger();
    EXPECT_TRUE(mnupinzi(0)->isChecked());
    EXPECT_FALSE(mnupinzi(1)->isChecked());

    m_window->InitSWF(movie(u"quality.swf"_s, 10), true);
    // The new control starts high whatever the marks say; the click sends it.
    EXPECT_EQ(view().quality, swf::RenderQuality::High);
    m_window->ViewCommand(2);
    stage().resize(333, 211); // a fractional scale puts the box's edges between pixels
    const auto blendedPixels = [this] {
        const QImage image = stage().grab().toImage().convertToFormat(QImage::Format_RGB32);
        int blended = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel != qRgb(255, 0, 0) && pixel != qRgb(0, 0, 255)) {
                    ++blended;
                }
            }
        }
        return blended;
    };
    EXPECT_GT(blendedPixels(), 0);
    mnupinzi(0)->trigger();
    EXPECT_EQ(view().quality, swf::RenderQuality::Low);
    EXPECT_EQ(blendedPixels(), 0);
    mnupinzi(1)->trigger();
    mnupinzi(1)->trigger();
    EXPECT_TRUE(mnupinzi(1)->isChecked());
    EXPECT_FALSE(mnupinzi(0)->isChecked());
    EXPECT_EQ(view().quality, swf::RenderQuality::High);
}

} // namespace
} // namespace kf
