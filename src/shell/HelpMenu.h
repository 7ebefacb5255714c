#pragma once

#include "platform/WebBrowserService.h"

namespace kf {

// The Help menu (mnuhelp): help notice, our web site, our shop, About.
class HelpMenu {
public:
    explicit HelpMenu(WebBrowserService& webBrowser) : m_webBrowser(webBrowser) {}

    void HelpCommand(int Index);

private:
    WebBrowserService& m_webBrowser;
};

} // namespace kf
