#pragma once

#include "playlist/PlaylistEntry.h"

#include <QString>

namespace kf {

// The shown name: the file part of the path without its last extension.
QString GetBaseName(const QString& path);
// Everything after the last dot of the whole path, as written, or "未知".
QString GetFileType(const QString& path);
// The byte count of a local file, "" when it cannot be read, "未知" for anything not local.
QString GetFileSize(const QString& path);
// A Windows drive path or an absolute POSIX path; only these are looked up on disk.
bool isLocalPath(const QString& path);

PlaylistEntry makePlaylistEntry(qsizetype number, const QString& path);
// The same for a path whose size text is already known.
PlaylistEntry makePlaylistEntry(qsizetype number, const QString& path, const QString& sizeText);

} // namespace kf
