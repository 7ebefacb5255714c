#pragma once

#include "platform/WebBrowserService.h"

#include <QStringList>

namespace kf {

// Records the addresses instead of starting a browser.
class ScriptedWebBrowserService final : public WebBrowserService {
public:
    bool openAddress(const QString& address) override {
        m_openedAddresses.append(address);
        return m_succeeds;
    }

    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const QStringList& openedAddresses() const { return m_openedAddresses; }

private:
    QStringList m_openedAddresses;
    bool m_succeeds = true;
};

} // namespace kf
