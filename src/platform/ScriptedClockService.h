#pragma once

#include "platform/ClockService.h"

namespace kf {

// A clock that only moves when the test moves it.
class ScriptedClockService final : public ClockService {
public:
    double elapsedSeconds() const override { return m_seconds; }
    QDateTime currentDateTime() const override { return m_dateTime.addMSecs(qint64(m_seconds * 1000.0)); }

    void setDateTime(const QDateTime& dateTime) { m_dateTime = dateTime; }
    void advance(double seconds) { m_seconds += seconds; }

private:
    double m_seconds = 0.0;
    QDateTime m_dateTime = QDateTime(QDate(2013, 12, 30), QTime(11, 8));
};

} // namespace kf
