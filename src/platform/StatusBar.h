#pragma once

#include "platform/ClockService.h"

#include <QLabel>
#include <QList>
#include <QTimer>
#include <QWidget>

namespace kf {

enum class PanelStyle { Text, Date, Time };

// A status bar of numbered panels (from 1), like the common control: text panels written by
// the program, date and time panels kept current by the bar itself, one stretching panel,
// and a click that reports which panel was hit.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    explicit StatusBar(ClockService& clock, QWidget* parent = nullptr);

    int addPanel(PanelStyle style, int width, int minimumWidth, bool stretches);
    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    QLabel* panelLabel(int panel) const;
    int panelAt(const QPoint& position) const;

    // Rewrites the date and time panels from the clock; the bar's own timer calls it too.
    void refreshClockPanels();

Q_SIGNALS:
    void panelClicked(int panel);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Panel {
        PanelStyle style;
        QLabel* label;
    };

    ClockService& m_clock;
    QList<Panel> m_panels;
    QTimer m_refreshTimer;
};

} // namespace kf
