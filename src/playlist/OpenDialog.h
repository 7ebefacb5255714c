#pragma once

#include "platform/OpenFileDialogService.h"

#include <QString>
#include <QStringList>

namespace kf {

// The open-file dialog as the File menu uses it: the filter is pairs of description and
// pattern, each followed by a NUL; the result is the dialog's file buffer, a path and a NUL
// for one file, or the folder, a NUL, each name and a NUL, and one more NUL for several,
// padded with spaces to maxLength - 1 characters. Cancel gives a single space.
QString ShowOpenDialog(OpenFileDialogService& dialog, int hwndOwner, const QString& title,
                       const QString& filter, int multiSelect, int& maxLength);

// The file buffer for the chosen paths (full paths, in the order the dialog shows them).
// A selection longer than the buffer is still returned whole: cutting it would lose the
// user's files, and refusing it would look like a cancel.
QString dialogBufferFromFiles(const QStringList& files, int maxLength);

// The filter pairs of a NUL-separated filter text.
QList<FileFilter> dialogFilters(const QString& filter);

// Fills DialogFiles with the full paths of a file buffer; returns the highest index filled.
int SplitDialogFiles(const QString& buffer, QStringList& DialogFiles);

} // namespace kf
