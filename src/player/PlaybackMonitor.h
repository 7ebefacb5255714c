#pragma once

#include "player/ProgramState.h"

#include <QObject>
#include <QTimer>

namespace kf {

// The polling timer and the playlist sequencing: what happens when a movie ends, Next and
// Previous, restarting a movie, and the double-click that plays an entry.
class PlaybackMonitor : public QObject {
    Q_OBJECT

public:
    static constexpr int TimerInterval = 50;

    explicit PlaybackMonitor(ProgramState& state, QObject* parent = nullptr);

    QTimer& swftimer() { return m_swftimer; }

    void swftimer_Timer();
    void PlayNext(int step);
    void ReplaySWF();
    void Delay(float seconds);
    void lvlist_DblClick();
    void IsStop();

private:
    ProgramState& m_state;
    QTimer m_swftimer;
};

} // namespace kf
