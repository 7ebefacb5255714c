#include "platform/ScriptedPlatform.h"
#include "shell/WebAddresses.h"

#include "QStringPrinter.h"
#include "RecordingFrmmain.h"
#include "TestApplication.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        ASSERT_TRUE(m_folder.isValid());
    }

    void writeFavorites() {
        QFile favorites(m_folder.filePath(u"Favorite.txt"_s));
        ASSERT_TRUE(favorites.open(QIODevice::WriteOnly));
        favorites.write(u"片头\t/媒体/片头.swf\r\nb\thttp://example.org/b.swf\r\n"_s.toUtf8());
    }

    std::unique_ptr<test::RecordingFrmmain> load(const QStringList& arguments) {
        auto window =
            std::make_unique<test::RecordingFrmmain>(m_platform.services(), m_folder.path(), arguments);
        window->Form_Load();
        return window;
    }

    QString mode(Frmmain& window) { return window.menus().item(MenuArrayId::mnuview, 10)->text(); }

    QTemporaryDir m_folder;
    ScriptedPlatform m_platform;
};

TEST_F(StartupTest, withoutCommandLineOrSavedListTheWindowOpensEmptyInListMode) {
    auto window = load({});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->acceptDrops());
    EXPECT_TRUE(window->OldWndProc().isInstalled());
    EXPECT_EQ(window->playlist().rowCount(), 0);
    EXPECT_TRUE(m_platform.messageBox.calls().isEmpty());
    EXPECT_EQ(m_platform.webBrowser.openedAddresses(), QStringList{shopAddress()});
    EXPECT_EQ(window->calls, QStringList{u"HelpCommand 2"_s});
    EXPECT_EQ(mode(*window), u"动画(&M)"_s);
    EXPECT_TRUE(window->lvlist()->isVisible());

    const ProgramState& state = window->state();
    EXPECT_EQ(state.PlayerColors,
              (std::array<QString, 4>{u"0x000000"_s, u"0xCCCCCC"_s, u"0x557722"_s, u"0x000000"_s}));
    EXPECT_EQ(state.AppTitle, u"KorvelFlash播放器 V2.00"_s);
    EXPECT_EQ(state.AppPath, m_folder.path() + u'/');
    EXPECT_EQ(state.CurrentIndex, 0);
    EXPECT_EQ(window->menus().item(MenuArrayId::mnuset, 16)->text(), u"退出全屏(&Q)\tESC"_s);
    EXPECT_EQ(window->windowTitle(), u"Flash播放器V1.0"_s);
}

TEST_F(StartupTest, savedListIsLoadedAndPlayedInShuffleWhenTheUserAgrees) {
    writeFavorites();
    m_platform.messageBox.queueAnswer(MessageAnswer::Ok);
    auto window = load({});

    ASSERT_EQ(window->playlist().rowCount(), 2);
    EXPECT_EQ(window->playlist().entryAt(1).path, u"/媒体/片头.swf"_s);
    ASSERT_EQ(m_platform.messageBox.calls().size(), 1);
    const ScriptedMessageBoxService::Call& question = m_platform.messageBox.calls()[0];
    EXPECT_EQ(question.text, u"要立即播放上次保存的播放列表文件吗？    "_s);
    EXPECT_EQ(question.title, u"提示"_s);
    EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(question.icon, MessageIcon::Information);
    // The question comes after the window is shown and the shop page is opened; the first
    // entry, selected as the list selects it, plays.
    EXPECT_EQ(window->calls,
              (QStringList{u"HelpCommand 2"_s, u"ControlCommand 13"_s, u"lvlist_DblClick"_s,
                           u"ViewCommand 10"_s, u"InitSWF /媒体/片头.swf true"_s, u"ControlCommand 0"_s}));
    EXPECT_TRUE(window->menus().item(MenuArrayId::mnuset, 13)->isChecked());
    EXPECT_FALSE(window->menus().item(MenuArrayId::mnuset, 11)->isChecked());
    EXPECT_EQ(window->state().CurrentIndex, 1);
    ASSERT_NE(window->swfFlash1(), nullptr);
    EXPECT_EQ(window->swfFlash1()->Movie(), u"/媒体/片头.swf"_s);
}

TEST_F(StartupTest, savedListStaysInTheListWhenTheUserDeclines) {
    writeFavorites();
    m_platform.messageBox.queueAnswer(MessageAnswer::Cancel);
    auto window = load({});
    EXPECT_EQ(window->playlist().rowCount(), 2);
    EXPECT_EQ(window->calls, QStringList{u"HelpCommand 2"_s});
    EXPECT_EQ(mode(*window), u"动画(&M)"_s);
}

TEST_F(StartupTest, commandLinePlaysItsPathsAndIgnoresTheSavedList) {
    writeFavorites();
    auto window = load({u"/media/a b.swf"_s, u"http://example.org/c.flv"_s});

    EXPECT_TRUE(m_platform.messageBox.calls().isEmpty());
    ASSERT_EQ(window->playlist().rowCount(), 2);
    EXPECT_EQ(window->playlist().entryAt(1).path, u"/media/a b.swf"_s);
    EXPECT_EQ(window->playlist().entryAt(2).path, u"http://example.org/c.flv"_s);
    EXPECT_EQ(window->calls,
              (QStringList{u"HelpCommand 2"_s, u"InitSWF /media/a b.swf true"_s, u"ControlCommand 0"_s}));
    ASSERT_NE(window->swfFlash1(), nullptr);
    EXPECT_EQ(window->swfFlash1()->Movie(), u"/media/a b.swf"_s);
    EXPECT_TRUE(window->monitor().swftimer().isActive());
    EXPECT_EQ(window->state().CurrentIndex, 0);
    // Animation mode: the list is hidden and the item offers the list.
    EXPECT_EQ(mode(*window), u"列表(&M)"_s);
    EXPECT_FALSE(window->lvlist()->isVisibleTo(window->clientArea()));
}

TEST_F(StartupTest, unloadRemovesTheWindowHookAndSavesNothing) {
    auto window = load({u"/media/a.swf"_s});
    window->close();
    EXPECT_FALSE(window->OldWndProc().isInstalled());
    EXPECT_FALSE(QFile::exists(m_folder.filePath(u"Favorite.txt"_s)));
}

} // namespace
} // namespace kf
