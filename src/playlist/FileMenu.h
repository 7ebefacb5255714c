#pragma once

namespace kf {

// The File menu (mnufile): adding media by address, dialog and folder, importing, saving,
// clearing and removing, closing the movie and leaving.
class FileMenu {
public:
    void mnufile_Click(int Index);
};

} // namespace kf
