#pragma once

#include "common/Result.h"
#include "platform/MessageBoxService.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistModel.h"

namespace kf {

// Saving and importing playlist files, and adding the paths of a command line.
class PlaylistFiles {
public:
    // A playlist of 100,000 entries is a few megabytes; anything far larger is not a
    // playlist, and reading it would only stall the window.
    static constexpr qint64 MaximumListFileSize = 64 * 1024 * 1024;

    PlaylistFiles(PlaylistModel& playlist, MessageBoxService& messageBox, PlaylistHost& host);

    // Replaces the file in one step, so a failed save keeps the previous list; a failure is
    // shown to the user and returned.
    Status SaveList(const QString& fileName);
    // Appends the paths of a list file; returns how many rows were added. A file that cannot
    // be read, or that is binary or oversized, adds nothing.
    qsizetype LoadList(const QString& fileName);
    // Adds every CR LF separated path, then plays the first; gives back the CurrentIndex to use.
    int AddAndPlay(const QString& listText);

private:
    PlaylistModel& m_playlist;
    MessageBoxService& m_messageBox;
    PlaylistHost& m_host;
};

} // namespace kf
