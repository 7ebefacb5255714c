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
    // Where a point of the widget lands on the stage, in twips, through scale mode and zoom.
    QPointF stagePoint(QPointF widgetPoint) const;

Q_SIGNALS:
    // The mouse and keys for the movie, in stage twips and Flash key codes. Only the left
    // button reaches the movie; the window keeps the right one for its menu.
    void stageMouseMoved(double x, double y);
    void stageMousePressed(double x, double y);
    void stageMouseReleased(double x, double y);
    // `character` is the UTF-16 unit typed, 0 for keys that type none.
    void stageKeyPressed(int keyCode, int character);
    void stageKeyReleased(int keyCode, int character);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Emits `signal` for a left-button event at its stage point; false for other buttons.
    bool forwardButton(const QMouseEvent& event, void (StageWidget::*signal)(double, double));
    // Emits `signal` with the event's Flash key code and character; false for keys with neither.
    bool forwardKey(const QKeyEvent& event, void (StageWidget::*signal)(int, int));

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
