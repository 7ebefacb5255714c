#pragma once

#include "platform/EventPumpService.h"

#include <functional>

namespace kf {

// Counts the pumps; a test may run a step on each, as if an event had arrived meanwhile.
class ScriptedEventPumpService final : public EventPumpService {
public:
    void processPendingEvents() override {
        ++m_pumpCount;
        if (m_onPump) {
            m_onPump();
        }
    }

    void processPendingEventsExceptInput() override {
        ++m_inputlessPumpCount;
        if (m_onPump) {
            m_onPump();
        }
    }

    void setOnPump(std::function<void()> onPump) { m_onPump = std::move(onPump); }
    int pumpCount() const { return m_pumpCount; }
    int inputlessPumpCount() const { return m_inputlessPumpCount; }

private:
    std::function<void()> m_onPump;
    int m_pumpCount = 0;
    int m_inputlessPumpCount = 0;
};

} // namespace kf
