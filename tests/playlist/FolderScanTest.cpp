#include "playlist/FolderScan.h"
#include "playlist/PlaylistView.h"
#include "playlist/ScanSummary.h"

#include "platform/ScriptedPlatform.h"

#include "QStringPrinter.h"
#include "TestApplication.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(ScanSummary, sizeTextRoundsToWholeUnitsWithTheThousandsSeparator) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(scanSizeText(0, c), u"0 Byte"_s);
    EXPECT_EQ(scanSizeText(1023, c), u"1,023 Byte"_s);
    EXPECT_EQ(scanSizeText(1024, c), u"1 KB"_s);
    EXPECT_EQ(scanSizeText(1792, c), u"2 KB"_s);
    EXPECT_EQ(scanSizeText(1048575, c), u"1,024 KB"_s);
    EXPECT_EQ(scanSizeText(1048576, c), u"1 MB"_s);
    // Past 4 GiB the total does not wrap.
    EXPECT_EQ(scanSizeText(quint64(5) << 30, c), u"5,120 MB"_s);
    EXPECT_EQ(scanSizeText(1023, QLocale(QLocale::German, QLocale::Germany)), u"1.023 Byte"_s);
}

TEST(ScanSummary, countsFilesAndHalvesTheTwiceCountedFolders) {
    EXPECT_EQ(scanSummaryText(3, 2, u"2 KB"_s),
              u"共查找到文件：3 个           \r\n查找的目录数：2 个\r\n文件大小总共为：2 KB"_s);
    EXPECT_EQ(scanSummaryText(70000, 140000, u"0 Byte"_s),
              u"共查找到文件：70000 个           \r\n查找的目录数：70001 个\r\n文件大小总共为：0 Byte"_s);
}

class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_lvlist.InitList();
        m_SBar.addPanel(PanelStyle::Text, 96, 96, false);
        m_SBar.addPanel(PanelStyle::Text, 96, 96, true);
    }

    QString root() const { return m_folder.path(); }

    void writeFile(const QString& relativePath, qint64 size = 0) {
        const QString path = m_folder.filePath(relativePath);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));
    }

    void makeFolder(const QString& relativePath) {
        ASSERT_TRUE(QDir().mkpath(m_folder.filePath(relativePath)));
    }

    void link(const QString& target, const QString& relativeLink) {
        ASSERT_TRUE(QFile::link(m_folder.filePath(target), m_folder.filePath(relativeLink)));
    }

    void scan() {
        m_platform.folderDialog.queueAnswer(root());
        m_scan.ScanFolder();
    }

    QStringList relativePaths() const {
        QStringList paths;
        for (const PlaylistEntry& entry : m_model.entries()) {
            paths.append(entry.path.mid(root().size() + 1));
        }
        return paths;
    }

    QString summary() const {
        return m_platform.messageBox.calls().isEmpty() ? QString()
                                                       : m_platform.messageBox.calls().last().text;
    }

    // Widgets below need the application before the fixture's members are built.
    bool m_applicationReady = (test::ensureApplication(), true);
    QTemporaryDir m_folder;
    ScriptedPlatform m_platform;
    PlaylistModel m_model;
    PlaylistView m_lvlist{m_model};
    StatusBar m_SBar{m_platform.clock};
    QString m_AppTitle = u"KorvelFlash播放器 V2.00"_s;
    FolderScan m_scan{m_model, m_lvlist, m_SBar, m_platform.services(), m_AppTitle};
};

TEST_F(FolderScanTest, moviesComeFirstThenVideosEachWalkDepthFirstInNameOrder) {
    writeFile(u"b.swf"_s, 700);
    writeFile(u"A.SWF"_s, 300);
    writeFile(u"note.txt"_s, 5000);
    writeFile(u"sub/c.flv"_s, 24);
    writeFile(u"sub/d.swf"_s);
    writeFile(u"Sub2/片头.Swf"_s);
    writeFile(u".hidden/e.swf"_s);
    writeFile(u"sub/deeper/f.FLV"_s, 1);
    makeFolder(u"empty"_s);
    makeFolder(u"movie.swf"_s); // a folder whose name matches is added like a file

    scan();
    EXPECT_EQ(relativePaths(),
              (QStringList{u"A.SWF"_s, u"b.swf"_s, u"movie.swf"_s, u".hidden/e.swf"_s, u"sub/d.swf"_s,
                           u"Sub2/片头.Swf"_s, u"sub/c.flv"_s, u"sub/deeper/f.FLV"_s}));
    EXPECT_EQ(m_model.entryAt(1).size, u"300"_s);
    EXPECT_EQ(m_model.entryAt(3).size, QString());
    EXPECT_EQ(m_model.entryAt(6).name, u"片头"_s);

    ASSERT_EQ(m_platform.messageBox.calls().size(), 1);
    const ScriptedMessageBoxService::Call& box = m_platform.messageBox.calls()[0];
    // Six subfolders, each counted by both walks; the chosen folder adds one.
    EXPECT_EQ(box.text, scanSummaryText(8, 12, scanSizeText(1025)));
    EXPECT_TRUE(box.text.startsWith(u"共查找到文件：8 个           \r\n查找的目录数：7 个\r\n"_s));
    EXPECT_EQ(box.title, m_AppTitle);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.icon, MessageIcon::Information);

    // The last folder the video walk entered.
    EXPECT_EQ(m_SBar.panelText(2), root() + u"/Sub2/"_s);
    EXPECT_FALSE(m_lvlist.isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FolderScanTest, anEmptyFolderStillGetsItsSummaryAndCancelGetsNone) {
    scan();
    EXPECT_EQ(m_model.count(), 0);
    EXPECT_EQ(summary(), u"共查找到文件：0 个           \r\n查找的目录数：1 个\r\n文件大小总共为：0 Byte"_s);

    m_scan.ScanFolder(); // nothing queued: the dialog is cancelled
    EXPECT_EQ(m_platform.folderDialog.callCount(), 2);
    EXPECT_EQ(m_platform.messageBox.calls().size(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FolderScanTest, linksBackIntoTheTreeAreNotFollowed) {
    writeFile(u"a.swf"_s, 10);
    writeFile(u"sub/b.swf"_s, 20);
    link(u"."_s, u"sub/up"_s);
    link(u"sub"_s, u"again"_s);
    link(u"a.swf"_s, u"linked.swf"_s);

    scan();
    EXPECT_EQ(relativePaths(), (QStringList{u"a.swf"_s, u"linked.swf"_s, u"sub/b.swf"_s}));
    EXPECT_EQ(summary(), scanSummaryText(3, 2, scanSizeText(40)));
}

TEST_F(FolderScanTest, aFolderThatCannotBeReadContributesNothing) {
    // Enough entries in the first folder for a repaint, during which the second one vanishes.
    for (int index = 0; index < FolderScan::EntriesPerPump + 10; ++index) {
        writeFile(u"a/note%1.txt"_s.arg(index));
    }
    writeFile(u"a/x.swf"_s, 3);
    writeFile(u"b/y.swf"_s, 5);
    writeFile(u"c/z.flv"_s, 7);
    m_platform.eventPump.setOnPump([this] { QDir(m_folder.filePath(u"b"_s)).removeRecursively(); });

    scan();
    EXPECT_EQ(relativePaths(), (QStringList{u"a/x.swf"_s, u"c/z.flv"_s}));
    EXPECT_EQ(summary(), scanSummaryText(2, 6, scanSizeText(10)));
}

TEST_F(FolderScanTest, theWindowRepaintsDuringTheScanButNoSecondScanStarts) {
    for (int index = 0; index < 3 * FolderScan::EntriesPerPump; ++index) {
        writeFile(u"folder%1/clip%2.swf"_s.arg(index % 7).arg(index));
    }
    int pumpsWhileBusy = 0;
    m_platform.eventPump.setOnPump([&] {
        const QCursor* cursor = QApplication::overrideCursor();
        if (m_lvlist.isHidden() && cursor && cursor->shape() == Qt::WaitCursor && m_scan.isScanning()) {
            ++pumpsWhileBusy;
        }
        m_platform.folderDialog.queueAnswer(root());
        m_scan.ScanFolder();
    });

    scan();
    EXPECT_GE(pumpsWhileBusy, 2);
    EXPECT_EQ(m_platform.eventPump.inputlessPumpCount(), pumpsWhileBusy);
    // Clicks and keys wait until the scan is over.
    EXPECT_EQ(m_platform.eventPump.pumpCount(), 0);
    EXPECT_EQ(m_platform.folderDialog.callCount(), 1);
    EXPECT_EQ(m_platform.messageBox.calls().size(), 1);
    EXPECT_EQ(m_model.count(), 3 * FolderScan::EntriesPerPump);
}

TEST_F(FolderScanTest, findFilesApiAppendsTheSeparatorToTheCallersPath) {
    writeFile(u"片头.swf"_s, 2);
    QString path = root();
    qint64 FileCount = 0;
    qint64 DirCount = 0;
    EXPECT_EQ(m_scan.FindFilesAPI(path, u"*.SWF"_s, FileCount, DirCount), 2U);
    EXPECT_EQ(path, root() + u'/');
    EXPECT_EQ(FileCount, 1);
    EXPECT_EQ(DirCount, 0);
    EXPECT_EQ(m_model.entryAt(1).path, root() + u"/片头.swf"_s);
    EXPECT_EQ(m_model.entryAt(1).size, u"2"_s);
}

} // namespace
} // namespace kf
