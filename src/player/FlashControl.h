#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace kf {

// The Flash player control as the window drives it: the members its commands name, plus the
// operations every control of the window has (move, show, bring to front, focus, rectangle).
// Frames count from 0. Without a movie the frame members read 0 and Playing reads false.
class FlashControl {
public:
    virtual ~FlashControl() = default;

    // The address last set, read back as it was given; setting it loads that movie.
    virtual QString Movie() const = 0;
    virtual void setMovie(const QString& Movie) = 0;
    // 0 low, 1 high.
    virtual void setQuality(int Quality) = 0;
    virtual bool Loop() const = 0;
    virtual void setLoop(bool Loop) = 0;
    virtual int FrameNum() const = 0;
    virtual void setFrameNum(int FrameNum) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Rewind() = 0;
    // A percentage of the visible area: 50 shows half as much, 200 twice as much, 0 all.
    virtual void Zoom(int factor) = 0;
    // 0 show all, 1 no border, 2 exact fit.
    virtual void setScaleMode(int ScaleMode) = 0;
    // 0xRRGGBB, or -1 for the movie's own colour.
    virtual void setBackgroundColor(int BackgroundColor) = 0;
    virtual int TotalFrames() const = 0;
    virtual bool Playing() const = 0;
    virtual void StopPlay() = 0;
    virtual void GotoFrame(int FrameNum) = 0;
    virtual int CurrentFrame() const = 0;
    virtual void setWMode(const QString& WMode) = 0;
    virtual void setMenu(bool Menu) = 0;
    virtual void setBase(const QString& Base) = 0;
    // Layer 0 replaces the movie.
    virtual void LoadMovie(int layer, const QString& url) = 0;
    virtual void SetVariable(const QString& name, const QString& value) = 0;
    // The method with dispatch id 200 and the property with id 202: called on every load,
    // they change nothing a movie shows.
    virtual void method200() = 0;
    virtual void setProperty202(const QString& value) = 0;
    // True while a movie set by address is still on its way (a download); its frames are
    // not known yet, so it has neither ended nor begun.
    virtual bool isLoading() const = 0;

    virtual void Move(const QRect& rect) = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool Visible) = 0;
    // 0 brings the control in front of the window's other controls.
    virtual void ZOrder(int position) = 0;
    virtual void SetFocus() = 0;
    virtual QRect rect() const = 0;
    // The control's own window, where the hook on its keys and mouse goes.
    virtual QWidget* window() const = 0;
};

} // namespace kf
