#include "playlist/FileMenu.h"

#include "platform/ScriptedPlatform.h"

#include "QStringPrinter.h"
#include "TestApplication.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class RecordingHost final : public PlaylistHost {
public:
    void InitSWF(const QString& pfile, bool) override { calls.append(u"InitSWF "_s + pfile); }
    void setPlayerMovie(const QString& Movie) override { calls.append(u"Movie "_s + Movie); }
    QStringList calls;
};

class FileMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_AppPath = m_folder.path() + u'/';
        m_lvlist.InitList();
        m_SBar.addPanel(PanelStyle::Text, 96, 96, false);
        m_SBar.addPanel(PanelStyle::Text, 96, 96, true);
        m_window.show();
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QStringList paths() const {
        QStringList result;
        for (const PlaylistEntry& entry : m_model.entries()) {
            result.append(entry.path);
        }
        return result;
    }

    // Widgets below need the application before the fixture's members are built.
    bool m_applicationReady = (test::ensureApplication(), true);
    QTemporaryDir m_folder;
    ScriptedPlatform m_platform;
    QWidget m_window;
    PlaylistModel m_model;
    PlaylistView m_lvlist{m_model, &m_window};
    StatusBar m_SBar{m_platform.clock, &m_window};
    RecordingHost m_host;
    PlaylistFiles m_files{m_model, m_platform.messageBox, m_host};
    int m_CurrentIndex = 7;
    QString m_AppPath;
    QString m_AppTitle = u"KorvelFlash播放器 V2.00"_s;
    FileMenu m_menu{
        FileMenuParts{m_window, m_lvlist, m_SBar, m_files, m_host, m_CurrentIndex, m_AppPath, m_AppTitle},
        m_platform.services()};
};

TEST_F(FileMenuTest, webAddressIsTakenOnlyWhenItStartsWithHttpExactly) {
    for (const QString& answer :
         {u""_s, u"   "_s, u" http://example.org/a.swf"_s, u"HTTP://example.org/a.swf"_s,
          u"https://example.org/a.swf"_s, u"http:/"_s}) {
        m_platform.inputBox.queueAnswer(answer);
        m_menu.mnufile_Click(0);
    }
    EXPECT_EQ(m_model.count(), 0);
    EXPECT_EQ(m_CurrentIndex, 7);
    ASSERT_FALSE(m_platform.inputBox.calls().isEmpty());
    EXPECT_EQ(m_platform.inputBox.calls()[0].prompt, u"请输入一个网上的FLASH动画地址:"_s);
    EXPECT_EQ(m_platform.inputBox.calls()[0].title, u"地址输入"_s);
    EXPECT_EQ(m_platform.inputBox.calls()[0].defaultText, u"http://"_s);

    // OK without editing adds the bare scheme; the answer is kept as typed, spaces and all.
    m_platform.inputBox.queueAnswer(u"http://"_s);
    m_menu.mnufile_Click(0);
    m_platform.inputBox.queueAnswer(u"http://example.org/clips/b.swf  "_s);
    m_menu.mnufile_Click(0);
    EXPECT_EQ(paths(), (QStringList{u"http://"_s, u"http://example.org/clips/b.swf  "_s}));
    EXPECT_EQ(m_model.entryAt(1).name, QString());
    EXPECT_EQ(m_model.entryAt(1).type, u"未知"_s);
    EXPECT_EQ(m_model.entryAt(1).size, u"未知"_s);
    EXPECT_EQ(m_CurrentIndex, 0);
}

TEST_F(FileMenuTest, localFilesAreAddedInDialogOrderAndCurrentIndexPointsPastThem) {
    m_model.AddToList(u"http://example.org/first.swf"_s);
    m_platform.openFileDialog.queueAnswer({u"/媒体/c.swf"_s, u"/媒体/a.flv"_s, u"/媒体/b.png"_s});
    m_menu.mnufile_Click(1);
    EXPECT_EQ(paths(), (QStringList{u"http://example.org/first.swf"_s, u"/媒体/c.swf"_s, u"/媒体/a.flv"_s,
                                    u"/媒体/b.png"_s}));
    EXPECT_EQ(m_CurrentIndex, 5);
    EXPECT_EQ(m_menu.DialogFiles(), (QStringList{u"/媒体/c.swf"_s, u"/媒体/a.flv"_s, u"/媒体/b.png"_s}));

    const ScriptedOpenFileDialogService::Call& call = m_platform.openFileDialog.calls()[0];
    EXPECT_EQ(call.title, u"打开文件"_s);
    EXPECT_EQ(call.selection, FileSelection::Multiple);
    QStringList filters;
    for (const FileFilter& filter : call.filters) {
        filters.append(filter.description + u'|' + filter.patterns);
    }
    EXPECT_EQ(filters, (QStringList{u"FLASH动画(*.swf)|*.swf"_s, u"FLV视频(*.flv)|*.flv"_s,
                                    u"Mpeg音频(*.mp3;*.mp4)|*.mp3;*.mp4"_s, u"AAC媒体(*.aac)|*.aac"_s,
                                    u"图片文件(*.png;*.jpg;*.jpeg;*.gif)|*.png;*.jpg;*.jpeg;*.gif"_s}));

    m_menu.mnufile_Click(1); // cancelled
    EXPECT_EQ(m_model.count(), 4);
    EXPECT_EQ(m_CurrentIndex, 5);
}

TEST_F(FileMenuTest, importTakesVisibleListFilesOnly) {
    const QByteArray list = "a\t/media/a.swf\r\nb\t/media/b.swf\r\n";
    const QString visible = writeFile(u"list.txt"_s, list);
    const QString hidden = writeFile(u".list.txt"_s, list);
    QDir(m_folder.path()).mkdir(u"folder.txt"_s);

    for (const QString& chosen :
         {hidden, m_folder.filePath(u"folder.txt"_s), m_folder.filePath(u"gone.txt"_s)}) {
        m_platform.openFileDialog.queueAnswer({chosen});
        m_menu.mnufile_Click(3);
    }
    EXPECT_EQ(m_model.count(), 0);

    m_platform.openFileDialog.queueAnswer({visible});
    m_menu.mnufile_Click(3);
    EXPECT_EQ(paths(), (QStringList{u"/media/a.swf"_s, u"/media/b.swf"_s}));
    EXPECT_EQ(m_CurrentIndex, 7);
    const ScriptedOpenFileDialogService::Call& call = m_platform.openFileDialog.calls().last();
    EXPECT_EQ(call.selection, FileSelection::Single);
    ASSERT_EQ(call.filters.size(), 1);
    EXPECT_EQ(call.filters[0].description, u"文本文件(*.txt;*.ini)"_s);
    EXPECT_EQ(call.filters[0].patterns, u"*.txt;*.ini"_s);
}

TEST_F(FileMenuTest, saveWritesFavoritesBesideTheProgramWithoutAsking) {
    m_model.addPaths({u"/media/a.swf"_s, u"http://example.org/b.flv"_s});
    m_menu.mnufile_Click(4);
    QFile favorites(m_AppPath + u"Favorite.txt"_s);
    ASSERT_TRUE(favorites.open(QIODevice::ReadOnly));
    EXPECT_EQ(favorites.readAll(), QByteArray("a\t/media/a.swf\r\nb\thttp://example.org/b.flv\r\n"));
    EXPECT_TRUE(m_platform.messageBox.calls().isEmpty());
    EXPECT_TRUE(m_platform.openFileDialog.calls().isEmpty());
}

TEST_F(FileMenuTest, folderScanShowsTheWaitingTextOnlyWhileItRuns) {
    QString duringScan;
    m_platform.folderDialog.queueAnswer(m_folder.path());
    writeFile(u"a.swf"_s, "FWS");
    m_menu.mnufile_Click(2);
    EXPECT_EQ(m_model.count(), 1);
    EXPECT_EQ(m_SBar.panelText(2), QString());

    // Cancelled: the waiting text comes and goes all the same.
    m_SBar.setPanelText(2, u"当前正在播放: x"_s);
    m_menu.mnufile_Click(2);
    EXPECT_EQ(m_SBar.panelText(2), QString());

    // With the status bar hidden the panel is left alone.
    m_SBar.hide();
    m_SBar.setPanelText(2, u"当前正在播放: x"_s);
    m_menu.mnufile_Click(2);
    EXPECT_EQ(m_SBar.panelText(2), u"当前正在播放: x"_s);
}

TEST_F(FileMenuTest, closeHandsTheBlankAddressToThePlayerAndQuitClosesTheWindow) {
    m_model.AddToList(u"/media/a.swf"_s);
    m_menu.mnufile_Click(8);
    EXPECT_EQ(m_host.calls, QStringList{u"Movie http://"_s});
    EXPECT_EQ(m_model.count(), 1);
    EXPECT_EQ(m_CurrentIndex, 7);

    m_menu.mnufile_Click(7);
    m_menu.mnufile_Click(9);
    EXPECT_TRUE(m_window.isVisible());
    m_menu.mnufile_Click(10);
    EXPECT_FALSE(m_window.isVisible());
}

} // namespace
} // namespace kf
