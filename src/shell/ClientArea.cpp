#include "shell/ClientArea.h"

namespace kf {

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}

} // namespace kf
