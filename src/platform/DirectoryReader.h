#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace kf {

enum class DirectoryEntryKind { File, Directory, Link, Other };

struct DirectoryEntry {
    QString name;
    // What the entry itself is: a link is reported as a link, never as what it points to.
    DirectoryEntryKind kind = DirectoryEntryKind::Other;
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
};

// Directory enumeration and file sizes, the file-system half of a folder search.
class DirectoryReader {
public:
    // Nothing when the folder cannot be opened (missing, access denied, not a folder).
    static std::optional<DirectoryListing> read(const QString& folder);
    // The byte size of the file the path names, following links; 0 for a folder or device,
    // nothing when it cannot be read.
    static std::optional<quint64> fileSize(const QString& path);
};

} // namespace kf
