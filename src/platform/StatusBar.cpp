#include "platform/StatusBar.h"

#include <QHBoxLayout>
#include <QMouseEvent>

using namespace Qt::Literals::StringLiterals;

namespace kf {

StatusBar::StatusBar(ClockService& clock, QWidget* parent) : QWidget(parent), m_clock(clock) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 2, 1, 1);
    layout->setSpacing(2);
    // The time panel shows minutes, but a refresh every second keeps it at most a second late.
    m_refreshTimer.setInterval(1000);
    connect(&m_refreshTimer, &QTimer::timeout, this, &StatusBar::refreshClockPanels);
    m_refreshTimer.start();
}

int StatusBar::addPanel(PanelStyle style, int width, int minimumWidth, bool stretches) {
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(stretches ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Preferred);
    if (!stretches) {
        label->setFixedWidth(qMax(width, minimumWidth));
    }
    if (style != PanelStyle::Text) {
        label->setAlignment(Qt::AlignCenter);
    }
    static_cast<QHBoxLayout*>(layout())->addWidget(label, stretches ? 1 : 0);
    m_panels.append(Panel{style, label});
    refreshClockPanels();
    return int(m_panels.size());
}

QLabel* StatusBar::panelLabel(int panel) const {
    if (panel < 1 || panel > m_panels.size()) {
        return nullptr;
    }
    return m_panels[panel - 1].label;
}

QString StatusBar::panelText(int panel) const {
    const QLabel* label = panelLabel(panel);
    return label ? label->text() : QString();
}

void StatusBar::setPanelText(int panel, const QString& text) {
    if (QLabel* label = panelLabel(panel)) {
        label->setText(text);
    }
}

int StatusBar::panelAt(const QPoint& position) const {
    for (int index = 0; index < m_panels.size(); ++index) {
        if (m_panels[index].label->geometry().contains(position)) {
            return index + 1;
        }
    }
    return 0;
}

void StatusBar::refreshClockPanels() {
    const QDateTime now = m_clock.currentDateTime();
    for (const Panel& panel : m_panels) {
        if (panel.style == PanelStyle::Date) {
            panel.label->setText(now.toString(u"yyyy-MM-dd"_s));
        } else if (panel.style == PanelStyle::Time) {
            panel.label->setText(now.toString(u"HH:mm"_s));
        }
    }
}

void StatusBar::mousePressEvent(QMouseEvent* event) {
    const int panel = panelAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && panel > 0) {
        Q_EMIT panelClicked(panel);
    }
    QWidget::mousePressEvent(event);
}

} // namespace kf
