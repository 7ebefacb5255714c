#pragma once

#include "platform/FolderDialogService.h"

#include <QList>

namespace kf {

// Chosen folders queued by a test. An unqueued dialog is cancelled.
class ScriptedFolderDialogService final : public FolderDialogService {
public:
    QString chooseFolder() override {
        ++m_callCount;
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }

    void queueAnswer(const QString& folder) { m_answers.append(folder); }
    int callCount() const { return m_callCount; }

private:
    QList<QString> m_answers;
    int m_callCount = 0;
};

} // namespace kf
