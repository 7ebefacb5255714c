#pragma once

#include <QString>

namespace kf {

// A modal one-line input box. Cancel gives the empty text, as the handlers expect.
class InputBoxService {
public:
    virtual ~InputBoxService() = default;
    virtual QString askText(const QString& prompt, const QString& title, const QString& defaultText) = 0;
};

} // namespace kf
