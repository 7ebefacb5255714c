#include "PlayingWindow.h"
#include "QStringPrinter.h"

#include "shell/HelpMenu.h"
#include "shell/WebAddresses.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

using HelpMenuTest = test::PlayingWindowTest;

TEST_F(HelpMenuTest, helpNoticeIsAnInformationBoxTitledHelp) {
    m_window->menus().item(MenuArrayId::mnuhelp, 0)->trigger();
    ASSERT_EQ(m_platform.messageBox.calls().size(), 1);
    const ScriptedMessageBoxService::Call& box = m_platform.messageBox.calls().first();
    EXPECT_EQ(box.title, u"帮助"_s);
    EXPECT_EQ(box.icon, MessageIcon::Information);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    const QStringList lines = box.text.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], u"    感谢你下载并使用本程序，因时间关系，本人未为此程序制作      "_s);
    EXPECT_TRUE(lines[1].startsWith(u"帮助"_s));
    EXPECT_EQ(m_window->menus().item(MenuArrayId::mnuhelp, 0)->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(HelpMenuTest, aboutBoxStartsWithTheVersionedTitleAndEndsWithoutALineBreak) {
    m_window->HelpCommand(4);
    ASSERT_EQ(m_platform.messageBox.calls().size(), 1);
    const ScriptedMessageBoxService::Call& box = m_platform.messageBox.calls().first();
    EXPECT_EQ(box.title, u" 关于..."_s);
    EXPECT_EQ(box.icon, MessageIcon::Information);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_FALSE(box.text.endsWith(u"\r\n"_s));
    const QStringList lines = box.text.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], m_window->state().AppTitle);
    EXPECT_TRUE(lines[0].endsWith(u"V2.00"_s)) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].isEmpty());
    EXPECT_TRUE(lines[5].endsWith(websiteAddress()));
    for (int line = 2; line < 8; ++line) {
        EXPECT_TRUE(lines[line].contains(u'：')) << line; // a label and its value
    }
}

TEST_F(HelpMenuTest, webItemsOpenOurTwoPagesAndTheShopIsTheStartUpPage) {
    const QStringList atStart = m_platform.webBrowser.openedAddresses();
    m_platform.webBrowser.setSucceeds(false); // no browser: nothing is reported
    m_window->HelpCommand(1);
    m_window->HelpCommand(2);
    m_window->HelpCommand(3);
    EXPECT_EQ(m_platform.webBrowser.openedAddresses().mid(atStart.size()),
              (QStringList{websiteAddress(), shopAddress()}));
    EXPECT_EQ(atStart, QStringList{shopAddress()});
    EXPECT_TRUE(m_platform.messageBox.calls().isEmpty());
}

} // namespace
} // namespace kf
