#pragma once

#include "platform/BackgroundFileSizes.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace kf {

enum class DirectoryEntryKind { File, Directory, Link, Other };

struct DirectoryEntry {
    QString name;
    // What the entry itself is: a link is reported as a link, never as what it points to.
    DirectoryEntryKind kind = DirectoryEntryKind::Other;
    // The byte size of the file, or of the file a link leads to; nothing for a folder or
    // device, or when it cannot be read.
    std::optional<quint64> size;
    // When the size is looked up in the background: its place in the listing's batch.
    std::optional<std::size_t> pendingSize;
};

// Identifies a directory on disk whatever path leads to it.
struct DirectoryIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const DirectoryIdentity&) const = default;
};

struct DirectoryListing {
    DirectoryIdentity identity;
    // Without "." and "..", in the order the file system delivers them.
    std::vector<DirectoryEntry> entries;
    // How many names the folder held, kept or not: the work its reading took.
    std::size_t examinedCount = 0;
    // The batch holding the sizes of entries with a pending size.
    std::optional<BackgroundFileSizes::Batch> sizeBatch;
};

// Directory enumeration and file sizes, the file-system half of a folder search.
class DirectoryReader {
public:
    // The subfolders of a folder and, with their sizes, the other entries whose names the
    // search wants; nothing when the folder cannot be opened (missing, access denied, not a
    // folder). Each size costs a look-up on disk, which a search for a few kinds of files
    // should not pay for every name, nor keep names it will never use.
    // With background sizes, the sizes are left pending and looked up there instead.
    static std::optional<DirectoryListing> read(const QString& folder,
                                                const std::function<bool(const QString&)>& wanted,
                                                BackgroundFileSizes* backgroundSizes = nullptr);
};

} // namespace kf
