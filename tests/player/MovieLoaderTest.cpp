#include "player/MovieLoader.h"
#include "player/SwfFlashControl.h"

#include "platform/ScriptedClockService.h"
#include "platform/ScriptedWebBrowserService.h"

#include "ApplicationTest.h"
#include "TestMovies.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class MovieLoaderTest : public test::ApplicationTest {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    void waitUntil(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    QTemporaryDir m_folder;
};

TEST_F(MovieLoaderTest, aLargeFileIsReadAwayFromTheWindowAndArrivesLater) {
    const QString path = test::writeMovie(QDir(m_folder.path()), u"a.swf"_s, 8);
    MovieLoader loader;
    loader.setInlineReadLimit(0);
    std::optional<int> frames;
    loader.load(path, [&](Result<swf::Movie> movie) { frames = movie ? int(movie->header.frameCount) : -1; });
    EXPECT_FALSE(frames.has_value());
    EXPECT_TRUE(loader.isBusy());
    waitUntil([&] { return frames.has_value(); });
    EXPECT_EQ(frames, 8);
    EXPECT_FALSE(loader.isBusy());
}

TEST_F(MovieLoaderTest, aLoadStartedLaterWinsOverALargeReadStillRunning) {
    const QDir folder(m_folder.path());
    const QString first = test::writeMovie(folder, u"a.swf"_s, 8);
    const QString second = test::writeMovie(folder, u"b.swf"_s, 5);
    MovieLoader loader;
    loader.setInlineReadLimit(0);
    QList<int> arrived;
    const auto record = [&](Result<swf::Movie> movie) {
        arrived.append(movie ? movie->header.frameCount : -1);
    };
    loader.load(first, record);
    loader.load(second, record);
    waitUntil([&] { return !loader.isBusy(); });
    // Give a stale result of the first read time to show up, which it must not.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 100) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(arrived, QList<int>{5});
}

// Nothing a file holds may take the program down: every mutation of a good movie is loaded,
// played and drawn, and the control either shows it or says it cannot.
TEST_F(MovieLoaderTest, damagedMoviesArePlayedOrRefusedButNeverCrash) {
    ScriptedClockService clock;
    ScriptedWebBrowserService browser;
    QWidget parent;
    SwfFlashControl control(clock, browser, &parent);
    control.Move(QRect(0, 0, 80, 60));
    const QByteArray original = test::movieBytes(12);
    QRandomGenerator random(20240601);
    for (int round = 0; round < 150; ++round) {
        QByteArray damaged = original;
        const int changes = 1 + int(random.bounded(6));
        for (int change = 0; change < changes; ++change) {
            const int at = int(random.bounded(qsizetype(damaged.size())));
            damaged[at] = char(random.bounded(256));
        }
        if (round % 10 == 0) {
            damaged.truncate(int(random.bounded(qsizetype(damaged.size()))));
        }
        const QString path = test::writeFile(QDir(m_folder.path()), u"damaged.swf"_s, damaged);
        control.setMovie(path);
        control.Play();
        for (int frame = 0; frame < 15; ++frame) {
            clock.advance(0.05);
            control.runDueFrames();
        }
        control.GotoFrame(5);
        control.window()->grab();
        EXPECT_TRUE(control.TotalFrames() > 0 || !control.errorText().isEmpty()) << round;
    }
}

} // namespace
} // namespace kf
