#pragma once

#include "platform/MessageBoxService.h"
#include "platform/WebBrowserService.h"

#include <QString>

namespace kf {

// The Help menu (mnuhelp): help notice, our web site, our shop, About.
class HelpMenu {
public:
    // appTitle is read at each About, so the title built late in start-up is the one shown.
    HelpMenu(WebBrowserService& webBrowser, MessageBoxService& messageBox, const QString& appTitle)
        : m_webBrowser(webBrowser), m_messageBox(messageBox), m_appTitle(appTitle) {}

    void HelpCommand(int Index);

    static QString helpNoticeText();
    // Lines joined by CR LF, with no line end after the last.
    static QString aboutText(const QString& AppTitle);

private:
    WebBrowserService& m_webBrowser;
    MessageBoxService& m_messageBox;
    const QString& m_appTitle;
};

} // namespace kf
