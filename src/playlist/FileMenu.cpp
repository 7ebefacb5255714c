#include "playlist/FileMenu.h"

namespace kf {

void FileMenu::mnufile_Click(int Index) {
    // The items arrive with the issue that brings the dialogs; separators 7 and 9 stay idle.
    switch (Index) {
    case 0:  // 网上地址
    case 1:  // 本地文件
    case 2:  // 本地目录
    case 3:  // 列表导入
    case 4:  // 保存列表
    case 5:  // 清除列表
    case 6:  // 删除选定
    case 8:  // 关闭
    case 10: // 退出
    default:
        break;
    }
}

} // namespace kf
