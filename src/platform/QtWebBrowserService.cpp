#include "platform/QtWebBrowserService.h"

#include <QDesktopServices>
#include <QUrl>

namespace kf {

bool QtWebBrowserService::openAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

} // namespace kf
