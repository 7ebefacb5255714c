#include "controls/ControlMenu.h"

namespace kf {

void ControlMenu::ControlCommand(int Index) {
    // The commands arrive with the Control-menu issue; 3, 4, 5, 7, 10 and 15 stay idle.
    switch (Index) {
    case 0:  // 播放
    case 1:  // 暂停
    case 2:  // 停止
    case 6:  // 转到帧
    case 8:  // 上一个
    case 9:  // 下一个
    case 11: // 单个循环
    case 12: // 目录循环
    case 13: // 随机播放
    case 14: // 手动选择
    case 16: // 退出全屏
    default:
        break;
    }
}

} // namespace kf
