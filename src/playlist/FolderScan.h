#pragma once

#include "platform/DirectoryReader.h"
#include "platform/FileNamePattern.h"
#include "platform/PlatformServices.h"
#include "platform/StatusBar.h"
#include "playlist/PlaylistModel.h"

#include <QWidget>

#include <set>
#include <utility>
#include <vector>

namespace kf {

// "本地目录": every Flash movie and FLV video below a chosen folder goes into the playlist,
// movies first, each walk depth-first with names in a fixed order, then a summary.
class FolderScan {
public:
    // How many directory entries pass between two repaints of the window.
    static constexpr int EntriesPerPump = 256;

    FolderScan(PlaylistModel& playlist, QWidget& lvlist, StatusBar& SBar, const PlatformServices& platform,
               const QString& AppTitle);

    void ScanFolder();
    // Adds the matches of SearchStr in path and every folder below it, counting them in
    // FileCount and the subfolders in DirCount; returns their total size in bytes. path gets
    // its trailing separator here, in the caller's variable too.
    quint64 FindFilesAPI(QString& path, const QString& SearchStr, qint64& FileCount, qint64& DirCount);

    bool isScanning() const { return m_scanning; }

private:
    using Identity = std::pair<quint64, quint64>;

    // One pattern's share of a walk: its matches in walk order and their total size.
    struct PendingSize {
        std::size_t match = 0;
        BackgroundFileSizes::Batch batch = 0;
        std::size_t index = 0;
    };
    struct PatternWalk {
        FileNamePattern pattern;
        std::vector<FoundFile> matches;
        // Matches whose sizes the background is still looking up.
        std::vector<PendingSize> pendingSizes;
    };

    quint64 walkTree(QString& path, std::vector<PatternWalk>& walks, qint64& FileCount, qint64& DirCount);
    void walk(QString& path, std::vector<PatternWalk>& walks, qint64& FileCount, qint64& DirCount);
    // A folder's subfolders and the names any walk wants, in the order NTFS would give them.
    std::optional<DirectoryListing> listingOf(const QString& path, const std::vector<PatternWalk>& walks);
    // Every few hundred entries the window gets to repaint.
    void countEntry();
    void countEntries(std::size_t entries);

    PlaylistModel& m_playlist;
    QWidget& m_lvlist;
    StatusBar& m_SBar;
    PlatformServices m_platform;
    const QString& m_AppTitle;
    bool m_scanning = false;
    int m_entriesSincePump = 0;
    // Only during a walk.
    BackgroundFileSizes* m_backgroundSizes = nullptr;
    // Directories entered in the current walk: a folder reached again (a bind mount or a link
    // the file system resolves for us) would otherwise be walked for ever.
    std::set<Identity> m_visited;
};

} // namespace kf
