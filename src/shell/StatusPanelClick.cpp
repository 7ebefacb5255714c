#include "shell/StatusPanelClick.h"

namespace kf {

void SBar_PanelClick(FrmmainApi& window, int panel) {
    if (panel == 1) {
        window.ViewCommand(10);
    } else if (panel == 2) {
        window.ControlCommand(9);
    }
}

} // namespace kf
