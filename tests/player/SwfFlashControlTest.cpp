#include "player/SwfFlashControl.h"

#include "platform/ScriptedClockService.h"
#include "platform/ScriptedWebBrowserService.h"

#include "ApplicationTest.h"
#include "QStringPrinter.h"
#include "TestMovies.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class SwfFlashControlTest : public test::ApplicationTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_parent.resize(200, 150);
        m_control.Move(QRect(0, 0, 200, 150));
    }

    QString movie(const QString& name, int frames) {
        return test::writeMovie(QDir(m_folder.path()), name, frames);
    }

    // Moves the scripted clock on in steps of the given length, running the frames due at each.
    void run(int steps, double seconds = 0.05) {
        for (int step = 0; step < steps; ++step) {
            m_clock.advance(seconds);
            m_control.runDueFrames();
        }
    }

    QRgb pixel(int x, int y) { return m_control.window()->grab().toImage().pixel(x, y); }

    QTemporaryDir m_folder;
    ScriptedClockService m_clock;
    ScriptedWebBrowserService m_browser;
    QWidget m_parent;
    SwfFlashControl m_control{m_clock, m_browser, &m_parent};
};

TEST_F(SwfFlashControlTest, aLocalMovieIsReadyAtOnceAndMovesOnlyWithTheClock) {
    const QString path = movie(u"a.swf"_s, 10);
    m_control.setMovie(path);
    EXPECT_EQ(m_control.Movie(), path);
    EXPECT_EQ(m_control.TotalFrames(), 10);
    EXPECT_EQ(m_control.FrameNum(), 0);
    EXPECT_TRUE(m_control.Playing());
    EXPECT_FALSE(m_control.isLoading());

    m_control.runDueFrames();
    EXPECT_EQ(m_control.FrameNum(), 0);
    run(1); // one period at 20 fps
    EXPECT_EQ(m_control.FrameNum(), 1);
    run(1, 0.12);
    EXPECT_EQ(m_control.FrameNum(), 3);
    EXPECT_EQ(m_control.CurrentFrame(), 3);
}

TEST_F(SwfFlashControlTest, loopingWrapsAndWithoutLoopTheMovieStopsOnItsLastFrame) {
    m_control.setMovie(movie(u"a.swf"_s, 6));
    run(7);
    EXPECT_EQ(m_control.FrameNum(), 1);
    EXPECT_TRUE(m_control.Playing());

    m_control.setLoop(false);
    run(10);
    EXPECT_EQ(m_control.FrameNum(), 5);
    EXPECT_FALSE(m_control.Playing());
    run(10);
    EXPECT_EQ(m_control.FrameNum(), 5);
}

TEST_F(SwfFlashControlTest, stopHaltsTheFramesAndPlayResumesWhereItStopped) {
    m_control.setMovie(movie(u"a.swf"_s, 100));
    run(4);
    m_control.StopPlay();
    EXPECT_FALSE(m_control.Playing());
    run(20);
    EXPECT_EQ(m_control.FrameNum(), 4);
    m_control.Play();
    run(2);
    EXPECT_EQ(m_control.FrameNum(), 6);
    m_control.Stop();
    m_control.Rewind();
    EXPECT_EQ(m_control.FrameNum(), 0);
    EXPECT_FALSE(m_control.Playing());
}

TEST_F(SwfFlashControlTest, aClockFarBehindCatchesUpOnlyAFewFrames) {
    m_control.setMovie(movie(u"a.swf"_s, 100));
    run(1, 10.0);
    EXPECT_EQ(m_control.FrameNum(), FrameClock::MaximumCatchUp);
}

TEST_F(SwfFlashControlTest, gotoFrameAndFrameNumStayWithinTheMovie) {
    m_control.setMovie(movie(u"a.swf"_s, 10));
    m_control.GotoFrame(7);
    EXPECT_EQ(m_control.FrameNum(), 7);
    m_control.GotoFrame(100);
    EXPECT_EQ(m_control.FrameNum(), 9);
    m_control.setFrameNum(-3);
    EXPECT_EQ(m_control.FrameNum(), 0);
    m_control.setFrameNum(12);
    EXPECT_EQ(m_control.FrameNum(), 9);
}

TEST_F(SwfFlashControlTest, filesThatAreNotMoviesLeaveNoMovieAndSaySo) {
    const QDir folder(m_folder.path());
    QByteArray truncated = test::movieBytes(10);
    truncated.truncate(40);
    const QString cases[] = {
        folder.filePath(u"missing.swf"_s),
        folder.filePath(u"#1 100%.swf"_s),
        test::writeFile(folder, u"text.swf"_s, "just some text, not a movie"),
        test::writeFile(folder, u"cut.swf"_s, truncated),
        test::writeFile(folder, u"empty.swf"_s, QByteArray()),
    };
    for (const QString& path : cases) {
        m_control.setMovie(movie(u"good.swf"_s, 10));
        m_control.setMovie(path);
        EXPECT_EQ(m_control.Movie(), path);
        EXPECT_EQ(m_control.TotalFrames(), 0) << path.toStdString();
        EXPECT_EQ(m_control.FrameNum(), 0);
        EXPECT_FALSE(m_control.Playing());
        EXPECT_TRUE(m_control.errorText().contains(QFileInfo(path).fileName())) << path.toStdString();
        m_control.Play();
        m_control.GotoFrame(3);
        run(3);
        EXPECT_FALSE(m_control.Playing());
    }
    m_control.setMovie(movie(u"good.swf"_s, 10));
    EXPECT_TRUE(m_control.errorText().isEmpty());
    EXPECT_EQ(m_control.TotalFrames(), 10);
}

TEST_F(SwfFlashControlTest, closingWithAnAddressWithoutServerShowsNothing) {
    m_control.setMovie(movie(u"a.swf"_s, 10));
    m_control.setMovie(u"http://"_s);
    EXPECT_EQ(m_control.Movie(), u"http://"_s);
    EXPECT_EQ(m_control.TotalFrames(), 0);
    EXPECT_FALSE(m_control.Playing());
    EXPECT_FALSE(m_control.isLoading());
    EXPECT_TRUE(m_control.errorText().isEmpty());

    m_control.setMovie(u"http:///a.swf"_s);
    EXPECT_FALSE(m_control.isLoading());
    EXPECT_FALSE(m_control.errorText().isEmpty());
}

TEST_F(SwfFlashControlTest, theStageIsDrawnWithTheMoviesOrTheChosenBackground) {
    m_control.setMovie(movie(u"a.swf"_s, 10));
    // The test movie's stage is 200 x 150 pixels, as large as the control: a red square at
    // the top left on blue.
    EXPECT_EQ(pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(100, 75), qRgb(0, 0, 255));
    m_control.setBackgroundColor(0x00FF00);
    EXPECT_EQ(pixel(100, 75), qRgb(0, 255, 0));
    m_control.setBackgroundColor(-1);
    EXPECT_EQ(pixel(100, 75), qRgb(0, 0, 255));
}

TEST_F(SwfFlashControlTest, zoomShowsHalfOrTwiceTheAreaButNeverMoreThanTheMovie) {
    m_control.setMovie(movie(u"a.swf"_s, 10));
    m_control.Zoom(50);
    EXPECT_DOUBLE_EQ(m_control.stage()->zoom(), 0.5);
    // Zoomed in about the centre, the red square (a tenth of the width) leaves the corner.
    EXPECT_EQ(pixel(5, 5), qRgb(0, 0, 255));
    m_control.Zoom(50);
    EXPECT_DOUBLE_EQ(m_control.stage()->zoom(), 0.25);
    m_control.Zoom(200);
    EXPECT_DOUBLE_EQ(m_control.stage()->zoom(), 0.5);
    m_control.Zoom(0);
    EXPECT_DOUBLE_EQ(m_control.stage()->zoom(), 1.0);
    m_control.Zoom(200);
    EXPECT_DOUBLE_EQ(m_control.stage()->zoom(), 1.0);
    EXPECT_EQ(pixel(5, 5), qRgb(255, 0, 0));
}

} // namespace
} // namespace kf
