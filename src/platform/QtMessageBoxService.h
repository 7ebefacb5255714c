#pragma once

#include "platform/DialogParent.h"
#include "platform/MessageBoxService.h"

namespace kf {

class QtMessageBoxService final : public MessageBoxService {
public:
    explicit QtMessageBoxService(const DialogParent& parent) : m_parent(parent) {}
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                              MessageIcon icon) override;

private:
    const DialogParent& m_parent;
};

} // namespace kf
