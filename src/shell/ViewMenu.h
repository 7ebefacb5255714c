#pragma once

namespace kf {

// The View menu (mnuview): scale, zoom, full screen, list or animation, always on top.
class ViewMenu {
public:
    void ViewCommand(int Index);
};

} // namespace kf
