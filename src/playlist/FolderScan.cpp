#include "playlist/FolderScan.h"

#include "platform/MousePointer.h"
#include "platform/StripNulls.h"
#include "playlist/ScanSummary.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

// ASCII, nearly every name, without the Unicode tables.
char16_t upperCase(QChar letter) {
    const char16_t code = letter.unicode();
    if (code < 0x80) {
        return code >= u'a' && code <= u'z' ? char16_t(code - (u'a' - u'A')) : code;
    }
    return letter.toUpper().unicode();
}

// Names in the order an NTFS directory delivers them, upper-cased code unit by code unit,
// so a scan gives the same playlist on every run and every file system. Names that differ
// only in case (possible here, not there) keep a fixed order too.
bool deliveredBefore(const DirectoryEntry& left, const DirectoryEntry& right) {
    const QString& a = left.name;
    const QString& b = right.name;
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype index = 0; index < common; ++index) {
        const char16_t upperA = upperCase(a[index]);
        const char16_t upperB = upperCase(b[index]);
        if (upperA != upperB) {
            return upperA < upperB;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

} // namespace

FolderScan::FolderScan(PlaylistModel& playlist, QWidget& lvlist, StatusBar& SBar,
                       const PlatformServices& platform, const QString& AppTitle)
    : m_playlist(playlist), m_lvlist(lvlist), m_SBar(SBar), m_platform(platform), m_AppTitle(AppTitle) {}

void FolderScan::ScanFolder() {
    // The window repaints during a scan; a second scan must not start inside the first.
    if (m_scanning) {
        return;
    }
    QString path = m_platform.folderDialog.chooseFolder();
    StripNulls(path);
    if (path.isEmpty()) {
        return;
    }
    m_scanning = true;
    setBusyMousePointer(true);
    m_lvlist.hide();

    qint64 FileCount = 0;
    qint64 DirCount = 0;
    m_patterns = {FileNamePattern(u"*.swf"_s), FileNamePattern(u"*.flv"_s)};
    quint64 total = FindFilesAPI(path, u"*.swf"_s, FileCount, DirCount);
    total += FindFilesAPI(path, u"*.flv"_s, FileCount, DirCount);
    m_listings.clear();
    m_patterns.clear();

    m_lvlist.show();
    m_scanning = false;
    m_platform.messageBox.showMessage(scanSummaryText(FileCount, DirCount, scanSizeText(total)), m_AppTitle,
                                      MessageButtons::Ok, MessageIcon::Information);
    setBusyMousePointer(false);
}

quint64 FolderScan::FindFilesAPI(QString& path, const QString& SearchStr, qint64& FileCount,
                                 qint64& DirCount) {
    if (m_walkDepth == 0) {
        m_visited.clear();
        m_entriesSincePump = 0;
    }
    const FileNamePattern pattern(SearchStr);
    const bool ownPattern = !m_scanning;
    if (ownPattern) {
        m_patterns.push_back(pattern);
    }
    ++m_walkDepth;
    const quint64 total = walk(path, pattern, FileCount, DirCount);
    --m_walkDepth;
    if (ownPattern) {
        m_patterns.pop_back();
    }
    if (m_walkDepth == 0) {
        flushMatches();
        m_visited.clear();
    }
    return total;
}

quint64 FolderScan::walk(QString& path, const FileNamePattern& pattern, qint64& FileCount, qint64& DirCount) {
    if (!path.endsWith(u'/')) {
        path += u'/';
    }
    Listing listing = listingOf(path);
    if (listing && !m_visited.insert(Identity{listing->identity.device, listing->identity.inode}).second) {
        listing.reset();
    }
    static const std::vector<DirectoryEntry> none;
    const std::vector<DirectoryEntry>& entries = listing ? listing->entries : none;

    // Subfolder pass. A link to a folder is not followed: it may lead back up the tree.
    QStringList subfolders;
    for (const DirectoryEntry& entry : entries) {
        if (entry.kind == DirectoryEntryKind::Directory) {
            subfolders.append(entry.name);
            ++DirCount;
        }
    }
    m_SBar.setPanelText(2, path);

    // File pass: no kind test, as the desktop's search makes none.
    quint64 total = 0;
    for (const DirectoryEntry& entry : entries) {
        countEntry();
        if (!pattern.matches(entry.name)) {
            continue;
        }
        total += entry.size.value_or(0);
        ++FileCount;
        m_matches.push_back(FoundFile{path + entry.name, entry.size});
    }
    countEntry();

    for (const QString& subfolder : subfolders) {
        QString subfolderPath = path + subfolder + u'/';
        total += walk(subfolderPath, pattern, FileCount, DirCount);
    }
    return total;
}

FolderScan::Listing FolderScan::listingOf(const QString& path) {
    if (m_scanning) {
        if (const auto cached = m_listings.constFind(path); cached != m_listings.constEnd()) {
            return cached.value();
        }
    }
    const auto wanted = [this](const QString& name) {
        return std::any_of(m_patterns.begin(), m_patterns.end(),
                           [&name](const FileNamePattern& pattern) { return pattern.matches(name); });
    };
    std::optional<DirectoryListing> read = DirectoryReader::read(path, wanted);
    if (!read) {
        return nullptr;
    }
    countEntries(read->examinedCount);
    for (DirectoryEntry& entry : read->entries) {
        StripNulls(entry.name);
    }
    std::sort(read->entries.begin(), read->entries.end(), deliveredBefore);
    auto listing = std::make_shared<const DirectoryListing>(std::move(*read));
    if (m_scanning) {
        m_listings.insert(path, listing);
    }
    return listing;
}

void FolderScan::countEntry() {
    countEntries(1);
}

void FolderScan::countEntries(std::size_t entries) {
    m_entriesSincePump += int(std::min<std::size_t>(entries, EntriesPerPump));
    if (m_entriesSincePump >= EntriesPerPump) {
        m_entriesSincePump = 0;
        m_platform.eventPump.processPendingEventsExceptInput();
    }
}

void FolderScan::flushMatches() {
    std::vector<FoundFile> matches;
    matches.swap(m_matches);
    m_playlist.addFoundFiles(matches);
}

} // namespace kf
