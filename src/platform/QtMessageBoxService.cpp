#include "platform/QtMessageBoxService.h"

#include <QMessageBox>

namespace kf {

MessageAnswer QtMessageBoxService::showMessage(const QString& text, const QString& title,
                                               MessageButtons buttons, MessageIcon icon) {
    const QMessageBox::Icon boxIcon =
        icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information;
    const QMessageBox::StandardButtons boxButtons = buttons == MessageButtons::OkCancel
                                                        ? QMessageBox::Ok | QMessageBox::Cancel
                                                        : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(boxIcon, title, text, boxButtons, m_parent.window());
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace kf
