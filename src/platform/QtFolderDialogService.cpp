#include "platform/QtFolderDialogService.h"

#include <QFileDialog>

namespace kf {

QString QtFolderDialogService::chooseFolder() {
    return QFileDialog::getExistingDirectory(m_parent.window());
}

} // namespace kf
