#include "controls/QualityMenu.h"

namespace kf {

void QualityMenu::mnupinzi_Click(int Index) {
    // 0 低分辨率, 1 高分辨率: the index is the value the player takes.
    for (int item : {0, 1}) {
        if (QAction* quality = m_mnupinzi.item(item)) {
            quality->setChecked(false);
        }
    }
    if (QAction* chosen = m_mnupinzi.item(Index)) {
        chosen->setChecked(true);
    }
    if (FlashControl* swfFlash1 = m_host.swfFlash1()) {
        swfFlash1->setQuality(Index);
    }
}

} // namespace kf
