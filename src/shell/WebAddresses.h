#pragma once

#include <QString>

namespace kf {

// Our own pages, opened from the Help menu and at start-up; the About box names the web site.
inline QString shopAddress() {
    return QStringLiteral("https://korvelflash.example/shop");
}

inline QString websiteAddress() {
    return QStringLiteral("https://korvelflash.example/");
}

} // namespace kf
