#include "fake_clock.h"

#include <QCoreApplication>
#include <QLocale>
#include <stdexcept>

FakeClock::FakeClock() : now_(QDate(2024, 5, 17), QTime(10, 20, 30)) {}

QString FakeClock::shortDateText() const
{
    if (!shortDate.isEmpty())
        return shortDate;
    return QLocale().toString(now_.date(), QLocale::ShortFormat);
}

void FakeClock::advance(qint64 ms)
{
    now_ = now_.addMSecs(ms);
    monotonic_ += ms;
}

void FakeClock::processEvents(int maxMs)
{
    if (++processEventsCalls > callLimit)
        throw std::runtime_error("FakeClock: processEvents called too often; a wait never ended");
    const qint64 by = step > 0 ? step : (maxMs > 0 ? maxMs : 1);
    advance(by);
    waitedMs += by;
    if (realEvents && QCoreApplication::instance())
        QCoreApplication::processEvents();
    if (onProcessEvents)
        onProcessEvents();
}
