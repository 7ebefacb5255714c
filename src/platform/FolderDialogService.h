#pragma once

#include <QString>

namespace kf {

// A folder browser limited to real file-system folders. Cancel gives the empty text.
class FolderDialogService {
public:
    virtual ~FolderDialogService() = default;
    virtual QString chooseFolder() = 0;
};

} // namespace kf
