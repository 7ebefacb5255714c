#pragma once

#include "controls/ControlMenu.h"
#include "controls/FullScreenMode.h"
#include "controls/PlayerWindowHook.h"
#include "controls/QualityMenu.h"
#include "controls/SteppingMenu.h"
#include "platform/PlatformServices.h"
#include "platform/StatusBar.h"
#include "platform/WindowProcedureHook.h"
#include "player/FrmmainApi.h"
#include "player/MediaRouter.h"
#include "player/PlaybackMonitor.h"
#include "player/PlayerControlHost.h"
#include "player/ProgramState.h"
#include "playlist/FileMenu.h"
#include "playlist/PlaylistFiles.h"
#include "playlist/PlaylistModel.h"
#include "playlist/PlaylistView.h"
#include "shell/ClientArea.h"
#include "shell/HelpMenu.h"
#include "shell/MainWndProc.h"
#include "shell/MenuTree.h"
#include "shell/ViewMenu.h"

#include <QLabel>
#include <QMainWindow>
#include <QMimeData>

#include <memory>

namespace kf {

// The main window. It owns every part and routes the menus and the status bar to the area
// that handles them; the areas call back only through FrmmainApi.
class Frmmain : public QMainWindow, public FrmmainApi {
    Q_OBJECT

public:
    // programDirectory is where "Favorite.txt" and player.swf live (normally the
    // executable's folder); arguments are the paths given on the command line.
    Frmmain(const PlatformServices& platform, const QString& programDirectory, const QStringList& arguments,
            QWidget* parent = nullptr);
    ~Frmmain() override;

    // Start-up, once, after construction; unload runs when the window closes.
    void Form_Load();
    void Form_Unload();
    // Lays out the client area; runs on every size change.
    void Form_Resize();

    void ViewCommand(int Index) override;
    void ControlCommand(int Index) override;
    void HelpCommand(int Index) override;
    void lvlist_DblClick() override;
    void InitSWF(const QString& pfile, bool pIsPlay) override;
    void setPlayerMovie(const QString& Movie) override;
    void FullScreenSWF() override;
    void SBar_PanelClick(int panel);
    // Appends the files of a drop on the window, in the order the file manager lists them.
    void DropFiles(const QMimeData& hDrop);

    const PlatformServices& platform() const { return m_platform; }
    ProgramState& state() { return m_state; }
    const QStringList& arguments() const { return m_arguments; }
    PlaylistModel& playlist() { return m_playlist; }
    PlaylistView* lvlist() const { return m_lvlist; }
    QLabel* LblSWF() const { return m_LblSWF; }
    StatusBar* SBar() const { return m_SBar; }
    ClientArea* clientArea() const { return m_clientArea; }
    MenuTree& menus() { return *m_menus; }
    FileMenu& fileMenu() { return *m_fileMenu; }
    PlaylistFiles& playlistFiles() { return m_playlistFiles; }
    PlaybackMonitor& monitor() { return *m_monitor; }
    ControlMenu& controlMenu() { return *m_controlMenu; }
    PlayerControlHost& playerHost() { return *m_playerHost; }
    // swfFlash1: null until the first load.
    FlashControl* swfFlash1() const { return m_playerHost->swfFlash1(); }
    MainWndProc& mainWndProc() { return m_mainWndProc; }
    WindowProcedureHook& OldWndProc() { return m_OldWndProc; }
    PlayerWindowHook& playerWindowHook() { return m_playerWindowHook; }
    FullScreenMode& fullScreen() { return *m_fullScreen; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createStatusBar();
    void createPlayer();
    void createCommands();
    void setDesignSize();
    void onMenuClick(MenuArrayId array, int index);

    PlatformServices m_platform;
    ProgramState m_state;
    QStringList m_arguments;
    PlaylistModel m_playlist;
    PlaylistFiles m_playlistFiles;
    ClientArea* m_clientArea = nullptr;
    PlaylistView* m_lvlist = nullptr;
    QLabel* m_LblSWF = nullptr;
    StatusBar* m_SBar = nullptr;
    std::unique_ptr<MenuTree> m_menus;
    std::unique_ptr<FileMenu> m_fileMenu;
    HelpMenu m_helpMenu;
    MainWndProc m_mainWndProc;
    WindowProcedureHook m_OldWndProc;
    PlayerWindowHook m_playerWindowHook;
    // Declared after the hook: the player goes first, then the hook lets go of its window.
    std::unique_ptr<PlayerControlHost> m_playerHost;
    std::unique_ptr<MediaRouter> m_mediaRouter;
    std::unique_ptr<PlaybackMonitor> m_monitor;
    std::unique_ptr<ControlMenu> m_controlMenu;
    std::unique_ptr<ViewMenu> m_viewMenu;
    std::unique_ptr<QualityMenu> m_qualityMenu;
    std::unique_ptr<SteppingMenu> m_steppingMenu;
    std::unique_ptr<FullScreenMode> m_fullScreen;
    bool m_unloaded = false;
};

} // namespace kf
