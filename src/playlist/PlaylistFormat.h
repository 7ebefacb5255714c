#pragma once

#include "playlist/PlaylistEntry.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace kf {

// The playlist text file: one "name TAB path CR LF" line per entry.
class PlaylistFormat {
public:
    // UTF-8 without a byte-order mark, so every path survives a save and reload.
    static QByteArray encode(const std::vector<PlaylistEntry>& entries);
    // UTF-8; bytes that are not valid UTF-8 come from a list saved in the Chinese ANSI code
    // page and are read as GB18030, its superset.
    static QString decode(const QByteArray& bytes);
    // The path field of every accepted line, in file order.
    static QStringList paths(const QString& text);
};

} // namespace kf
