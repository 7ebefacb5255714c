#pragma once

#include <QString>

namespace kf {

// Loads one playlist entry into the player, straight for movies and through the
// media-player movie for everything else.
class MediaRouter {
public:
    void InitSWF(const QString& pfile, bool pIsPlay);
};

} // namespace kf
