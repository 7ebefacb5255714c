#include "CorpusScanner.h"
#include "ConformanceRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

void writeFile(const QDir& root, const QString& path, const QByteArray& contents) {
    const QString full = root.filePath(path);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(full).path()));
    QFile file(full);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

class CorpusScannerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_root = QDir(m_folder.path());
        writeFile(m_root, QStringLiteral("ruffle/visual/shapes/test.toml"),
                  "num_ticks = 3\n"
                  "[image_comparisons.early]\ntrigger = 2\ntolerance = 4\nmax_outliers = 10\n"
                  "[image_comparisons.\"late.1\"]\n"
                  "[[image_comparisons.\"late.1\".checks]]\ntolerance = 40\n"
                  "[[image_comparisons.\"late.1\".checks]]\ntolerance = 2\n"
                  "[player_options]\nwith_renderer = { optional = true, quality = \"low\" }\n");
        writeFile(m_root, QStringLiteral("ruffle/avm1/trace_only/test.toml"), "num_frames = 1\n");
        writeFile(m_root, QStringLiteral("ruffle/broken/test.toml"), "[image_comparisons.output\n");
        writeFile(m_root, QStringLiteral("swfdec/image/with-reference.swf"), "FWS");
        writeFile(m_root, QStringLiteral("swfdec/image/with-reference.swf.png"), "");
        writeFile(m_root, QStringLiteral("swfdec/image/without-reference.swf"), "FWS");
    }

    QTemporaryDir m_folder;
    QDir m_root;
};

TEST_F(CorpusScannerTest, findsImageTestsOnly) {
    const std::vector<ConformanceCase> cases = CorpusScanner(m_root).scan();
    ASSERT_EQ(cases.size(), 3u);
    EXPECT_EQ(cases[0].name, QStringLiteral("ruffle/broken"));
    EXPECT_FALSE(cases[0].problem.isEmpty())
        << "an unreadable test.toml is a failing test, not a silent skip";
    EXPECT_EQ(cases[1].name, QStringLiteral("ruffle/visual/shapes"));
    EXPECT_EQ(cases[2].name, QStringLiteral("swfdec/image/with-reference.swf"));
}

TEST_F(CorpusScannerTest, readsTomlRunAndCheckSettings) {
    const std::vector<ConformanceCase> cases = CorpusScanner(m_root).scan();
    ASSERT_EQ(cases.size(), 3u);
    const ConformanceCase& shapes = cases[1];
    EXPECT_EQ(shapes.frames, 3);
    EXPECT_EQ(shapes.quality, RenderQuality::Low);
    EXPECT_TRUE(shapes.moviePath.endsWith(QStringLiteral("ruffle/visual/shapes/test.swf")));
    ASSERT_EQ(shapes.captures.size(), 2u);

    const ImageCapture& early = shapes.captures[0];
    EXPECT_EQ(early.trigger, 2);
    EXPECT_TRUE(early.expectedPath.endsWith(QStringLiteral("shapes/early.expected.png")));
    ASSERT_EQ(early.checks.size(), 1u);
    EXPECT_EQ(early.checks[0].tolerance, 4);
    EXPECT_EQ(early.checks[0].maxOutliers, 10);

    const ImageCapture& late = shapes.captures[1];
    EXPECT_EQ(late.trigger, 0) << "no trigger: after the last frame";
    ASSERT_EQ(late.checks.size(), 2u);
    EXPECT_EQ(late.checks[0].tolerance, 40);
    EXPECT_EQ(late.checks[1].tolerance, 2);
}

TEST_F(CorpusScannerTest, imagePairsRunTenFramesWithToleranceThree) {
    const std::vector<ConformanceCase> cases = CorpusScanner(m_root).scan();
    ASSERT_EQ(cases.size(), 3u);
    const ConformanceCase& pair = cases[2];
    EXPECT_EQ(pair.frames, 10);
    ASSERT_EQ(pair.captures.size(), 1u);
    EXPECT_EQ(pair.captures[0].checks[0].tolerance, 3);
    EXPECT_EQ(pair.captures[0].checks[0].maxOutliers, 0);
}

TEST_F(CorpusScannerTest, unreadableMoviesAndTestsFailWithAReason) {
    ConformanceRunner runner;
    for (const ConformanceCase& test : CorpusScanner(m_root).scan()) {
        const ConformanceOutcome outcome = runner.run(test);
        EXPECT_FALSE(outcome.passed) << test.name.toStdString();
        EXPECT_FALSE(outcome.reason.isEmpty()) << test.name.toStdString();
    }
}

} // namespace
} // namespace kf::swf
