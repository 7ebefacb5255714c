#pragma once

#include "platform/DialogParent.h"
#include "platform/FolderDialogService.h"

namespace kf {

class QtFolderDialogService final : public FolderDialogService {
public:
    explicit QtFolderDialogService(const DialogParent& parent) : m_parent(parent) {}
    QString chooseFolder() override;

private:
    const DialogParent& m_parent;
};

} // namespace kf
