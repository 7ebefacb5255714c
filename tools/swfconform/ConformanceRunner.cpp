#include "ConformanceRunner.h"

#include "FeatureSurvey.h"
#include "ImageComparison.h"

#include "swf/avm1/Interpreter.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/Navigator.h"
#include "swf/runtime/PlayerHost.h"
#include "toolsupport/MovieFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>

namespace kf::swf {

namespace {

QString checkCapture(const ImageCapture& capture, const QImage& actual, const QImage& expected) {
    for (const ImageCheck& check : capture.checks) {
        const ImageDifference difference = compareImages(actual, expected, check.tolerance);
        if (!difference.sizesMatch) {
            return QStringLiteral("%1: rendered %2x%3, expected %4x%5")
                .arg(capture.name)
                .arg(actual.width())
                .arg(actual.height())
                .arg(expected.width())
                .arg(expected.height());
        }
        if (difference.outliers > check.maxOutliers) {
            return QStringLiteral("%1: %2 channel values differ by more than %3 (%4 allowed), largest %5")
                .arg(capture.name)
                .arg(difference.outliers)
                .arg(check.tolerance)
                .arg(check.maxOutliers)
                .arg(difference.largestDifference);
        }
    }
    return {};
}

class TraceRecorder : public PlayerHost {
public:
    void toggleQuality() override {}
    void stopSounds() override {}
    void trace(const std::string& line) override {
        // A traced string with line breaks shows as several lines of the log.
        for (const QString& part : QString::fromStdString(line).split(QLatin1Char('\n'))) {
            lines.push_back(part);
        }
    }
    QStringList lines;
};

// The trace tests end themselves with fscommand("quit"): the recording stops there.
class QuitWatcher : public Navigator {
public:
    void getUrl(const std::string&, const std::string&) override {}
    void fsCommand(const std::string& command, const std::string&) override {
        if (command == "quit") {
            quit = true;
        }
    }
    bool quit = false;
};

QStringList readTraceLog(const QString& path, bool& readable) {
    QFile file(path);
    readable = file.open(QIODevice::ReadOnly) && file.size() < 64 * 1024 * 1024;
    if (!readable) {
        return {};
    }
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.pop_back();
    }
    return lines;
}

} // namespace

ConformanceOutcome ConformanceRunner::runTrace(const ConformanceCase& test) {
    ConformanceOutcome outcome;
    bool readable = false;
    const QStringList expected = readTraceLog(test.expectedTracePath, readable);
    if (!readable) {
        outcome.reason = QStringLiteral("cannot read ") + test.expectedTracePath;
        return outcome;
    }
    Result<Movie> movie = readMovieFile(test.moviePath);
    if (!movie) {
        outcome.reason = QString::fromStdString(movie.error().message);
        return outcome;
    }
    TraceRecorder recorder;
    avm1::Interpreter interpreter;
    QuitWatcher quitWatcher;
    MoviePlayer player(&quitWatcher, &recorder);
    player.setScriptEngine(&interpreter);
    if (Status loaded = player.load(std::move(*movie), movieUrl(test.moviePath)); !loaded) {
        outcome.reason = QString::fromStdString(loaded.error().message);
        return outcome;
    }
    for (int shown = 1; shown < test.frames && !quitWatcher.quit; ++shown) {
        player.advanceFrame();
    }
    player.unload();
    const QStringList& actual = recorder.lines;
    for (qsizetype index = 0; index < std::max(actual.size(), expected.size()); ++index) {
        const QString got = index < actual.size() ? actual[index] : QStringLiteral("(end)");
        const QString want = index < expected.size() ? expected[index] : QStringLiteral("(end)");
        if (got != want) {
            outcome.reason = QStringLiteral("trace line %1: got \"%2\", expected \"%3\"")
                                 .arg(index + 1)
                                 .arg(got.left(80), want.left(80));
            return outcome;
        }
    }
    outcome.passed = true;
    return outcome;
}

ConformanceOutcome ConformanceRunner::run(const ConformanceCase& test) {
    ConformanceOutcome outcome;
    if (!test.problem.isEmpty()) {
        outcome.reason = test.problem;
        return outcome;
    }
    if (!test.expectedTracePath.isEmpty()) {
        return runTrace(test);
    }
    Result<Movie> movie = readMovieFile(test.moviePath);
    if (!movie) {
        outcome.reason = QString::fromStdString(movie.error().message);
        return outcome;
    }
    outcome.missing = unsupportedFeatures(*movie);

    std::vector<QImage> expected;
    for (const ImageCapture& capture : test.captures) {
        QImage image(capture.expectedPath);
        if (image.isNull()) {
            outcome.reason = QStringLiteral("cannot read ") + capture.expectedPath;
            return outcome;
        }
        expected.push_back(image.convertToFormat(QImage::Format_ARGB32));
    }

    // Scripted movies draw what their scripts make, so the interpreter plays along.
    avm1::Interpreter interpreter;
    MoviePlayer player;
    player.setScriptEngine(&interpreter);
    if (Status loaded = player.load(std::move(*movie), movieUrl(test.moviePath)); !loaded) {
        outcome.reason = QString::fromStdString(loaded.error().message);
        return outcome;
    }

    QStringList failures;
    std::vector<bool> captured(test.captures.size(), false);
    auto captureWhere = [&](auto&& due) {
        for (std::size_t index = 0; index < test.captures.size(); ++index) {
            const ImageCapture& capture = test.captures[index];
            if (captured[index] || !due(capture)) {
                continue;
            }
            captured[index] = true;
            const QImage actual = m_capture.capture(player, expected[index].size(), test.quality);
            const QString failure = checkCapture(capture, actual, expected[index]);
            if (!failure.isEmpty()) {
                failures.push_back(failure);
                saveFailedImage(test, capture, actual);
            }
        }
    };
    for (int shown = 1; shown <= test.frames; ++shown) {
        if (shown > 1) {
            player.advanceFrame();
        }
        captureWhere([shown](const ImageCapture& capture) { return capture.trigger == shown; });
    }
    captureWhere([](const ImageCapture& capture) { return capture.trigger == 0; });
    for (std::size_t index = 0; index < test.captures.size(); ++index) {
        if (!captured[index]) {
            failures.push_back(test.captures[index].name + QStringLiteral(": its frame is never reached"));
        }
    }

    player.unload();
    outcome.passed = failures.isEmpty();
    outcome.reason = failures.join(QStringLiteral("; "));
    return outcome;
}

void ConformanceRunner::saveFailedImage(const ConformanceCase& test, const ImageCapture& capture,
                                        const QImage& image) const {
    if (m_failedImageFolder.isEmpty()) {
        return;
    }
    QString name = test.name;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    QDir().mkpath(m_failedImageFolder);
    image.save(
        QDir(m_failedImageFolder).filePath(name + QLatin1Char('.') + capture.name + QStringLiteral(".png")));
}

} // namespace kf::swf
