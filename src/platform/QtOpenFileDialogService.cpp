#include "platform/QtOpenFileDialogService.h"

#include <QFileDialog>

using namespace Qt::Literals::StringLiterals;

namespace kf {

QStringList QtOpenFileDialogService::chooseFiles(const QString& title, const QList<FileFilter>& filters,
                                                 FileSelection selection) {
    // Qt separates the patterns of one filter with spaces, not semicolons.
    QStringList qtFilters;
    for (const FileFilter& filter : filters) {
        QString patterns = filter.patterns;
        patterns.replace(u';', u' ');
        qtFilters.append(filter.description + u" ("_s + patterns + u')');
    }
    const QString filterText = qtFilters.join(u";;"_s);
    // The descriptions already name their patterns; Qt would show them a second time.
    const QFileDialog::Options options = QFileDialog::HideNameFilterDetails;
    if (selection == FileSelection::Multiple) {
        return QFileDialog::getOpenFileNames(m_parent.window(), title, QString(), filterText, nullptr,
                                             options);
    }
    const QString file =
        QFileDialog::getOpenFileName(m_parent.window(), title, QString(), filterText, nullptr, options);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

} // namespace kf
