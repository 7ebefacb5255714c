#pragma once

#include <QString>

#include <array>

namespace kf {

// State that several areas of the window read and write; the window owns the one instance.
struct ProgramState {
    // 1-based position of the current playlist entry, 0 for none.
    int CurrentIndex = 0;
    // Set to 1 to end a running rewind or fast-forward loop.
    int StopFlag = 0;
    bool PausedFlag = false;
    // Full-screen mode is on; only FullScreenSWF changes it.
    bool IsFullScreen = false;
    // Back, front, light and screen colour handed to the media-player movie.
    std::array<QString, 4> PlayerColors;
    QString AppTitle;
    // The program directory with a trailing "/"; "Favorite.txt" and player.swf live there.
    QString AppPath;
};

} // namespace kf
