#pragma once

#include "platform/OpenFileDialogService.h"

namespace kf {

// Chosen files queued by a test, calls recorded. An unqueued dialog is cancelled.
class ScriptedOpenFileDialogService final : public OpenFileDialogService {
public:
    struct Call {
        QString title;
        QList<FileFilter> filters;
        FileSelection selection;
    };

    QStringList chooseFiles(const QString& title, const QList<FileFilter>& filters,
                            FileSelection selection) override {
        m_calls.append(Call{title, filters, selection});
        return m_answers.isEmpty() ? QStringList() : m_answers.takeFirst();
    }

    void queueAnswer(const QStringList& files) { m_answers.append(files); }
    const QList<Call>& calls() const { return m_calls; }

private:
    QList<QStringList> m_answers;
    QList<Call> m_calls;
};

} // namespace kf
