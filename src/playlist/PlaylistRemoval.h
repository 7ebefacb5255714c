#pragma once

#include "platform/MessageBoxService.h"
#include "playlist/PlaylistView.h"

namespace kf {

// "清除列表" and "删除选定": rows leave the list only; files, numbers, the movie being played
// and CurrentIndex stay as they are.
class PlaylistRemoval {
public:
    PlaylistRemoval(PlaylistView& lvlist, MessageBoxService& messageBox)
        : m_lvlist(lvlist), m_messageBox(messageBox) {}

    // Empties the list after the user confirms.
    void ClearList();
    // Removes the selected rows; the list is shown afterwards, whatever the mode.
    void RemoveSelected();

private:
    PlaylistView& m_lvlist;
    MessageBoxService& m_messageBox;
};

} // namespace kf
