#include "platform/StripNulls.h"

namespace kf {

QString StripNulls(QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        text.truncate(nul);
    }
    return text;
}

} // namespace kf
