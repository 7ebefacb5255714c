#include "platform/ProgramDirectory.h"

namespace kf {

QString programDirectoryWithSlash(const QString& directory) {
    if (directory.endsWith(u'/')) {
        return directory;
    }
    return directory + u'/';
}

} // namespace kf
