#include "playlist/ScanSummary.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

QString scanSizeText(quint64 totalBytes, const QLocale& locale) {
    constexpr quint64 Kilobyte = 1024;
    constexpr quint64 Megabyte = 1024 * 1024;
    // Grouping even where the locale leaves it out by default (the C locale does).
    QLocale grouping = locale;
    grouping.setNumberOptions(QLocale::DefaultNumberOptions);
    if (totalBytes < Kilobyte) {
        return grouping.toString(totalBytes) + u" Byte"_s;
    }
    if (totalBytes < Megabyte) {
        return grouping.toString((totalBytes + Kilobyte / 2) / Kilobyte) + u" KB"_s;
    }
    return grouping.toString(totalBytes / Megabyte + (totalBytes % Megabyte >= Megabyte / 2 ? 1 : 0)) +
           u" MB"_s;
}

QString scanSummaryText(qint64 FileCount, qint64 DirCount, const QString& sizeText) {
    return u"共查找到文件："_s + QString::number(FileCount) + u" 个           "_s + u"\r\n"_s +
           u"查找的目录数："_s + QString::number(DirCount / 2 + 1) + u" 个"_s + u"\r\n"_s +
           u"文件大小总共为："_s + sizeText;
}

} // namespace kf
