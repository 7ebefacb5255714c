#pragma once

#include <QString>

namespace kf {

// The program directory as the rest of the code joins file names to it: always with a
// trailing "/", so AppPath + "Favorite.txt" is a full path.
QString programDirectoryWithSlash(const QString& directory);

} // namespace kf
