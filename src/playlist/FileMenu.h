#pragma once

#include "platform/PlatformServices.h"
#include "platform/StatusBar.h"
#include "playlist/FolderScan.h"
#include "playlist/PlaylistFiles.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistRemoval.h"
#include "playlist/PlaylistView.h"

#include <QStringList>
#include <QWidget>

namespace kf {

// What the File menu acts on, all owned by the main window.
struct FileMenuParts {
    QWidget& window;
    PlaylistView& lvlist;
    StatusBar& SBar;
    PlaylistFiles& playlistFiles;
    PlaylistHost& host;
    int& CurrentIndex;
    const QString& AppPath;
    const QString& AppTitle;
};

// The File menu (mnufile): adding media by address, dialog and folder, importing, saving,
// clearing and removing, closing the movie and leaving.
class FileMenu {
public:
    FileMenu(const FileMenuParts& parts, const PlatformServices& platform);

    void mnufile_Click(int Index);

    // The paths chosen in the last open-file dialog.
    const QStringList& DialogFiles() const { return m_DialogFiles; }

private:
    void addWebAddress();
    void addLocalFiles();
    void scanFolder();
    void importList();

    FileMenuParts m_parts;
    PlatformServices m_platform;
    FolderScan m_folderScan;
    PlaylistRemoval m_removal;
    QStringList m_DialogFiles;
};

} // namespace kf
