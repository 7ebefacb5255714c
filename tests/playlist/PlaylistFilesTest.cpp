#include "playlist/PlaylistFiles.h"

#include "platform/ScriptedMessageBoxService.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class RecordingHost final : public PlaylistHost {
public:
    void InitSWF(const QString& pfile, bool pIsPlay) override { loads.append({pfile, pIsPlay}); }
    void setPlayerMovie(const QString&) override {}
    QList<std::pair<QString, bool>> loads;
};

QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList paths(const PlaylistModel& model) {
    QStringList result;
    for (const PlaylistEntry& entry : model.entries()) {
        result.append(entry.path);
    }
    return result;
}

class PlaylistFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    QString path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    PlaylistModel m_model;
    ScriptedMessageBoxService m_messageBox;
    RecordingHost m_host;
    PlaylistFiles m_files{m_model, m_messageBox, m_host};
};

TEST_F(PlaylistFilesTest, saveAndReloadKeepEveryPathInOrder) {
    const QStringList original{
        u"C:\\a.swf"_s,
        u"C:\\b.flv"_s,
        u"/媒体/动画 片头.swf"_s,
        u"D:\\𠀀\\😀.mp3"_s, // outside the Basic Multilingual Plane
        u"http://example.org/a.swf?x=1&y=2"_s,
    };
    m_model.addPaths(original);
    ASSERT_TRUE(m_files.SaveList(path(u"Favorite.txt"_s)).ok());
    EXPECT_TRUE(m_messageBox.calls().isEmpty());
    const QByteArray bytes = readAll(path(u"Favorite.txt"_s));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.startsWith("a\tC:\\a.swf\r\nb\tC:\\b.flv\r\n"));

    PlaylistModel reloaded;
    PlaylistFiles reader(reloaded, m_messageBox, m_host);
    EXPECT_EQ(reader.LoadList(path(u"Favorite.txt"_s)), original.size());
    EXPECT_EQ(paths(reloaded), original);
    EXPECT_EQ(reloaded.entryAt(3).name, u"动画 片头"_s);
    EXPECT_EQ(reloaded.entryAt(5).number, u"5"_s);
}

TEST_F(PlaylistFilesTest, importAppendsAfterExistingRows) {
    writeFile(path(u"list.txt"_s), "x\tC:\\a.swf\r\ny\tC:\\b.swf\r\n");
    m_model.AddToList(u"first.swf"_s);
    m_files.LoadList(path(u"list.txt"_s));
    m_files.LoadList(path(u"list.txt"_s));
    EXPECT_EQ(paths(m_model),
              (QStringList{u"first.swf"_s, u"C:\\a.swf"_s, u"C:\\b.swf"_s, u"C:\\a.swf"_s, u"C:\\b.swf"_s}));
    EXPECT_EQ(m_model.entryAt(5).number, u"5"_s);
    EXPECT_TRUE(m_host.loads.isEmpty());
}

TEST_F(PlaylistFilesTest, listSavedInTheChineseAnsiCodePageStillLoads) {
    QStringEncoder gb18030("GB18030");
    writeFile(path(u"old.txt"_s),
              gb18030.encode(u"片头\tD:\\动画\\片头.swf\r\n结尾\tD:\\动画\\结尾.flv\r\n"_s));
    EXPECT_EQ(m_files.LoadList(path(u"old.txt"_s)), 2);
    EXPECT_EQ(paths(m_model), (QStringList{u"D:\\动画\\片头.swf"_s, u"D:\\动画\\结尾.flv"_s}));
}

TEST_F(PlaylistFilesTest, whatIsNotAReadablePlaylistAddsNothing) {
    EXPECT_EQ(m_files.LoadList(path(u"missing.txt"_s)), 0);
    EXPECT_EQ(m_files.LoadList(m_folder.path()), 0);

    writeFile(path(u"binary.dat"_s), QByteArray("a\tb\r\n\0\x01\x02\tc\r\n", 14));
    EXPECT_EQ(m_files.LoadList(path(u"binary.dat"_s)), 0);

    QFile huge(path(u"huge.txt"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(PlaylistFiles::MaximumListFileSize + 1));
    huge.close();
    EXPECT_EQ(m_files.LoadList(path(u"huge.txt"_s)), 0);

    // Opening a FIFO for reading would wait for a writer forever.
    const QByteArray fifo = QFile::encodeName(path(u"fifo"_s));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_EQ(m_files.LoadList(path(u"fifo"_s)), 0);

    EXPECT_EQ(m_model.rowCount(), 0);
    EXPECT_TRUE(m_messageBox.calls().isEmpty());
}

TEST_F(PlaylistFilesTest, emptyListWritesAnEmptyFile) {
    writeFile(path(u"Favorite.txt"_s), "old\tC:\\old.swf\r\n");
    ASSERT_TRUE(m_files.SaveList(path(u"Favorite.txt"_s)).ok());
    EXPECT_EQ(readAll(path(u"Favorite.txt"_s)), QByteArray());
}

TEST_F(PlaylistFilesTest, saveIntoReadOnlyFolderKeepsTheOldFileAndTellsTheUser) {
    const QString folder = path(u"locked"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString favorites = folder + u"/Favorite.txt"_s;
    writeFile(favorites, "old\tC:\\old.swf\r\n");
    m_model.AddToList(u"C:\\new.swf"_s);

    const QByteArray folderName = QFile::encodeName(folder);
    ASSERT_EQ(chmod(folderName.constData(), 0555), 0);
    // Root writes anywhere: take the identity of an ordinary user for the save.
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    const Status saved = m_files.SaveList(favorites);
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
    chmod(folderName.constData(), 0755);

    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(readAll(favorites), QByteArray("old\tC:\\old.swf\r\n"));
    ASSERT_EQ(m_messageBox.calls().size(), 1);
    EXPECT_TRUE(m_messageBox.calls()[0].text.contains(QDir::toNativeSeparators(favorites)));
    EXPECT_EQ(m_messageBox.calls()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"Favorite.txt"_s});
}

TEST_F(PlaylistFilesTest, saveOnAFullDiskKeepsTheOldFileAndTellsTheUser) {
    writeFile(path(u"Favorite.txt"_s), "old\tC:\\old.swf\r\n");
    for (int index = 0; index < 100; ++index) {
        m_model.AddToList(u"C:\\movies\\movie-%1.swf"_s.arg(index));
    }
    // A file-size limit makes the write fail the way a full disk does.
    struct rlimit previous {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = previous;
    limited.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Status saved = m_files.SaveList(path(u"Favorite.txt"_s));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(readAll(path(u"Favorite.txt"_s)), QByteArray("old\tC:\\old.swf\r\n"));
    EXPECT_EQ(m_messageBox.calls().size(), 1);
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{u"Favorite.txt"_s});
}

TEST_F(PlaylistFilesTest, addAndPlayAddsEveryLineAndPlaysTheFirst) {
    EXPECT_EQ(m_files.AddAndPlay(u"C:\\a.swf\r\nhttp://example.org/b.swf\r\n/c d.flv"_s), 0);
    EXPECT_EQ(paths(m_model), (QStringList{u"C:\\a.swf"_s, u"http://example.org/b.swf"_s, u"/c d.flv"_s}));
    ASSERT_EQ(m_host.loads.size(), 1);
    EXPECT_EQ(m_host.loads[0].first, u"C:\\a.swf"_s);
    EXPECT_TRUE(m_host.loads[0].second);
}

TEST_F(PlaylistFilesTest, addAndPlayKeepsEmptyPartsButAddsNothingForEmptyText) {
    m_files.AddAndPlay(u"C:\\a.swf\r\n"_s);
    EXPECT_EQ(paths(m_model), (QStringList{u"C:\\a.swf"_s, QString()}));

    PlaylistModel other;
    RecordingHost otherHost;
    PlaylistFiles otherFiles(other, m_messageBox, otherHost);
    EXPECT_EQ(otherFiles.AddAndPlay(QString()), 0);
    EXPECT_EQ(other.rowCount(), 0);
    EXPECT_TRUE(otherHost.loads.isEmpty());
}

} // namespace
} // namespace kf
