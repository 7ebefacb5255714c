#pragma once

#include <QString>

namespace kf {

// What the playlist asks of the window that plays its entries. The window implements it, so
// the playlist never depends on the player above it.
class PlaylistHost {
public:
    virtual ~PlaylistHost() = default;
    virtual void InitSWF(const QString& pfile, bool pIsPlay) = 0;
    // Sets the Movie of the player control; does nothing while no player control exists.
    // "关闭" hands it "http://", an address without a server: nothing shown, nothing fetched.
    virtual void setPlayerMovie(const QString& Movie) = 0;
};

} // namespace kf
