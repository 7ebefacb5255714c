#pragma once

#include <QString>

namespace kf {

enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { Information, Warning };
enum class MessageAnswer { Ok, Cancel };

// A modal message box. Closing the box counts as Cancel.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                                      MessageIcon icon) = 0;
};

} // namespace kf
