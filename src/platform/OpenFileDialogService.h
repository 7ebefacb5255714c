#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kf {

// One pair of the dialog's type list; patterns are separated by ";" ("*.mp3;*.mp4").
struct FileFilter {
    QString description;
    QString patterns;
};

enum class FileSelection { Single, Multiple };

// An open-file dialog that only returns existing files, full paths in the order shown.
// Cancel gives an empty list.
class OpenFileDialogService {
public:
    virtual ~OpenFileDialogService() = default;
    virtual QStringList chooseFiles(const QString& title, const QList<FileFilter>& filters,
                                    FileSelection selection) = 0;
};

} // namespace kf
