#pragma once

#include "platform/ClockService.h"
#include "platform/WebBrowserService.h"
#include "player/BrowserNavigator.h"
#include "player/FlashControl.h"
#include "player/FrameClock.h"
#include "player/MovieLoader.h"
#include "player/StageWidget.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace kf::swf {
class MoviePlayer;
namespace avm1 {
class Interpreter;
}
}

namespace kf {

// The Flash control on our own engine. The movie runs on its own frame clock at the movie's
// frame rate, separate from the window's 50 ms monitor; the stage is drawn by StageWidget,
// which is the control's own window.
class SwfFlashControl : public QObject, public FlashControl {
    Q_OBJECT

public:
    // The clock paces the frames (tests script it); getURL goes to the browser service.
    SwfFlashControl(ClockService& clock, WebBrowserService& browser, QWidget* parent);
    ~SwfFlashControl() override;

    QString Movie() const override { return m_Movie; }
    void setMovie(const QString& Movie) override;
    void setQuality(int Quality) override;
    bool Loop() const override { return m_Loop; }
    void setLoop(bool Loop) override;
    int FrameNum() const override;
    void setFrameNum(int FrameNum) override;
    void Play() override;
    void Stop() override;
    void Rewind() override;
    void Zoom(int factor) override;
    void setScaleMode(int ScaleMode) override;
    void setBackgroundColor(int BackgroundColor) override;
    int TotalFrames() const override;
    bool Playing() const override;
    void StopPlay() override;
    void GotoFrame(int FrameNum) override;
    int CurrentFrame() const override;
    void setWMode(const QString& WMode) override { m_WMode = WMode; }
    void setMenu(bool Menu) override { m_Menu = Menu; }
    void setBase(const QString& Base) override { m_Base = Base; }
    void LoadMovie(int layer, const QString& url) override;
    void SetVariable(const QString& name, const QString& value) override;
    void method200() override {}
    void setProperty202(const QString& value) override { Q_UNUSED(value); }

    void Move(const QRect& rect) override;
    bool Visible() const override;
    void setVisible(bool Visible) override;
    void ZOrder(int position) override;
    void SetFocus() override;
    QRect rect() const override;
    QWidget* window() const override;

    // Advances the frames that are due by the clock; the frame timer calls it, tests too.
    void runDueFrames();
    // Variables set before the movie can take them (no interpreter reads them yet).
    const QMap<QString, QString>& variables() const { return m_variables; }
    QString errorText() const;
    bool isLoading() const override { return m_loader.isBusy(); }
    StageWidget* stage() const { return m_stage; }

private:
    void load(const QString& address);
    void showMovie(Result<swf::Movie> movie, const QString& address);
    void unloadMovie();
    bool hasMovie() const;
    // Runs the frame clock exactly while the movie plays, whoever started or stopped it.
    void followPlayState();
    void scheduleNextFrame();
    int clampFrame(int frame) const;
    // The stage widget's mouse and keys go to the movie; what their scripts change is drawn.
    void connectStageInput();
    void afterInput();
    QString resolved(const QString& address) const;

    ClockService& m_clock;
    BrowserNavigator m_navigator;
    // Declared before the player: the player's scripts run on it until the player is gone.
    std::unique_ptr<swf::avm1::Interpreter> m_interpreter;
    std::unique_ptr<swf::MoviePlayer> m_player;
    MovieLoader m_loader;
    FrameClock m_frameClock;
    QTimer m_frameTimer;
    QPointer<StageWidget> m_stage;

    QString m_Movie;
    QString m_WMode;
    QString m_Base;
    bool m_Menu = true;
    bool m_Loop = true;
    // What Play and StopPlay asked for while the movie was on its way; untouched, a movie
    // plays as its first frame leaves it.
    enum class PendingPlay { AsLoaded, Play, Stop };
    PendingPlay m_pendingPlay = PendingPlay::AsLoaded;
    QMap<QString, QString> m_variables;
};

} // namespace kf
