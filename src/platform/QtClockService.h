#pragma once

#include "platform/ClockService.h"

#include <QElapsedTimer>

namespace kf {

class QtClockService final : public ClockService {
public:
    QtClockService() { m_timer.start(); }
    double elapsedSeconds() const override { return static_cast<double>(m_timer.nsecsElapsed()) / 1e9; }
    QDateTime currentDateTime() const override { return QDateTime::currentDateTime(); }

private:
    QElapsedTimer m_timer;
};

} // namespace kf
