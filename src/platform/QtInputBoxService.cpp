#include "platform/QtInputBoxService.h"

#include <QInputDialog>

namespace kf {

QString QtInputBoxService::askText(const QString& prompt, const QString& title, const QString& defaultText) {
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(m_parent.window(), title, prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? answer : QString();
}

} // namespace kf
