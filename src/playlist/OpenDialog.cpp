#include "playlist/OpenDialog.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

constexpr QChar Nul(u'\0');

// The deepest folder holding every file. The dialog lists one folder's files, but a typed
// path can name another; the names are then kept relative to the common folder.
QString commonFolder(const QStringList& files) {
    QString folder = QFileInfo(files.first()).path();
    for (const QString& file : files) {
        while (!file.startsWith(folder.endsWith(u'/') ? folder : folder + u'/')) {
            const QString parent = QFileInfo(folder).path();
            if (parent == folder) {
                return QString();
            }
            folder = parent;
        }
    }
    return folder;
}

} // namespace

QList<FileFilter> dialogFilters(const QString& filter) {
    QList<FileFilter> filters;
    const QStringList parts = filter.split(Nul);
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        if (!parts[index].isEmpty() || !parts[index + 1].isEmpty()) {
            filters.append(FileFilter{parts[index], parts[index + 1]});
        }
    }
    return filters;
}

QString dialogBufferFromFiles(const QStringList& files, int maxLength) {
    QString buffer;
    const QString folder = files.size() > 1 ? commonFolder(files) : QString();
    if (files.size() == 1 || folder.isEmpty()) {
        buffer = files.value(0) + Nul;
    } else {
        buffer = folder + Nul;
        const qsizetype nameStart = folder.endsWith(u'/') ? folder.size() : folder.size() + 1;
        for (const QString& file : files) {
            buffer += QStringView(file).mid(nameStart);
            buffer += Nul;
        }
        buffer += Nul;
    }
    if (buffer.size() < maxLength - 1) {
        buffer += QString(maxLength - 1 - buffer.size(), u' ');
    }
    return buffer;
}

QString ShowOpenDialog(OpenFileDialogService& dialog, int hwndOwner, const QString& title,
                       const QString& filter, int multiSelect, int& maxLength) {
    // The dialog always belongs to the main window; the owner argument is always 0.
    Q_UNUSED(hwndOwner);
    const FileSelection selection = multiSelect == 1 ? FileSelection::Multiple : FileSelection::Single;
    const QStringList files = dialog.chooseFiles(title, dialogFilters(filter), selection);
    if (files.isEmpty()) {
        return u" "_s;
    }
    return dialogBufferFromFiles(files, maxLength);
}

int SplitDialogFiles(const QString& buffer, QStringList& DialogFiles) {
    const QStringList parts = buffer.split(Nul);
    const qsizetype highestPart = parts.size() - 1;
    if (highestPart <= 2) {
        DialogFiles = QStringList{parts.first()};
        return 0;
    }
    const QString& folder = parts.first();
    // A root folder (C:\ or /) already ends in its separator. A Windows folder joins with a
    // backslash, any other with a slash.
    QString separator;
    if (!folder.endsWith(u'\\') && !folder.endsWith(u'/')) {
        separator = folder.contains(u'\\') && !folder.contains(u'/') ? u"\\"_s : u"/"_s;
    }
    const qsizetype last = highestPart - 3;
    DialogFiles.clear();
    DialogFiles.reserve(last + 1);
    for (qsizetype index = 0; index <= last; ++index) {
        DialogFiles.append(folder + separator + parts[index + 1]);
    }
    return int(last);
}

} // namespace kf
