#pragma once

#include "platform/WebBrowserService.h"

namespace kf {

class QtWebBrowserService final : public WebBrowserService {
public:
    bool openAddress(const QString& address) override;
};

} // namespace kf
