#pragma once

#include "platform/WebBrowserService.h"
#include "swf/runtime/Navigator.h"

namespace kf {

// Where a movie's getURL goes: web pages and mail addresses open in the user's browser.
// Anything else (javascript:, file:, FSCommand) is dropped, so a movie cannot run script in
// the browser or open local files through it.
class BrowserNavigator final : public swf::Navigator {
public:
    explicit BrowserNavigator(WebBrowserService& browser) : m_browser(browser) {}

    void getUrl(const std::string& url, const std::string& target) override;
    void fsCommand(const std::string& command, const std::string& arguments) override;

private:
    WebBrowserService& m_browser;
};

} // namespace kf
