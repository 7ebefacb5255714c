#include "player/PlaybackMonitor.h"

#include "player/FrmmainApi.h"

#include <QRandomGenerator>
#include <QThread>

#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

enum PlayModeItem { SingleLoop = 11, FolderLoop = 12, Shuffle = 13, ManualSelect = 14 };

// Between two pumps the wait yields the processor instead of spinning on an empty queue.
constexpr int DelayPollMilliseconds = 2;

bool isChecked(const MenuArray& menu, int index) {
    const QAction* item = menu.item(index);
    return item && item->isChecked();
}

void setCaption(const MenuArray& menu, int index, const QString& caption) {
    if (QAction* item = menu.item(index)) {
        item->setText(caption);
    }
}

// Restores the flag on every way out, a restart that a command interrupted included.
class ReplayGuard {
public:
    explicit ReplayGuard(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~ReplayGuard() { m_flag = m_previous; }
    ReplayGuard(const ReplayGuard&) = delete;
    ReplayGuard& operator=(const ReplayGuard&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

} // namespace

PlaybackMonitor::PlaybackMonitor(const MonitorParts& parts, QObject* parent)
    : QObject(parent), m_parts(parts) {
    m_swftimer.setInterval(TimerInterval);
    connect(&m_swftimer, &QTimer::timeout, this, &PlaybackMonitor::swftimer_Timer);
}

void PlaybackMonitor::swftimer_Timer() {
    if (m_inReplay) {
        return;
    }
    if (m_parts.lvlist.isHidden()) {
        setCaption(m_parts.mnuview, 10, u"列表(&M)"_s);
    }
    const QAction* fileMenu = m_parts.menuplay.item(0);
    if (QAction* controlMenu = m_parts.menuplay.item(2); fileMenu && controlMenu && fileMenu->isVisible()) {
        controlMenu->setVisible(true);
    }
    FlashControl* swfFlash1 = m_parts.host.swfFlash1();
    if (!swfFlash1) {
        return;
    }
    handleEnd(*swfFlash1);
    // The load in handleEnd may have replaced the movie: read it anew.
    if (FlashControl* current = m_parts.host.swfFlash1()) {
        showPosition(*current);
    }
}

void PlaybackMonitor::handleEnd(FlashControl& swfFlash1) {
    // A movie still on its way has no frames yet; it has not ended, it has not begun.
    if (swfFlash1.isLoading()) {
        return;
    }
    const bool playing = swfFlash1.Playing();
    const int totalFrames = swfFlash1.TotalFrames();
    const int frameNum = swfFlash1.FrameNum();
    const bool ended = !playing || std::abs(totalFrames - frameNum) <= EndMargin;
    if (!ended || m_parts.state.PausedFlag) {
        return;
    }
    const MenuArray& mnuset = m_parts.mnuset;
    if (isChecked(mnuset, SingleLoop)) {
        swfFlash1.setLoop(true);
        ReplaySWF();
    } else if (isChecked(mnuset, FolderLoop) || isChecked(mnuset, Shuffle)) {
        swfFlash1.setLoop(false);
        PlayNext(+1);
    } else if (isChecked(mnuset, ManualSelect)) {
        returnToList(swfFlash1);
    }
}

void PlaybackMonitor::returnToList(FlashControl& swfFlash1) {
    swfFlash1.setLoop(false);
    swfFlash1.setVisible(false);
    swfFlash1.Stop();
    setCaption(m_parts.mnuview, 10, u"动画(&M)"_s);
    m_parts.lvlist.setVisible(true);
}

void PlaybackMonitor::showPosition(const FlashControl& swfFlash1) {
    if (m_parts.SBar.isHidden()) {
        return;
    }
    m_parts.SBar.setPanelText(1, u"%1/%2"_s.arg(swfFlash1.FrameNum()).arg(swfFlash1.TotalFrames()));
    m_parts.SBar.setPanelText(2, u"当前正在播放: "_s + swfFlash1.Movie());
}

void PlaybackMonitor::PlayNext(int step) {
    ProgramState& state = m_parts.state;
    state.StopFlag = 1;
    PlaylistModel& playlist = m_parts.lvlist.playlist();
    const int count = int(playlist.count());
    if (count == 0) {
        ReplaySWF();
        return;
    }
    if (isChecked(m_parts.mnuset, Shuffle)) {
        state.CurrentIndex = int(QRandomGenerator::global()->bounded(1, count + 1));
    } else {
        // A remainder that keeps its sign would turn "back from the first" into a negative.
        int next = (state.CurrentIndex + step) % (count + 1);
        if (next < 0) {
            next += count + 1;
        }
        state.CurrentIndex = next != 0 ? next : (step < 0 ? count : 1);
    }
    if (state.CurrentIndex < 1 || state.CurrentIndex > count) {
        return;
    }
    const QModelIndex row = playlist.index(state.CurrentIndex - 1, 0);
    m_parts.lvlist.selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    const QString path = playlist.entryAt(state.CurrentIndex).path;
    m_parts.window.InitSWF(path, true);
}

void PlaybackMonitor::ReplaySWF() {
    ReplayGuard guard(m_inReplay);
    m_parts.state.StopFlag = 1;
    if (!m_parts.host.swfFlash1()) {
        return;
    }
    m_parts.host.swfFlash1()->Rewind();
    Delay(0.5f);
    // A command during the wait may have changed much, but never removes the control.
    m_parts.host.swfFlash1()->Play();
    Delay(1.0f);
    m_parts.host.swfFlash1()->Play();
}

void PlaybackMonitor::Delay(float seconds) {
    const double start = m_parts.clock.elapsedSeconds();
    while (start + double(seconds) > m_parts.clock.elapsedSeconds()) {
        m_parts.eventPump.processPendingEvents();
        if (start + double(seconds) > m_parts.clock.elapsedSeconds()) {
            QThread::msleep(DelayPollMilliseconds);
        }
    }
}

int PlaybackMonitor::selectedPosition() const {
    const QList<int> selected = m_parts.lvlist.selectedPositions();
    if (selected.isEmpty()) {
        return 0;
    }
    // The focused row when it is among the selected ones, as the list's own selected item.
    const int current = m_parts.lvlist.currentIndex().row() + 1;
    return selected.contains(current) ? current : selected.first();
}

void PlaybackMonitor::lvlist_DblClick() {
    m_parts.window.ViewCommand(10);
    const int position = selectedPosition();
    if (position == 0) {
        return;
    }
    m_parts.state.CurrentIndex = position;
    const QString path = m_parts.lvlist.playlist().entryAt(position).path;
    m_parts.window.InitSWF(path, true);
}

void PlaybackMonitor::IsStop() {
    m_parts.state.StopFlag = 1;
}

} // namespace kf
