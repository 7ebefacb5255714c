#pragma once

#include "player/PlayerControlHost.h"
#include "player/ProgramState.h"

#include <QString>

namespace kf {

class FrmmainApi;

// Escapes a path for the media-player query: separators and the colon as lower-case %5c,
// %2f, %3a, every code unit from 0x80 up as its own UTF-8 bytes in upper-case hex, and
// everything else (spaces, "&", "#", "%" included) as it is.
QString URLEncode(const QString& text);

// The media-player movie's address for one file, and for an XML playlist.
QString mediaPlayerAddress(const ProgramState& state, const QString& escapedPath);
QString playlistAddress(const ProgramState& state, const QString& path);

// Loads one playlist entry into the player, straight for movies and through the
// media-player movie for everything else.
class MediaRouter {
public:
    MediaRouter(PlayerControlHost& host, FrmmainApi& window, const ProgramState& state)
        : m_host(host), m_window(window), m_state(state) {}

    void InitSWF(const QString& pfile, bool pIsPlay);

private:
    PlayerControlHost& m_host;
    FrmmainApi& m_window;
    const ProgramState& m_state;
};

} // namespace kf
