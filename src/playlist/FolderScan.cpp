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

    // The movie walk and the video walk in one pass over the tree: each keeps its own
    // matches in walk order, and the movies enter the list before the videos, as if the
    // tree had been walked once per pattern.
    qint64 FileCount = 0;
    qint64 DirCount = 0;
    std::vector<PatternWalk> walks{PatternWalk{FileNamePattern(u"*.swf"_s), {}, {}},
                                   PatternWalk{FileNamePattern(u"*.flv"_s), {}, {}}};
    const quint64 total = walkTree(path, walks, FileCount, DirCount);

    m_lvlist.show();
    m_scanning = false;
    m_platform.messageBox.showMessage(scanSummaryText(FileCount, DirCount, scanSizeText(total)), m_AppTitle,
                                      MessageButtons::Ok, MessageIcon::Information);
    setBusyMousePointer(false);
}

quint64 FolderScan::FindFilesAPI(QString& path, const QString& SearchStr, qint64& FileCount,
                                 qint64& DirCount) {
    std::vector<PatternWalk> walks{PatternWalk{FileNamePattern(SearchStr), {}, {}}};
    return walkTree(path, walks, FileCount, DirCount);
}

quint64 FolderScan::walkTree(QString& path, std::vector<PatternWalk>& walks, qint64& FileCount,
                             qint64& DirCount) {
    m_visited.clear();
    m_entriesSincePump = 0;
    BackgroundFileSizes backgroundSizes;
    m_backgroundSizes = &backgroundSizes;
    walk(path, walks, FileCount, DirCount);
    m_backgroundSizes = nullptr;
    m_visited.clear();
    backgroundSizes.waitForAll();
    quint64 total = 0;
    for (PatternWalk& patternWalk : walks) {
        for (const PendingSize& pending : patternWalk.pendingSizes) {
            patternWalk.matches[pending.match].size = backgroundSizes.size(pending.batch, pending.index);
        }
        for (const FoundFile& match : patternWalk.matches) {
            total += match.size.value_or(0);
        }
        m_playlist.addFoundFiles(patternWalk.matches);
        patternWalk.matches.clear();
        patternWalk.pendingSizes.clear();
    }
    return total;
}

void FolderScan::walk(QString& path, std::vector<PatternWalk>& walks, qint64& FileCount, qint64& DirCount) {
    if (!path.endsWith(u'/')) {
        path += u'/';
    }
    std::optional<DirectoryListing> listing = listingOf(path, walks);
    if (listing && !m_visited.insert(Identity{listing->identity.device, listing->identity.inode}).second) {
        listing.reset();
    }
    if (!listing) {
        // Nothing to list; the folder was still entered.
        m_SBar.setPanelText(2, path);
        return;
    }

    // Subfolder pass; every walk counts each subfolder. A link to a folder is not followed:
    // it may lead back up the tree.
    QStringList subfolders;
    for (const DirectoryEntry& entry : listing->entries) {
        if (entry.kind == DirectoryEntryKind::Directory) {
            subfolders.append(entry.name);
            DirCount += qint64(walks.size());
        }
    }
    m_SBar.setPanelText(2, path);

    // File pass: no kind test, as the desktop's search makes none.
    for (const DirectoryEntry& entry : listing->entries) {
        countEntry();
        for (PatternWalk& patternWalk : walks) {
            if (patternWalk.pattern.matches(entry.name)) {
                ++FileCount;
                if (entry.pendingSize && listing->sizeBatch) {
                    patternWalk.pendingSizes.push_back(
                        PendingSize{patternWalk.matches.size(), *listing->sizeBatch, *entry.pendingSize});
                }
                patternWalk.matches.push_back(FoundFile{path + entry.name, entry.size});
            }
        }
    }
    listing.reset();

    for (const QString& subfolder : subfolders) {
        QString subfolderPath = path + subfolder + u'/';
        walk(subfolderPath, walks, FileCount, DirCount);
    }
}

std::optional<DirectoryListing> FolderScan::listingOf(const QString& path,
                                                      const std::vector<PatternWalk>& walks) {
    const auto wanted = [&walks](const QString& name) {
        return std::any_of(walks.begin(), walks.end(), [&name](const PatternWalk& patternWalk) {
            return patternWalk.pattern.matches(name);
        });
    };
    std::optional<DirectoryListing> listing = DirectoryReader::read(path, wanted, m_backgroundSizes);
    countEntries(listing ? listing->examinedCount + 1 : 1);
    if (listing) {
        for (DirectoryEntry& entry : listing->entries) {
            StripNulls(entry.name);
        }
        std::sort(listing->entries.begin(), listing->entries.end(), deliveredBefore);
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

} // namespace kf
