#include "player/StageWidget.h"

#include "player/FlashKeyCodes.h"
#include "swf/render/StageRenderer.h"
#include "swf/runtime/MoviePlayer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace kf {

StageWidget::StageWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(u"swfFlash1"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Buttons roll over without a press.
    setMouseTracking(true);
}

void StageWidget::setMoviePlayer(const swf::MoviePlayer* player) {
    m_player = player;
    update();
}

void StageWidget::setErrorText(const QString& text) {
    m_errorText = text;
    update();
}

void StageWidget::setScaleMode(swf::ScaleMode mode) {
    m_scaleMode = mode;
    update();
}

void StageWidget::setZoom(double zoom) {
    m_zoom = zoom;
    update();
}

void StageWidget::setQuality(swf::RenderQuality quality) {
    m_quality = quality;
    update();
}

void StageWidget::setBackground(std::optional<swf::Rgba> background) {
    m_background = background;
    update();
}

swf::StageView StageWidget::stageView(QSize output) const {
    swf::StageView view;
    view.outputWidth = output.width();
    view.outputHeight = output.height();
    view.scaleMode = m_scaleMode;
    view.zoom = m_zoom;
    view.quality = m_quality;
    if (m_player && m_player->isLoaded()) {
        view.frameSize = m_player->stageRect();
        view.zoomCenterX = (view.frameSize.xMin.value + view.frameSize.xMax.value) / 2.0;
        view.zoomCenterY = (view.frameSize.yMin.value + view.frameSize.yMax.value) / 2.0;
        view.background = m_background.value_or(m_player->backgroundColor());
    } else if (m_background) {
        view.background = *m_background;
    }
    return view;
}

QPointF StageWidget::stagePoint(QPointF widgetPoint) const {
    const qreal ratio = devicePixelRatioF();
    const QSize output = (QSizeF(size()) * ratio).toSize();
    const swf::Matrix toOutput = swf::StageRenderer::stageToOutput(stageView(output));
    if (toOutput.determinant() == 0.0) {
        return {};
    }
    const swf::Matrix toStage = toOutput.inverted();
    const double x = widgetPoint.x() * ratio;
    const double y = widgetPoint.y() * ratio;
    return QPointF(toStage.mapX(x, y), toStage.mapY(x, y));
}

void StageWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = stagePoint(event->position());
    Q_EMIT stageMouseMoved(point.x(), point.y());
}

void StageWidget::mousePressEvent(QMouseEvent* event) {
    if (!forwardButton(*event, &StageWidget::stageMousePressed)) {
        QWidget::mousePressEvent(event);
    }
}

void StageWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!forwardButton(*event, &StageWidget::stageMouseReleased)) {
        QWidget::mouseReleaseEvent(event);
    }
}

bool StageWidget::forwardButton(const QMouseEvent& event, void (StageWidget::*signal)(double, double)) {
    if (event.button() != Qt::LeftButton) {
        return false;
    }
    const QPointF point = stagePoint(event.position());
    Q_EMIT(this->*signal)(point.x(), point.y());
    return true;
}

void StageWidget::keyPressEvent(QKeyEvent* event) {
    if (!forwardKey(*event, &StageWidget::stageKeyPressed)) {
        QWidget::keyPressEvent(event);
    }
}

void StageWidget::keyReleaseEvent(QKeyEvent* event) {
    // Held keys repeat as presses only, as Flash Player sees them.
    if (!event->isAutoRepeat() && !forwardKey(*event, &StageWidget::stageKeyReleased)) {
        QWidget::keyReleaseEvent(event);
    }
}

bool StageWidget::forwardKey(const QKeyEvent& event, void (StageWidget::*signal)(int, int)) {
    const QString text = event.text();
    const int code = flashKeyCode(event.key(), event.modifiers());
    const int character = text.isEmpty() ? 0 : text.at(0).unicode();
    if (code == 0 && character == 0) {
        return false;
    }
    Q_EMIT(this->*signal)(code, character);
    return true;
}

void StageWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const bool hasMovie = m_player && m_player->isLoaded();
    if (!hasMovie) {
        painter.fillRect(event->rect(), Qt::black);
        if (!m_errorText.isEmpty()) {
            painter.setPen(QColor(220, 220, 220));
            painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                             m_errorText);
        }
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize output = (QSizeF(size()) * ratio).toSize();
    if (output.isEmpty()) {
        return;
    }
    const swf::StageView view = stageView(output);
    if (m_frame.size() != output) {
        m_frame = QImage(output, QImage::Format_ARGB32_Premultiplied);
    }
    m_frame.fill(QColor(view.background.red, view.background.green, view.background.blue));
    m_renderer.render(m_player->levels(), view, m_frame);
    m_frame.setDevicePixelRatio(ratio);
    painter.drawImage(QPoint(0, 0), m_frame);
}

} // namespace kf
