#include "platform/QtInputBoxService.h"

#include <QInputDialog>

using namespace Qt::Literals::StringLiterals;

namespace kf {

QString QtInputBoxService::askText(const QString& prompt, const QString& title, const QString& defaultText) {
    QInputDialog box(m_parent.window());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.setOkButtonText(u"确定"_s);
    box.setCancelButtonText(u"取消"_s);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

} // namespace kf
