#include "shell/ViewMenu.h"

namespace kf {

void ViewMenu::ViewCommand(int Index) {
    // The commands arrive with the View-menu issue; separators 3, 7, 9 and the submenu 8 stay idle.
    switch (Index) {
    case 0:  // 全部显示
    case 1:  // 随窗口大小变化
    case 2:  // 缩放至窗口大小
    case 4:  // 放大画面
    case 5:  // 缩小画面
    case 6:  // 全屏显示
    case 10: // 动画 / 列表
    case 11: // 窗口置顶
    default:
        break;
    }
}

} // namespace kf
