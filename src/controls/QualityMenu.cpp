#include "controls/QualityMenu.h"

namespace kf {

void QualityMenu::mnupinzi_Click(int Index) {
    // Sent to the player once it exists (quality issue).
    switch (Index) {
    case 0: // 低分辨率
    case 1: // 高分辨率
    default:
        break;
    }
}

} // namespace kf
