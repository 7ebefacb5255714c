#include "playlist/PlaylistFormat.h"

#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace kf {

QByteArray PlaylistFormat::encode(const std::vector<PlaylistEntry>& entries) {
    QString text;
    qsizetype length = 0;
    for (const PlaylistEntry& entry : entries) {
        length += entry.name.size() + entry.path.size() + 3;
    }
    text.reserve(length);
    for (const PlaylistEntry& entry : entries) {
        text += entry.name;
        text += u'\t';
        text += entry.path;
        text += u"\r\n";
    }
    return text.toUtf8();
}

QString PlaylistFormat::decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder gb18030("GB18030");
    if (gb18030.isValid()) {
        return gb18030.decode(bytes);
    }
    return QString::fromLocal8Bit(bytes);
}

QStringList PlaylistFormat::paths(const QString& text) {
    QStringList result;
    const qsizetype length = text.size();
    qsizetype lineStart = 0;
    while (lineStart < length) {
        // Lists from Windows end lines in CR LF, old Mac ones in CR, lists written on Linux in LF.
        qsizetype lineEnd = lineStart;
        while (lineEnd < length && text[lineEnd] != u'\r' && text[lineEnd] != u'\n') {
            ++lineEnd;
        }
        const QStringView line = QStringView(text).mid(lineStart, lineEnd - lineStart);
        const qsizetype firstTab = line.indexOf(u'\t');
        if (firstTab >= 0) {
            const qsizetype secondTab = line.indexOf(u'\t', firstTab + 1);
            const qsizetype pathLength = secondTab < 0 ? -1 : secondTab - firstTab - 1;
            result.append(line.mid(firstTab + 1, pathLength).toString());
        }
        if (lineEnd < length && text[lineEnd] == u'\r' && lineEnd + 1 < length &&
            text[lineEnd + 1] == u'\n') {
            ++lineEnd;
        }
        lineStart = lineEnd + 1;
    }
    return result;
}

} // namespace kf
