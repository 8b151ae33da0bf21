#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// Today's date, the time of day and a monotonic time; waiting while events are processed.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
    virtual QString shortDateText() const = 0;
    virtual int secondOfMinute() const = 0;      // 0..59
    virtual qint64 monotonicMs() const = 0;
    // Processes pending events, waiting at most maxMs for more to arrive.
    virtual void processEvents(int maxMs) = 0;
};
