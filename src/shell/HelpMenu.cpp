#include "shell/HelpMenu.h"

#include "shell/WebAddresses.h"

namespace kf {

void HelpMenu::HelpCommand(int Index) {
    switch (Index) {
    case 2: // 作者网店; start-up opens it too. A missing browser is not reported.
        m_webBrowser.openAddress(shopAddress());
        break;
    case 0: // 帮助主题, 官方网站 and 关于 arrive with the Help-menu issue.
    case 1:
    case 4:
    default:
        break;
    }
}

} // namespace kf
