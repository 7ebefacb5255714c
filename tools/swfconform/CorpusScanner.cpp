#include "CorpusScanner.h"

#include "TomlDocument.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>

namespace kf::swf {

namespace {

constexpr int imagePairFrames = 10;
// The swfdec trace logs were recorded over ten advances after the first frame, whatever
// the frame rate.
constexpr int swfdecTraceFrames = 11;
constexpr int imagePairTolerance = 3;
// A test.toml is a few hundred bytes; refuse to read anything unreasonable.
constexpr qint64 maximumTomlSize = 1024 * 1024;

ImageCheck readCheck(const TomlDocument& toml, const TomlPath& path) {
    ImageCheck check;
    TomlPath tolerance = path;
    tolerance.push_back("tolerance");
    TomlPath outliers = path;
    outliers.push_back("max_outliers");
    check.tolerance = static_cast<int>(std::clamp<std::int64_t>(toml.integer(tolerance).value_or(0), 0, 255));
    check.maxOutliers = std::max<std::int64_t>(0, toml.integer(outliers).value_or(0));
    return check;
}

} // namespace

std::vector<ConformanceCase> CorpusScanner::scan() const {
    std::vector<ConformanceCase> cases;
    scanTomlTests(cases);
    scanImagePairs(cases);
    std::sort(cases.begin(), cases.end(), [](const ConformanceCase& left, const ConformanceCase& right) {
        return left.name < right.name;
    });
    return cases;
}

void CorpusScanner::scanTomlTests(std::vector<ConformanceCase>& cases) const {
    const QString root = m_corpus.filePath(QStringLiteral("ruffle"));
    QDirIterator files(root, {QStringLiteral("test.toml")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo toml(files.next());
        const QDir folder = toml.dir();
        const QString name = m_corpus.relativeFilePath(folder.path());
        for (ConformanceCase& found : readTomlCase(folder, name)) {
            cases.push_back(std::move(found));
        }
    }
}

std::vector<ConformanceCase> CorpusScanner::readTomlCase(const QDir& folder, const QString& name) {
    ConformanceCase result;
    result.name = name;
    result.moviePath = folder.filePath(QStringLiteral("test.swf"));

    QFile file(folder.filePath(QStringLiteral("test.toml")));
    if (!file.open(QIODevice::ReadOnly) || file.size() > maximumTomlSize) {
        result.problem = QStringLiteral("cannot read test.toml");
        return {result};
    }
    const QByteArray text = file.readAll();
    Result<TomlDocument> parsed = TomlDocument::parse(std::string_view(text.constData(), text.size()));
    if (!parsed) {
        result.problem = QStringLiteral("test.toml: ") + QString::fromStdString(parsed.error().message);
        return {result};
    }
    const TomlDocument& toml = *parsed;
    const std::vector<std::string> images = toml.childNames({"image_comparisons"});
    if (images.empty()) {
        return {};
    }

    // num_ticks counts frame periods at the movie's rate, which is one frame each.
    const std::int64_t frames =
        toml.integer({"num_frames"}).value_or(toml.integer({"num_ticks"}).value_or(1));
    result.frames = static_cast<int>(std::clamp<std::int64_t>(frames, 1, 100000));
    const std::string quality = toml.string({"player_options", "with_renderer", "quality"}).value_or("high");
    result.quality = quality == "low" ? RenderQuality::Low : RenderQuality::High;

    for (const std::string& image : images) {
        const TomlPath path{"image_comparisons", image};
        ImageCapture capture;
        capture.name = QString::fromStdString(image);
        capture.expectedPath = folder.filePath(capture.name + QStringLiteral(".expected.png"));
        // A number, or "last_frame" (the default).
        capture.trigger = static_cast<int>(std::clamp<std::int64_t>(
            toml.integer({"image_comparisons", image, "trigger"}).value_or(0), 0, 100000));
        const std::vector<std::string> checkIndices = toml.childNames({"image_comparisons", image, "checks"});
        for (const std::string& index : checkIndices) {
            capture.checks.push_back(readCheck(toml, {"image_comparisons", image, "checks", index}));
        }
        if (capture.checks.empty()) {
            capture.checks.push_back(readCheck(toml, path));
        }
        result.captures.push_back(std::move(capture));
    }
    return {result};
}

std::vector<ConformanceCase> CorpusScanner::scanTraceTests() const {
    std::vector<ConformanceCase> cases;
    QDirIterator files(m_corpus.filePath(QStringLiteral("ruffle")), {QStringLiteral("output.txt")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo output(files.next());
        const QDir folder = output.dir();
        if (!folder.exists(QStringLiteral("test.toml"))) {
            continue;
        }
        ConformanceCase result;
        result.name = m_corpus.relativeFilePath(folder.path());
        result.moviePath = folder.filePath(QStringLiteral("test.swf"));
        result.expectedTracePath = output.filePath();
        QFile file(folder.filePath(QStringLiteral("test.toml")));
        if (!file.open(QIODevice::ReadOnly) || file.size() > maximumTomlSize) {
            result.problem = QStringLiteral("cannot read test.toml");
        } else {
            const QByteArray text = file.readAll();
            Result<TomlDocument> parsed =
                TomlDocument::parse(std::string_view(text.constData(), text.size()));
            if (!parsed) {
                result.problem =
                    QStringLiteral("test.toml: ") + QString::fromStdString(parsed.error().message);
            } else {
                const std::int64_t frames =
                    parsed->integer({"num_frames"}).value_or(parsed->integer({"num_ticks"}).value_or(1));
                result.frames = static_cast<int>(std::clamp<std::int64_t>(frames, 1, 100000));
            }
        }
        cases.push_back(std::move(result));
    }
    const QDir traceFolder(m_corpus.filePath(QStringLiteral("swfdec/trace")));
    if (traceFolder.exists()) {
        for (const QString& movie :
             traceFolder.entryList({QStringLiteral("*.swf")}, QDir::Files, QDir::Name)) {
            const QString expected = traceFolder.filePath(movie + QStringLiteral(".trace.txt"));
            if (!QFile::exists(expected)) {
                continue;
            }
            ConformanceCase result;
            result.name = QStringLiteral("swfdec/trace/") + movie;
            result.moviePath = traceFolder.filePath(movie);
            result.frames = swfdecTraceFrames;
            result.expectedTracePath = expected;
            cases.push_back(std::move(result));
        }
    }
    std::sort(cases.begin(), cases.end(), [](const ConformanceCase& left, const ConformanceCase& right) {
        return left.name < right.name;
    });
    return cases;
}

void CorpusScanner::scanImagePairs(std::vector<ConformanceCase>& cases) const {
    const QDir folder(m_corpus.filePath(QStringLiteral("swfdec/image")));
    if (!folder.exists()) {
        return;
    }
    for (const QString& movie : folder.entryList({QStringLiteral("*.swf")}, QDir::Files, QDir::Name)) {
        const QString expected = folder.filePath(movie + QStringLiteral(".png"));
        if (!QFile::exists(expected)) {
            continue;
        }
        ConformanceCase result;
        result.name = QStringLiteral("swfdec/image/") + movie;
        result.moviePath = folder.filePath(movie);
        result.frames = imagePairFrames;
        result.quality = RenderQuality::High;
        result.captures.push_back(ImageCapture{movie, expected, 0, {ImageCheck{imagePairTolerance, 0}}});
        cases.push_back(std::move(result));
    }
}

} // namespace kf::swf
