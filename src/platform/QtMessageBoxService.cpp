#include "platform/QtMessageBoxService.h"

#include <QAbstractButton>
#include <QMessageBox>

using namespace Qt::Literals::StringLiterals;

namespace kf {

MessageAnswer QtMessageBoxService::showMessage(const QString& text, const QString& title,
                                               MessageButtons buttons, MessageIcon icon) {
    const QMessageBox::Icon boxIcon =
        icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information;
    const QMessageBox::StandardButtons boxButtons = buttons == MessageButtons::OkCancel
                                                        ? QMessageBox::Ok | QMessageBox::Cancel
                                                        : QMessageBox::StandardButtons(QMessageBox::Ok);
    // The texts break their lines with CR LF; a label breaks at LF and would show the CR.
    QString shownText = text;
    shownText.replace(u"\r\n"_s, u"\n"_s);
    QMessageBox box(boxIcon, title, shownText, boxButtons, m_parent.window());
    // The buttons speak the interface's language whatever translations are installed.
    box.button(QMessageBox::Ok)->setText(u"确定"_s);
    if (buttons == MessageButtons::OkCancel) {
        box.button(QMessageBox::Cancel)->setText(u"取消"_s);
    }
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace kf
