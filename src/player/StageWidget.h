#pragma once

#include "swf/render/StageRenderer.h"
#include "swf/render/StageView.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace kf::swf {
class MoviePlayer;
}

namespace kf {

// The player's own window: draws the movie's stage fitted by scale mode and zoom, or, when a
// movie could not be loaded, a short line saying so.
class StageWidget : public QWidget {
    Q_OBJECT

public:
    explicit StageWidget(QWidget* parent = nullptr);

    // The movie to draw, or null for none; it must outlive the widget or be unset first.
    void setMoviePlayer(const swf::MoviePlayer* player);
    void setErrorText(const QString& text);
    const QString& errorText() const { return m_errorText; }

    void setScaleMode(swf::ScaleMode mode);
    // Fraction of the fitted stage that is visible, about the stage's centre (1: all of it).
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    void setQuality(swf::RenderQuality quality);
    // Unset: the movie's own background colour.
    void setBackground(std::optional<swf::Rgba> background);

    // The view that paints the stage at this size; public so tests can check the fit.
    swf::StageView stageView(QSize output) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const swf::MoviePlayer* m_player = nullptr;
    QString m_errorText;
    swf::ScaleMode m_scaleMode = swf::ScaleMode::ShowAll;
    double m_zoom = 1.0;
    swf::RenderQuality m_quality = swf::RenderQuality::High;
    std::optional<swf::Rgba> m_background;
    swf::StageRenderer m_renderer;
    QImage m_frame;
};

} // namespace kf
