#pragma once
// The computer's clock, and waiting with the event loop running.
#include "platform/clock.h"

#include <QElapsedTimer>

class QtClock : public Clock {
public:
    QtClock();
    QDate today() const override;
    QDateTime now() const override;
    // Today in the locale's short date format.
    QString shortDateText() const override;
    int secondOfMinute() const override;
    qint64 monotonicMs() const override;
    // Handles what is pending; when that took less than maxMs, sleeps in the event loop
    // until the next event arrives or maxMs have passed, so a wait loop built on it does
    // not spin the processor.
    void processEvents(int maxMs) override;

private:
    QElapsedTimer started_;
};
