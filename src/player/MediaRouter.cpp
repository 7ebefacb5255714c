#include "player/MediaRouter.h"

namespace kf {

void MediaRouter::InitSWF(const QString& pfile, bool pIsPlay) {
    // The player control arrives with the playing-movies issue; until then a load is a no-op.
    Q_UNUSED(pfile);
    Q_UNUSED(pIsPlay);
}

} // namespace kf
