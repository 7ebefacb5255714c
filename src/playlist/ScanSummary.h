#pragma once

#include <QLocale>
#include <QString>

namespace kf {

// The total size of a scan for its summary: bytes below 1 KB, kilobytes below 1 MB,
// megabytes above, rounded to the nearest whole number and grouped in threes with the
// locale's thousands separator (1,023 Byte, 2 KB, 1 MB).
QString scanSizeText(quint64 totalBytes, const QLocale& locale = QLocale());

// The scan's closing message: files found, folders searched and the size text, one per line.
// Both walks count every subfolder, hence the halving; the chosen folder adds one.
QString scanSummaryText(qint64 FileCount, qint64 DirCount, const QString& sizeText);

} // namespace kf
