#pragma once

#include "player/FlashControl.h"

#include <QStringList>

namespace kf::test {

using namespace Qt::Literals::StringLiterals;

// A control that writes down every call, for the order of the steps around a load.
class RecordingFlashControl : public FlashControl {
public:
    QString Movie() const override { return m_movie; }
    void setMovie(const QString& Movie) override {
        m_movie = Movie;
        calls.append(u"Movie "_s + Movie);
    }
    void setQuality(int Quality) override { calls.append(u"Quality %1"_s.arg(Quality)); }
    bool Loop() const override { return m_loop; }
    void setLoop(bool Loop) override {
        m_loop = Loop;
        calls.append(Loop ? u"Loop true"_s : u"Loop false"_s);
    }
    int FrameNum() const override { return frame; }
    void setFrameNum(int FrameNum) override { frame = FrameNum; }
    void Play() override { calls.append(u"Play"_s); }
    void Stop() override { calls.append(u"Stop"_s); }
    void Rewind() override { calls.append(u"Rewind"_s); }
    void Zoom(int factor) override { calls.append(u"Zoom %1"_s.arg(factor)); }
    void setScaleMode(int ScaleMode) override { calls.append(u"ScaleMode %1"_s.arg(ScaleMode)); }
    void setBackgroundColor(int BackgroundColor) override {
        calls.append(u"BackgroundColor %1"_s.arg(BackgroundColor));
    }
    int TotalFrames() const override { return total; }
    bool Playing() const override { return playing; }
    void StopPlay() override { calls.append(u"StopPlay"_s); }
    void GotoFrame(int FrameNum) override { calls.append(u"GotoFrame %1"_s.arg(FrameNum)); }
    int CurrentFrame() const override { return frame; }
    void setWMode(const QString& WMode) override { calls.append(u"WMode "_s + WMode); }
    void setMenu(bool Menu) override { calls.append(Menu ? u"Menu true"_s : u"Menu false"_s); }
    void setBase(const QString& Base) override { calls.append(u"Base "_s + Base); }
    void LoadMovie(int layer, const QString& url) override {
        calls.append(u"LoadMovie %1 "_s.arg(layer) + url);
    }
    void SetVariable(const QString& name, const QString& value) override {
        calls.append(u"SetVariable "_s + name + u'=' + value);
    }
    void method200() override { calls.append(u"200"_s); }
    void setProperty202(const QString& value) override { calls.append(u"202 "_s + value); }
    bool isLoading() const override { return false; }
    void Move(const QRect& rect) override {
        m_rect = rect;
        calls.append(u"Move %1,%2 %3x%4"_s.arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height()));
    }
    bool Visible() const override { return m_visible; }
    void setVisible(bool Visible) override {
        m_visible = Visible;
        calls.append(Visible ? u"Visible true"_s : u"Visible false"_s);
    }
    void ZOrder(int position) override { calls.append(u"ZOrder %1"_s.arg(position)); }
    void SetFocus() override { calls.append(u"SetFocus"_s); }
    QRect rect() const override { return m_rect; }
    QWidget* window() const override { return nullptr; }

    QStringList calls;
    int frame = 0;
    int total = 0;
    bool playing = false;

private:
    QString m_movie;
    QRect m_rect;
    bool m_loop = true;
    bool m_visible = false;
};

} // namespace kf::test
