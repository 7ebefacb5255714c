#include "platform/ScriptedPlatform.h"

#include "QStringPrinter.h"
#include "RecordingFrmmain.h"
#include "TestApplication.h"

#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

// One line per item: path of captions, shortcut, then "checked" and "hidden" where they apply.
void describe(const QList<QAction*>& actions, const QString& path, QStringList& lines) {
    for (QAction* action : actions) {
        const QString caption = action->isSeparator() ? u"-"_s : action->text();
        QString line = path + caption;
        if (!action->shortcut().isEmpty()) {
            line += u" ["_s + action->shortcut().toString(QKeySequence::PortableText) + u']';
        }
        if (action->isChecked()) {
            line += u" checked"_s;
        }
        if (!action->isVisible()) {
            line += u" hidden"_s;
        }
        lines.append(line);
        if (action->menu()) {
            describe(action->menu()->actions(), path + caption + u" > "_s, lines);
        }
    }
}

const QStringList expectedMenuTree{
    u"文件(&P)"_s,
    u"文件(&P) > 网上地址(&U)"_s,
    u"文件(&P) > 本地文件(&F) [Ctrl+O]"_s,
    u"文件(&P) > 本地目录(&D)"_s,
    u"文件(&P) > 列表导入(&B) [Ctrl+I]"_s,
    u"文件(&P) > 保存列表(&S) [Ctrl+S]"_s,
    u"文件(&P) > 清除列表(&C) [Del]"_s,
    u"文件(&P) > 删除选定(&R)"_s,
    u"文件(&P) > -"_s,
    u"文件(&P) > 关闭(&G) [Ctrl+C]"_s,
    u"文件(&P) > -"_s,
    u"文件(&P) > 退出(&Q) [Ctrl+Q]"_s,
    u"查看(&V)"_s,
    u"查看(&V) > 全部显示(&A)"_s,
    u"查看(&V) > 随窗口大小变化(&C)"_s,
    u"查看(&V) > 缩放至窗口大小(&W) checked"_s,
    u"查看(&V) > -"_s,
    u"查看(&V) > 放大画面(&L)"_s,
    u"查看(&V) > 缩小画面(&S)"_s,
    u"查看(&V) > 全屏显示(&P) [Ctrl+F]"_s,
    u"查看(&V) > -"_s,
    u"查看(&V) > 播放品质(&Q)"_s,
    u"查看(&V) > 播放品质(&Q) > 低分辨率(&L)"_s,
    u"查看(&V) > 播放品质(&Q) > 高分辨率(&H) [Ctrl+H] checked"_s,
    u"查看(&V) > -"_s,
    u"查看(&V) > 动画(&M) [Ctrl+M]"_s,
    u"查看(&V) > 窗口置顶(&T) [Ctrl+T]"_s,
    u"控制(&C)"_s,
    u"控制(&C) > 播放(&P) [Ctrl+P]"_s,
    u"控制(&C) > 暂停(&P) [Ctrl+J]"_s,
    u"控制(&C) > 停止(&S)"_s,
    u"控制(&C) > -"_s,
    u"控制(&C) > 快退(&B)"_s,
    u"控制(&C) > 快退(&B) > &1X [Shift+F1]"_s,
    u"控制(&C) > 快退(&B) > &2X [Shift+F2]"_s,
    u"控制(&C) > 快退(&B) > &3X [Shift+F3]"_s,
    u"控制(&C) > 快进(&F)"_s,
    u"控制(&C) > 快进(&F) > &1X [Ctrl+F1]"_s,
    u"控制(&C) > 快进(&F) > &2X [Ctrl+F2]"_s,
    u"控制(&C) > 快进(&F) > &3x [Ctrl+F3]"_s,
    u"控制(&C) > 转到帧(&G) [Ctrl+G]"_s,
    u"控制(&C) > -"_s,
    u"控制(&C) > 上一个(&U)"_s,
    u"控制(&C) > 下一个(&D) [Ctrl+N]"_s,
    u"控制(&C) > -"_s,
    u"控制(&C) > 单个循环(&L) checked"_s,
    u"控制(&C) > 目录循环(&D)"_s,
    u"控制(&C) > 随机播放(&R)"_s,
    u"控制(&C) > 手动选择(&H)"_s,
    u"控制(&C) > - hidden"_s,
    u"控制(&C) > 退出全屏(&Q) hidden"_s,
    u"帮助(&H)"_s,
    u"帮助(&H) > 帮助主题(&H) [F1]"_s,
    u"帮助(&H) > 官方网站(&W)"_s,
    u"帮助(&H) > 作者网店(&T)"_s,
    u"帮助(&H) > -"_s,
    u"帮助(&H) > 关于(&A)"_s,
};

class MenuTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        ASSERT_TRUE(m_folder.isValid());
        m_frmmain =
            std::make_unique<test::RecordingFrmmain>(m_platform.services(), m_folder.path(), QStringList());
    }

    QTemporaryDir m_folder;
    ScriptedPlatform m_platform;
    std::unique_ptr<test::RecordingFrmmain> m_frmmain;
    test::RecordingFrmmain& window() { return *m_frmmain; }
};

TEST_F(MenuTreeTest, treeMatchesTheDesignedCaptionsShortcutsAndStates) {
    QStringList lines;
    describe(window().menuBar()->actions(), QString(), lines);
    EXPECT_EQ(lines, expectedMenuTree);
}

TEST_F(MenuTreeTest, everyItemIsReachableByArrayAndIndex) {
    const MenuTree& menus = window().menus();
    EXPECT_EQ(menus.array(MenuArrayId::menuplay).count(), 4);
    EXPECT_EQ(menus.array(MenuArrayId::mnufile).count(), 11);
    EXPECT_EQ(menus.array(MenuArrayId::mnuview).count(), 12);
    EXPECT_EQ(menus.array(MenuArrayId::mnupinzi).count(), 2);
    EXPECT_EQ(menus.array(MenuArrayId::mnuset).count(), 17);
    EXPECT_EQ(menus.array(MenuArrayId::MnuBack).count(), 3);
    EXPECT_EQ(menus.array(MenuArrayId::MnuFast).count(), 3);
    EXPECT_EQ(menus.array(MenuArrayId::mnuhelp).count(), 5);
    EXPECT_EQ(menus.item(MenuArrayId::mnuset, 13)->text(), u"随机播放(&R)"_s);
    EXPECT_EQ(menus.item(MenuArrayId::mnuview, 10)->text(), u"动画(&M)"_s);
    EXPECT_EQ(menus.item(MenuArrayId::MnuFast, 2)->text(), u"&3x"_s);
    EXPECT_EQ(menus.submenuOf(MenuArrayId::menuplay, 2)->title(), u"控制(&C)"_s);
    EXPECT_EQ(menus.item(MenuArrayId::mnuset, 20), nullptr);
}

TEST_F(MenuTreeTest, clickReachesTheArraysHandlerAndLeavesCheckMarksToIt) {
    window().menus().item(MenuArrayId::mnuset, 12)->trigger();
    window().menus().item(MenuArrayId::mnuset, 11)->trigger();
    window().menus().item(MenuArrayId::mnuview, 10)->trigger();
    window().menus().item(MenuArrayId::mnuhelp, 2)->trigger();
    EXPECT_EQ(window().calls, (QStringList{u"ControlCommand 12"_s, u"ControlCommand 11"_s,
                                           u"ViewCommand 10"_s, u"HelpCommand 2"_s}));
    // Play modes are the Control menu's to set; a click alone changes no check mark.
    EXPECT_TRUE(window().menus().item(MenuArrayId::mnuset, 11)->isChecked());
    EXPECT_FALSE(window().menus().item(MenuArrayId::mnuset, 12)->isChecked());
}

} // namespace
} // namespace kf
