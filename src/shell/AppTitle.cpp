#include "shell/AppTitle.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

QString makeAppTitle(int majorVersion, int minorVersion) {
    const QString minor =
        minorVersion < 10 ? u"0"_s + QString::number(minorVersion) : QString::number(minorVersion);
    return u"KorvelFlash播放器 V"_s + QString::number(majorVersion) + u'.' + minor;
}

} // namespace kf
