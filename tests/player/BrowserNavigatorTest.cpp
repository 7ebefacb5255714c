#include "player/BrowserNavigator.h"

#include "platform/ScriptedWebBrowserService.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(BrowserNavigator, webPagesAndMailOpenInTheBrowser) {
    ScriptedWebBrowserService browser;
    BrowserNavigator navigator(browser);
    navigator.getUrl("http://example.org/a", "_blank");
    navigator.getUrl("HTTPS://example.org/b", "");
    navigator.getUrl("mailto:me@example.org", "");
    EXPECT_EQ(browser.openedAddresses(), (QStringList{u"http://example.org/a"_s, u"HTTPS://example.org/b"_s,
                                                      u"mailto:me@example.org"_s}));
}

TEST(BrowserNavigator, scriptsLocalFilesAndCommandsNeverReachTheBrowser) {
    ScriptedWebBrowserService browser;
    BrowserNavigator navigator(browser);
    navigator.getUrl("javascript:alert(1)", "");
    navigator.getUrl(" JavaScript:alert(1)", "");
    navigator.getUrl("file:///etc/passwd", "");
    navigator.getUrl("FSCommand:quit", "");
    navigator.getUrl("http://", "");
    navigator.getUrl("next.swf", "");
    navigator.fsCommand("exec", "rm");
    EXPECT_TRUE(browser.openedAddresses().isEmpty());
}

} // namespace
} // namespace kf
