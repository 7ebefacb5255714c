#pragma once

#include "platform/InputBoxService.h"

#include <QList>

namespace kf {

// Answers queued by a test, calls recorded. An unqueued box is cancelled.
class ScriptedInputBoxService final : public InputBoxService {
public:
    struct Call {
        QString prompt;
        QString title;
        QString defaultText;
    };

    QString askText(const QString& prompt, const QString& title, const QString& defaultText) override {
        m_calls.append(Call{prompt, title, defaultText});
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }

    void queueAnswer(const QString& answer) { m_answers.append(answer); }
    const QList<Call>& calls() const { return m_calls; }

private:
    QList<QString> m_answers;
    QList<Call> m_calls;
};

} // namespace kf
