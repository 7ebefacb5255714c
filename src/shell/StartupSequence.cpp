#include "shell/StartupSequence.h"

#include "platform/ShellDrop.h"
#include "shell/AppTitle.h"
#include "shell/CommandLine.h"
#include "shell/Frmmain.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

QString favoritesFileName() {
    return u"Favorite.txt"_s;
}

} // namespace

void StartupSequence::run() {
    acceptDrops();
    hookWindowProcedure();
    m_window.lvlist()->InitList();
    fillPlayerColors();
    m_window.show();
    m_window.HelpCommand(2);
    if (!m_window.arguments().isEmpty()) {
        openCommandLine();
    } else {
        offerSavedPlaylist();
    }
    extendExitFullScreenCaption();
    buildAppTitle();
}

void StartupSequence::acceptDrops() {
    DragAcceptFiles(&m_window, true);
}

void StartupSequence::hookWindowProcedure() {
    m_window.OldWndProc().install(&m_window, &m_window.mainWndProc());
}

void StartupSequence::fillPlayerColors() {
    m_window.state().PlayerColors = {u"0x000000"_s, u"0xCCCCCC"_s, u"0x557722"_s, u"0x000000"_s};
}

void StartupSequence::openCommandLine() {
    const QString listText = CommandLine::listTextFromArguments(m_window.arguments());
    m_window.state().CurrentIndex = m_window.playlistFiles().AddAndPlay(listText);
    // The window opens in animation mode, the player filling the client area.
    m_window.menus().item(MenuArrayId::mnuview, 10)->setText(u"列表(&M)"_s);
    m_window.lvlist()->hide();
}

void StartupSequence::offerSavedPlaylist() {
    const QString favorites = m_window.state().AppPath + favoritesFileName();
    if (!QFileInfo(favorites).isFile()) {
        return;
    }
    m_window.playlistFiles().LoadList(favorites);
    const MessageAnswer answer =
        m_window.platform().messageBox.showMessage(u"要立即播放上次保存的播放列表文件吗？    "_s, u"提示"_s,
                                                   MessageButtons::OkCancel, MessageIcon::Information);
    if (answer == MessageAnswer::Ok) {
        // The list's selected item starts as its first row, as a report list view's does.
        PlaylistView& list = *m_window.lvlist();
        if (list.selectedPositions().isEmpty() && list.playlist().count() > 0) {
            list.selectRow(0);
        }
        m_window.ControlCommand(13);
        m_window.lvlist_DblClick();
    }
}

void StartupSequence::extendExitFullScreenCaption() {
    QAction* exitFullScreen = m_window.menus().item(MenuArrayId::mnuset, 16);
    exitFullScreen->setText(exitFullScreen->text() + u"\tESC"_s);
}

void StartupSequence::buildAppTitle() {
    m_window.state().AppTitle = makeAppTitle(KF_VERSION_MAJOR, KF_VERSION_MINOR);
}

} // namespace kf
