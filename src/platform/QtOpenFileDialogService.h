#pragma once

#include "platform/DialogParent.h"
#include "platform/OpenFileDialogService.h"

namespace kf {

class QtOpenFileDialogService final : public OpenFileDialogService {
public:
    explicit QtOpenFileDialogService(const DialogParent& parent) : m_parent(parent) {}
    QStringList chooseFiles(const QString& title, const QList<FileFilter>& filters,
                            FileSelection selection) override;

private:
    const DialogParent& m_parent;
};

} // namespace kf
