#include "shell/MenuTable.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

MenuRow item(MenuArrayId array, int index, const QString& caption, const QString& shortcut = {}) {
    return MenuRow{array, index, caption, shortcut};
}

MenuRow checkItem(MenuArrayId array, int index, const QString& caption, bool checked,
                  const QString& shortcut = {}) {
    MenuRow row = item(array, index, caption, shortcut);
    row.checkable = true;
    row.checked = checked;
    return row;
}

MenuRow submenu(MenuArrayId array, int index, const QString& caption) {
    MenuRow row = item(array, index, caption);
    row.opensSubmenu = true;
    return row;
}

MenuRow hidden(MenuRow row) {
    row.visible = false;
    return row;
}

} // namespace

const QList<MenuRow>& menuTable() {
    using enum MenuArrayId;
    static const QList<MenuRow> rows{
        submenu(menuplay, 0, u"文件(&P)"_s),
        item(mnufile, 0, u"网上地址(&U)"_s),
        item(mnufile, 1, u"本地文件(&F)"_s, u"Ctrl+O"_s),
        item(mnufile, 2, u"本地目录(&D)"_s),
        item(mnufile, 3, u"列表导入(&B)"_s, u"Ctrl+I"_s),
        item(mnufile, 4, u"保存列表(&S)"_s, u"Ctrl+S"_s),
        item(mnufile, 5, u"清除列表(&C)"_s, u"Del"_s),
        item(mnufile, 6, u"删除选定(&R)"_s),
        item(mnufile, 7, u"-"_s),
        item(mnufile, 8, u"关闭(&G)"_s, u"Ctrl+C"_s),
        item(mnufile, 9, u"-"_s),
        item(mnufile, 10, u"退出(&Q)"_s, u"Ctrl+Q"_s),
        submenu(menuplay, 1, u"查看(&V)"_s),
        checkItem(mnuview, 0, u"全部显示(&A)"_s, false),
        checkItem(mnuview, 1, u"随窗口大小变化(&C)"_s, false),
        checkItem(mnuview, 2, u"缩放至窗口大小(&W)"_s, true),
        item(mnuview, 3, u"-"_s),
        item(mnuview, 4, u"放大画面(&L)"_s),
        item(mnuview, 5, u"缩小画面(&S)"_s),
        item(mnuview, 6, u"全屏显示(&P)"_s, u"Ctrl+F"_s),
        item(mnuview, 7, u"-"_s),
        submenu(mnuview, 8, u"播放品质(&Q)"_s),
        checkItem(mnupinzi, 0, u"低分辨率(&L)"_s, false),
        checkItem(mnupinzi, 1, u"高分辨率(&H)"_s, true, u"Ctrl+H"_s),
        item(mnuview, 9, u"-"_s),
        item(mnuview, 10, u"动画(&M)"_s, u"Ctrl+M"_s),
        checkItem(mnuview, 11, u"窗口置顶(&T)"_s, false, u"Ctrl+T"_s),
        submenu(menuplay, 2, u"控制(&C)"_s),
        item(mnuset, 0, u"播放(&P)"_s, u"Ctrl+P"_s),
        item(mnuset, 1, u"暂停(&P)"_s, u"Ctrl+J"_s),
        item(mnuset, 2, u"停止(&S)"_s),
        item(mnuset, 3, u"-"_s),
        submenu(mnuset, 4, u"快退(&B)"_s),
        checkItem(MnuBack, 0, u"&1X"_s, false, u"Shift+F1"_s),
        checkItem(MnuBack, 1, u"&2X"_s, false, u"Shift+F2"_s),
        checkItem(MnuBack, 2, u"&3X"_s, false, u"Shift+F3"_s),
        submenu(mnuset, 5, u"快进(&F)"_s),
        checkItem(MnuFast, 0, u"&1X"_s, false, u"Ctrl+F1"_s),
        checkItem(MnuFast, 1, u"&2X"_s, false, u"Ctrl+F2"_s),
        checkItem(MnuFast, 2, u"&3x"_s, false, u"Ctrl+F3"_s),
        item(mnuset, 6, u"转到帧(&G)"_s, u"Ctrl+G"_s),
        item(mnuset, 7, u"-"_s),
        item(mnuset, 8, u"上一个(&U)"_s),
        item(mnuset, 9, u"下一个(&D)"_s, u"Ctrl+N"_s),
        item(mnuset, 10, u"-"_s),
        checkItem(mnuset, 11, u"单个循环(&L)"_s, true),
        checkItem(mnuset, 12, u"目录循环(&D)"_s, false),
        checkItem(mnuset, 13, u"随机播放(&R)"_s, false),
        checkItem(mnuset, 14, u"手动选择(&H)"_s, false),
        hidden(item(mnuset, 15, u"-"_s)),
        hidden(item(mnuset, 16, u"退出全屏(&Q)"_s)),
        submenu(menuplay, 3, u"帮助(&H)"_s),
        item(mnuhelp, 0, u"帮助主题(&H)"_s, u"F1"_s),
        item(mnuhelp, 1, u"官方网站(&W)"_s),
        item(mnuhelp, 2, u"作者网店(&T)"_s),
        item(mnuhelp, 3, u"-"_s),
        item(mnuhelp, 4, u"关于(&A)"_s),
    };
    return rows;
}

std::optional<MenuParent> menuParentOf(MenuArrayId array) {
    switch (array) {
    case MenuArrayId::menuplay:
        return std::nullopt;
    case MenuArrayId::mnufile:
        return MenuParent{MenuArrayId::menuplay, 0};
    case MenuArrayId::mnuview:
        return MenuParent{MenuArrayId::menuplay, 1};
    case MenuArrayId::mnupinzi:
        return MenuParent{MenuArrayId::mnuview, 8};
    case MenuArrayId::mnuset:
        return MenuParent{MenuArrayId::menuplay, 2};
    case MenuArrayId::MnuBack:
        return MenuParent{MenuArrayId::mnuset, 4};
    case MenuArrayId::MnuFast:
        return MenuParent{MenuArrayId::mnuset, 5};
    case MenuArrayId::mnuhelp:
        return MenuParent{MenuArrayId::menuplay, 3};
    }
    return std::nullopt;
}

} // namespace kf
