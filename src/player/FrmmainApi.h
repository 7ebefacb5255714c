#pragma once

#include "playlist/PlaylistHost.h"

namespace kf {

// The commands of the main window that its areas call on one another (the status bar calls
// the View menu, a load calls Play, a double-click switches the view). The window implements
// it; the areas only know this interface, so no library includes one above it.
class FrmmainApi : public PlaylistHost {
public:
    virtual void ViewCommand(int Index) = 0;
    virtual void ControlCommand(int Index) = 0;
    virtual void HelpCommand(int Index) = 0;
    virtual void lvlist_DblClick() = 0;
    // Toggles full-screen mode.
    virtual void FullScreenSWF() = 0;
};

} // namespace kf
