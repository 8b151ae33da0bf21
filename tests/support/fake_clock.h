#pragma once
// A clock that stands still until told otherwise. processEvents() moves it forward by the
// time asked for (or a fixed step), so waits built on it end at once in tests, and runs
// the onProcessEvents hook, where a test can act "during" a wait.
#include "platform/clock.h"

#include <functional>

class FakeClock : public Clock {
public:
    FakeClock();

    QDate today() const override { return now_.date(); }
    QDateTime now() const override { return now_; }
    // shortDate when set, else today in the locale's short format.
    QString shortDateText() const override;
    int secondOfMinute() const override { return now_.time().second(); }
    qint64 monotonicMs() const override { return monotonic_; }
    // Advances by `step` when set (> 0), else by maxMs, at least 1 ms. Throws
    // std::runtime_error after callLimit calls, so a wait that never ends fails the test
    // instead of hanging it.
    void processEvents(int maxMs) override;

    void setNow(const QDateTime& t) { now_ = t; }
    void setDate(const QDate& d) { now_.setDate(d); }
    void setTime(const QTime& t) { now_.setTime(t); }
    // Moves both the time of day and the monotonic time.
    void advance(qint64 ms);

    int step = 0;
    // Also let Qt handle its pending events (without waiting) on every call.
    bool realEvents = false;
    std::function<void()> onProcessEvents;
    QString shortDate;
    int callLimit = 1000000;

    int processEventsCalls = 0;
    qint64 waitedMs = 0;   // total time advanced by processEvents()

private:
    QDateTime now_;
    qint64 monotonic_ = 0;
};
