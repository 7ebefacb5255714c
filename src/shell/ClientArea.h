#pragma once

#include <QWidget>

namespace kf {

// The main window's client area. Its children are placed by the window's resize rule, not
// by a layout, because the list, the label and the player overlap.
class ClientArea : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

Q_SIGNALS:
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace kf
