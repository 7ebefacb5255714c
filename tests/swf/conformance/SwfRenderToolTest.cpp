#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An uncompressed SWF 6 movie of 200x100 pixels, one frame, background #336699.
QByteArray backgroundMovie() {
    QByteArray movie("FWS\x06", 4);
    movie.append(4, '\0'); // file length, set below
    // RECT with 13-bit fields: 0, 4000, 0, 2000 twips.
    const int bits = 13;
    const int values[] = {0, 4000, 0, 2000};
    std::uint64_t packed = static_cast<std::uint64_t>(bits) << (64 - 5);
    int position = 64 - 5;
    for (int value : values) {
        position -= bits;
        packed |= static_cast<std::uint64_t>(value) << position;
    }
    for (int byte = 7; byte >= 0; --byte) {
        movie.append(static_cast<char>((packed >> (byte * 8)) & 0xFF));
    }
    movie.append("\x00\x0C\x01\x00", 4);     // 12 fps, 1 frame
    movie.append("\x43\x02\x33\x66\x99", 5); // SetBackgroundColor
    movie.append("\x40\x00\x00\x00", 4);     // ShowFrame, End
    const auto length = static_cast<std::uint32_t>(movie.size());
    for (int byte = 0; byte < 4; ++byte) {
        movie[4 + byte] = static_cast<char>((length >> (byte * 8)) & 0xFF);
    }
    return movie;
}

struct ToolRun {
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};

ToolRun runSwfRender(const QStringList& arguments, const QString& workingDirectory) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(KF_SWFRENDER_PATH), arguments);
    ToolRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.standardOutput = process.readAllStandardOutput();
    run.standardError = process.readAllStandardError();
    return run;
}

class SwfRenderTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        writeMovie(QStringLiteral("stage.swf"), backgroundMovie());
    }
    void writeMovie(const QString& name, const QByteArray& bytes) {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir m_folder;
};

TEST_F(SwfRenderTool, writesIntoTheWorkingDirectoryByDefault) {
    const ToolRun run = runSwfRender(
        {QStringLiteral("stage.swf"), QStringLiteral("--frames"), QStringLiteral("3")}, m_folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains("version 6, 200x100 px, 12 fps, 1 frame"))
        << run.standardError.toStdString();
    const QImage image(m_folder.filePath(QStringLiteral("stage.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0x33, 0x66, 0x99));
    EXPECT_EQ(image.pixel(199, 99), qRgb(0x33, 0x66, 0x99));
}

TEST_F(SwfRenderTool, sizeAndOutputOptions) {
    const ToolRun run =
        runSwfRender({QStringLiteral("stage.swf"), QStringLiteral("--size"), QStringLiteral("50x25"),
                      QStringLiteral("--quality"), QStringLiteral("low"), QStringLiteral("-o"),
                      QStringLiteral("small.png")},
                     m_folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const QImage image(m_folder.filePath(QStringLiteral("small.png")));
    EXPECT_EQ(image.size(), QSize(50, 25));
    EXPECT_EQ(image.pixel(25, 12), qRgb(0x33, 0x66, 0x99));
}

TEST_F(SwfRenderTool, malformedInputGivesOneLineAndExitCodeOne) {
    const QByteArray movie = backgroundMovie();
    for (qsizetype length : {qsizetype{0}, qsizetype{5}, qsizetype{12}, movie.size() - 6}) {
        writeMovie(QStringLiteral("cut.swf"), movie.left(length));
        const ToolRun run = runSwfRender({QStringLiteral("cut.swf")}, m_folder.path());
        EXPECT_EQ(run.exitCode, 1) << length;
        EXPECT_EQ(run.standardError.count('\n'), 1) << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.startsWith("swfrender: ")) << run.standardError.toStdString();
    }
    const ToolRun missing = runSwfRender({QStringLiteral("absent.swf")}, m_folder.path());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(QFile::exists(m_folder.filePath(QStringLiteral("cut.png"))));
}

TEST_F(SwfRenderTool, badArgumentsExitWithTwo) {
    for (const QStringList& arguments :
         {QStringList{},
          QStringList{QStringLiteral("stage.swf"), QStringLiteral("--frames"), QStringLiteral("0")},
          QStringList{QStringLiteral("stage.swf"), QStringLiteral("--size"), QStringLiteral("10by10")},
          QStringList{QStringLiteral("stage.swf"), QStringLiteral("--quality"), QStringLiteral("best")},
          QStringList{QStringLiteral("stage.swf"), QStringLiteral("--bogus")}}) {
        const ToolRun run = runSwfRender(arguments, m_folder.path());
        EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
    }
    const ToolRun help = runSwfRender({QStringLiteral("--help")}, m_folder.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.standardOutput.contains("--frames N"));
}

} // namespace
