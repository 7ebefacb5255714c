#pragma once

#include <QList>
#include <QString>

#include <cstddef>
#include <optional>

namespace kf {

enum class MenuArrayId { menuplay, mnufile, mnuview, mnupinzi, mnuset, MnuBack, MnuFast, mnuhelp };
inline constexpr std::size_t MenuArrayCount = 8;

// One item of the main window's menu tree, as designed. "-" is a separator.
struct MenuRow {
    MenuArrayId array;
    int index;
    QString caption;
    QString shortcut;
    bool checkable = false;
    bool checked = false;
    bool visible = true;
    bool opensSubmenu = false;
};

// The whole tree in display order. Each array's items hang under one parent item: the
// top-level menus under the menu bar, mnupinzi under mnuview 8, MnuBack and MnuFast under
// mnuset 4 and 5.
const QList<MenuRow>& menuTable();

struct MenuParent {
    MenuArrayId array;
    int index;
};

// The item whose submenu holds the array's items; none for the top-level array.
std::optional<MenuParent> menuParentOf(MenuArrayId array);

} // namespace kf
