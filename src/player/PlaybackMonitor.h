#pragma once

#include "platform/ClockService.h"
#include "platform/EventPumpService.h"
#include "platform/MenuArray.h"
#include "platform/StatusBar.h"
#include "player/PlayerControlHost.h"
#include "player/ProgramState.h"
#include "playlist/PlaylistView.h"

#include <QObject>
#include <QTimer>

namespace kf {

class FrmmainApi;

// What the monitor watches and changes, all owned by the main window.
struct MonitorParts {
    FrmmainApi& window;
    ProgramState& state;
    PlayerControlHost& host;
    PlaylistView& lvlist;
    StatusBar& SBar;
    const MenuArray& menuplay;
    const MenuArray& mnuview;
    const MenuArray& mnuset;
    ClockService& clock;
    EventPumpService& eventPump;
};

// The polling timer and the playlist sequencing: what happens when a movie ends, Next and
// Previous, restarting a movie, and the double-click that plays an entry.
class PlaybackMonitor : public QObject {
    Q_OBJECT

public:
    static constexpr int TimerInterval = 50;
    // A movie within this many frames of its end counts as ended.
    static constexpr int EndMargin = 5;

    explicit PlaybackMonitor(const MonitorParts& parts, QObject* parent = nullptr);

    QTimer& swftimer() { return m_swftimer; }

    void swftimer_Timer();
    void PlayNext(int step);
    void ReplaySWF();
    void Delay(float seconds);
    void lvlist_DblClick();
    void IsStop();

private:
    void handleEnd(FlashControl& swfFlash1);
    void showPosition(const FlashControl& swfFlash1);
    void returnToList(FlashControl& swfFlash1);
    int selectedPosition() const;

    MonitorParts m_parts;
    QTimer m_swftimer;
    // A tick that finds a restart still waiting in Delay skips its work, so restarts never
    // nest inside one another.
    bool m_inReplay = false;
};

} // namespace kf
