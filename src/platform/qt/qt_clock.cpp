#include "platform/qt/qt_clock.h"

#include <QCoreApplication>
#include <QLocale>
#include <QThread>
#include <QTime>
#include <QTimer>

QtClock::QtClock() { started_.start(); }

QDate QtClock::today() const { return QDate::currentDate(); }

QDateTime QtClock::now() const { return QDateTime::currentDateTime(); }

QString QtClock::shortDateText() const { return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat); }

int QtClock::secondOfMinute() const { return QTime::currentTime().second(); }

qint64 QtClock::monotonicMs() const { return started_.elapsed(); }

void QtClock::processEvents(int maxMs)
{
    if (maxMs < 0)
        maxMs = 0;
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(maxMs));
        return;
    }
    QElapsedTimer spent;
    spent.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents, maxMs);
    const qint64 left = maxMs - spent.elapsed();
    if (left <= 0)
        return;
    // The timer bounds the wait; any other event that arrives first ends it sooner.
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(static_cast<int>(left));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
