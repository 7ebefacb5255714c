#include "player/BrowserNavigator.h"

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace kf {

void BrowserNavigator::getUrl(const std::string& url, const std::string& target) {
    Q_UNUSED(target);
    const QString address = QString::fromUtf8(url.data(), qsizetype(url.size())).trimmed();
    const QUrl parsed(address);
    const QString scheme = parsed.scheme().toLower();
    const bool web = (scheme == u"http"_s || scheme == u"https"_s) && !parsed.host().isEmpty();
    if (web || (scheme == u"mailto"_s && !parsed.path().isEmpty())) {
        m_browser.openAddress(address);
    }
}

void BrowserNavigator::fsCommand(const std::string& command, const std::string& arguments) {
    // The window takes no commands from movies.
    Q_UNUSED(command);
    Q_UNUSED(arguments);
}

} // namespace kf
