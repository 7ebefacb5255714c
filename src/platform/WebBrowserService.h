#pragma once

#include <QString>

namespace kf {

// Opens a web address in the user's default browser.
class WebBrowserService {
public:
    virtual ~WebBrowserService() = default;
    virtual bool openAddress(const QString& address) = 0;
};

} // namespace kf
