#pragma once

#include "platform/DialogParent.h"
#include "platform/InputBoxService.h"

namespace kf {

class QtInputBoxService final : public InputBoxService {
public:
    explicit QtInputBoxService(const DialogParent& parent) : m_parent(parent) {}
    QString askText(const QString& prompt, const QString& title, const QString& defaultText) override;

private:
    const DialogParent& m_parent;
};

} // namespace kf
