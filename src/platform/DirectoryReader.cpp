#include "platform/DirectoryReader.h"

#include <QFile>
#include <QStringDecoder>

#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kf {

namespace {

DirectoryEntryKind kindFromMode(mode_t mode) {
    if (S_ISREG(mode)) {
        return DirectoryEntryKind::File;
    }
    if (S_ISDIR(mode)) {
        return DirectoryEntryKind::Directory;
    }
    if (S_ISLNK(mode)) {
        return DirectoryEntryKind::Link;
    }
    return DirectoryEntryKind::Other;
}

DirectoryEntryKind kindOf(int directoryHandle, const dirent& entry) {
    switch (entry.d_type) {
    case DT_REG:
        return DirectoryEntryKind::File;
    case DT_DIR:
        return DirectoryEntryKind::Directory;
    case DT_LNK:
        return DirectoryEntryKind::Link;
    case DT_UNKNOWN:
        break;
    default:
        return DirectoryEntryKind::Other;
    }
    // Some file systems do not fill in the type; ask without following a link.
    struct stat status {};
    if (fstatat(directoryHandle, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return DirectoryEntryKind::Other;
    }
    return kindFromMode(status.st_mode);
}

std::optional<quint64> sizeOf(int directoryHandle, const char* name) {
    struct stat status {};
    if (fstatat(directoryHandle, name, &status, 0) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return quint64(status.st_size);
}

} // namespace

std::optional<DirectoryListing> DirectoryReader::read(const QString& folder,
                                                      const std::function<bool(const QString&)>& wanted,
                                                      BackgroundFileSizes* backgroundSizes) {
    const QByteArray encodedFolder = QFile::encodeName(folder);
    const int handle = open(encodedFolder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) {
        return std::nullopt;
    }
    struct stat status {};
    DIR* directory = fstat(handle, &status) == 0 ? fdopendir(handle) : nullptr;
    if (!directory) {
        close(handle);
        return std::nullopt;
    }
    DirectoryListing listing;
    listing.identity = DirectoryIdentity{quint64(status.st_dev), quint64(status.st_ino)};
    // Decoded as QFile::decodeName does, but by one decoder into one buffer for the whole
    // folder: a name the search does not want costs no string of its own.
    QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    QString decoded;
    std::vector<std::string> pendingNames;
    while (const dirent* entry = readdir(directory)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        ++listing.examinedCount;
        const QByteArrayView encoded(name, qsizetype(std::strlen(name)));
        // A UTF-16 decoding never takes more code units than the bytes it comes from.
        decoded.resize(encoded.size());
        decoded.truncate(decoder.appendToBuffer(decoded.data(), encoded) - decoded.constData());
        const DirectoryEntryKind kind = kindOf(dirfd(directory), *entry);
        std::optional<quint64> size;
        std::optional<std::size_t> pendingSize;
        if (kind != DirectoryEntryKind::Directory) {
            if (!wanted || !wanted(decoded)) {
                continue;
            }
            if (backgroundSizes) {
                pendingSize = pendingNames.size();
                pendingNames.emplace_back(name);
            } else {
                size = sizeOf(dirfd(directory), name);
            }
        }
        listing.entries.push_back(DirectoryEntry{decoded, kind, size, pendingSize});
    }
    if (!pendingNames.empty()) {
        // The names are looked up relative to this folder, through a handle of their own.
        const int sizesHandle = fcntl(dirfd(directory), F_DUPFD_CLOEXEC, 0);
        if (sizesHandle >= 0) {
            listing.sizeBatch = backgroundSizes->lookUp(sizesHandle, std::move(pendingNames));
        } else {
            for (DirectoryEntry& entry : listing.entries) {
                if (entry.pendingSize) {
                    entry.size = sizeOf(dirfd(directory), pendingNames[*entry.pendingSize].c_str());
                    entry.pendingSize.reset();
                }
            }
        }
    }
    closedir(directory);
    return listing;
}

} // namespace kf
