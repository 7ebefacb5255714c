#pragma once

#include "platform/EventPumpService.h"

#include <QCoreApplication>

namespace kf {

class QtEventPumpService final : public EventPumpService {
public:
    void processPendingEvents() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
    void processPendingEventsExceptInput() override {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
};

} // namespace kf
