#pragma once

#include "platform/MessageBoxService.h"

#include <QList>

namespace kf {

// Answers queued by a test, calls recorded. An unqueued box is answered Cancel, the safe choice.
class ScriptedMessageBoxService final : public MessageBoxService {
public:
    struct Call {
        QString text;
        QString title;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                              MessageIcon icon) override {
        m_calls.append(Call{text, title, buttons, icon});
        return m_answers.isEmpty() ? MessageAnswer::Cancel : m_answers.takeFirst();
    }

    void queueAnswer(MessageAnswer answer) { m_answers.append(answer); }
    const QList<Call>& calls() const { return m_calls; }

private:
    QList<MessageAnswer> m_answers;
    QList<Call> m_calls;
};

} // namespace kf
