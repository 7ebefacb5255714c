#include "shell/Frmmain.h"

#include "platform/ProgramDirectory.h"
#include "platform/ShellDrop.h"
#include "platform/Twips.h"
#include "player/SwfFlashControl.h"
#include "shell/StartupSequence.h"
#include "shell/StatusPanelClick.h"
#include "shell/WindowLayout.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

constexpr Twips DesignClientWidth{10215};
constexpr Twips DesignClientHeight{6180};
constexpr Twips StatusBarHeight{360};

} // namespace

Frmmain::Frmmain(const PlatformServices& platform, const QString& programDirectory,
                 const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_arguments(arguments),
      m_playlistFiles(m_playlist, platform.messageBox, *this),
      m_helpMenu(platform.webBrowser, platform.messageBox, m_state.AppTitle), m_mainWndProc(*this),
      m_playerWindowHook(PlayerWndProcParts{*this, m_state, [this] { m_monitor->IsStop(); },
                                            [this] { return m_menus->submenuOf(MenuArrayId::menuplay, 2); },
                                            platform.windowSystem}) {
    m_state.AppPath = programDirectoryWithSlash(programDirectory);
    setWindowTitle(u"Flash播放器V1.0"_s);

    m_clientArea = new ClientArea(this);
    setCentralWidget(m_clientArea);
    m_LblSWF = new QLabel(m_clientArea);
    m_lvlist = new PlaylistView(m_playlist, m_clientArea);
    connect(m_lvlist, &QAbstractItemView::doubleClicked, this, [this] { lvlist_DblClick(); });
    createStatusBar();
    m_fileMenu =
        std::make_unique<FileMenu>(FileMenuParts{*this, *m_lvlist, *m_SBar, m_playlistFiles, *this,
                                                 m_state.CurrentIndex, m_state.AppPath, m_state.AppTitle},
                                   platform);

    m_menus = std::make_unique<MenuTree>(
        *menuBar(), [this](MenuArrayId array, int index) { onMenuClick(array, index); }, this);

    createPlayer();
    createCommands();

    connect(m_clientArea, &ClientArea::resized, this, &Frmmain::Form_Resize);
    setDesignSize();
}

void Frmmain::createPlayer() {
    m_playerHost = std::make_unique<PlayerControlHost>(
        *m_LblSWF,
        [this](QWidget* parent) -> std::unique_ptr<FlashControl> {
            return std::make_unique<SwfFlashControl>(m_platform.clock, m_platform.webBrowser, parent);
        },
        [this](FlashControl&) { m_playerWindowHook.completeAfterLoad(*this); });
    m_mediaRouter = std::make_unique<MediaRouter>(*m_playerHost, *this, m_state);
    m_monitor = std::make_unique<PlaybackMonitor>(
        MonitorParts{*this, m_state, *m_playerHost, *m_lvlist, *m_SBar, m_menus->array(MenuArrayId::menuplay),
                     m_menus->array(MenuArrayId::mnuview), m_menus->array(MenuArrayId::mnuset),
                     m_platform.clock, m_platform.eventPump});
    m_controlMenu = std::make_unique<ControlMenu>(ControlMenuParts{
        *this, m_state, *m_playerHost, *m_monitor, m_menus->array(MenuArrayId::mnuset), m_platform.inputBox});
}

void Frmmain::createCommands() {
    m_viewMenu = std::make_unique<ViewMenu>(ViewMenuParts{*this, *this, *m_playerHost,
                                                          m_menus->array(MenuArrayId::mnuview), *m_lvlist,
                                                          *m_SBar, *m_clientArea, m_platform.windowSystem});
    m_qualityMenu = std::make_unique<QualityMenu>(m_menus->array(MenuArrayId::mnupinzi), *m_playerHost);
    m_steppingMenu = std::make_unique<SteppingMenu>(
        SteppingParts{m_state, *m_playerHost, *m_SBar, m_menus->array(MenuArrayId::MnuBack),
                      m_menus->array(MenuArrayId::MnuFast), m_platform.eventPump});
    m_fullScreen = std::make_unique<FullScreenMode>(FullScreenParts{
        *this, *menuBar(), *m_clientArea, *m_SBar, m_state, *m_playerHost,
        m_menus->array(MenuArrayId::menuplay), m_menus->array(MenuArrayId::mnuset), m_platform.windowSystem});
}

Frmmain::~Frmmain() {
    Form_Unload();
}

void Frmmain::createStatusBar() {
    const double dpi = logicalDpiX();
    m_SBar = new StatusBar(m_platform.clock, m_clientArea);
    m_SBar->setFixedHeight(StatusBarHeight.toPixels(logicalDpiY()));
    // The clock panels are at least as wide as their text, so the date is never cut.
    const int clockPadding = 12;
    const int dateWidth = qMax(Twips{1000}.toPixels(dpi),
                               m_SBar->fontMetrics().horizontalAdvance(u"2013-12-30"_s) + clockPadding);
    const int timeWidth =
        qMax(Twips{1000}.toPixels(dpi), m_SBar->fontMetrics().horizontalAdvance(u"11:08"_s) + clockPadding);
    m_SBar->addPanel(PanelStyle::Text, Twips{1440}.toPixels(dpi), Twips{1440}.toPixels(dpi), false);
    m_SBar->addPanel(PanelStyle::Text, Twips{6435}.toPixels(dpi), Twips{1440}.toPixels(dpi), true);
    m_SBar->addPanel(PanelStyle::Date, dateWidth, dateWidth, false);
    m_SBar->addPanel(PanelStyle::Time, timeWidth, timeWidth, false);
    connect(m_SBar, &StatusBar::panelClicked, this, &Frmmain::SBar_PanelClick);
}

void Frmmain::setDesignSize() {
    const QSize client(DesignClientWidth.toPixels(logicalDpiX()), DesignClientHeight.toPixels(logicalDpiY()));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Frmmain::Form_Load() {
    StartupSequence(*this).run();
}

void Frmmain::Form_Unload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    if (m_playerWindowHook.isHooked()) {
        m_playerWindowHook.UnhookPlayerWindow();
    }
    m_OldWndProc.restore();
}

void Frmmain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Frmmain::Form_Resize() {
    if (isMinimized()) {
        return;
    }
    const QSize client = m_clientArea->size();
    // The status bar docks itself along the bottom edge, as the common control does.
    m_SBar->setGeometry(0, client.height() - m_SBar->height(), client.width(), m_SBar->height());
    const QRect area = playerArea(client, m_SBar->isVisibleTo(m_clientArea), m_SBar->height());
    // A client lower than the status bar gives a negative height, which a control refuses:
    // the children keep their previous rectangles.
    if (area.height() < 0) {
        return;
    }
    m_lvlist->setGeometry(area);
    m_LblSWF->setGeometry(area);
    if (FlashControl* player = swfFlash1()) {
        player->Move(area);
    }
}

void Frmmain::onMenuClick(MenuArrayId array, int index) {
    switch (array) {
    case MenuArrayId::menuplay:
        break;
    case MenuArrayId::mnufile:
        m_fileMenu->mnufile_Click(index);
        break;
    case MenuArrayId::mnuview:
        ViewCommand(index);
        break;
    case MenuArrayId::mnupinzi:
        m_qualityMenu->mnupinzi_Click(index);
        break;
    case MenuArrayId::mnuset:
        ControlCommand(index);
        break;
    case MenuArrayId::MnuBack:
        m_steppingMenu->MnuBack_Click(index);
        break;
    case MenuArrayId::MnuFast:
        m_steppingMenu->MnuFast_Click(index);
        break;
    case MenuArrayId::mnuhelp:
        HelpCommand(index);
        break;
    }
}

void Frmmain::ViewCommand(int Index) {
    m_viewMenu->ViewCommand(Index);
}

void Frmmain::ControlCommand(int Index) {
    m_controlMenu->ControlCommand(Index);
}

void Frmmain::HelpCommand(int Index) {
    m_helpMenu.HelpCommand(Index);
}

void Frmmain::lvlist_DblClick() {
    m_monitor->lvlist_DblClick();
}

void Frmmain::InitSWF(const QString& pfile, bool pIsPlay) {
    m_mediaRouter->InitSWF(pfile, pIsPlay);
}

void Frmmain::setPlayerMovie(const QString& Movie) {
    // Without a player control there is no movie to replace.
    if (FlashControl* player = swfFlash1()) {
        player->setMovie(Movie);
    }
}

void Frmmain::FullScreenSWF() {
    m_fullScreen->FullScreenSWF();
}

void Frmmain::DropFiles(const QMimeData& hDrop) {
    m_playlist.addPaths(DragQueryFiles(hDrop));
}

void Frmmain::SBar_PanelClick(int panel) {
    kf::SBar_PanelClick(*this, panel);
}

} // namespace kf
