#include "player/PlaybackMonitor.h"

namespace kf {

PlaybackMonitor::PlaybackMonitor(ProgramState& state, QObject* parent) : QObject(parent), m_state(state) {
    m_swftimer.setInterval(TimerInterval);
    connect(&m_swftimer, &QTimer::timeout, this, &PlaybackMonitor::swftimer_Timer);
}

// Sequencing arrives with the playback-monitor issue; these are the seams it fills.
void PlaybackMonitor::swftimer_Timer() {}

void PlaybackMonitor::PlayNext(int step) {
    Q_UNUSED(step);
}

void PlaybackMonitor::ReplaySWF() {}

void PlaybackMonitor::Delay(float seconds) {
    Q_UNUSED(seconds);
}

void PlaybackMonitor::lvlist_DblClick() {}

void PlaybackMonitor::IsStop() {
    m_state.StopFlag = 1;
}

} // namespace kf
