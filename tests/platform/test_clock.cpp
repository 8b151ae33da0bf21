// Waiting with the event loop running: no spinning, no missed events; and the test clock's
// guard against waits that never end.
#include "platform/qt/qt_clock.h"

#include "support/fake_clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTime>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>
#include <stdexcept>

namespace {
double cpuMs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}
}

TEST(QtClockWait, IdleWaitSleepsInsteadOfSpinning)
{
    QtClock clock;
    QCoreApplication::processEvents(); // clear what earlier tests left
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuMs();
    for (int i = 0; i < 5; ++i)
        clock.processEvents(40);
    const double cpu = cpuMs() - cpu0;
    EXPECT_GE(wall.elapsed(), 150);
    EXPECT_LT(wall.elapsed(), 1000);
    EXPECT_LT(cpu, 60.0) << "the wait used the processor for " << cpu << " ms";
}

TEST(QtClockWait, EventArrivingDuringTheWaitIsHandledAndEndsIt)
{
    QtClock clock;
    bool fired = false;
    QTimer::singleShot(30, [&] { fired = true; });
    QElapsedTimer wall;
    wall.start();
    while (!fired && wall.elapsed() < 3000)
        clock.processEvents(2000);
    EXPECT_TRUE(fired);
    EXPECT_LT(wall.elapsed(), 1000);
}

TEST(QtClockWait, PostedWorkRunsWithoutWaiting)
{
    QtClock clock;
    bool ran = false;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ran = true; }, Qt::QueuedConnection);
    QElapsedTimer wall;
    wall.start();
    clock.processEvents(500);
    EXPECT_TRUE(ran);
}

TEST(QtClockTime, SecondOfMinuteAndMonotonicTime)
{
    QtClock clock;
    const int s = clock.secondOfMinute();
    const int now = QTime::currentTime().second();
    EXPECT_TRUE(s == now || (s + 1) % 60 == now);
    const qint64 t0 = clock.monotonicMs();
    clock.processEvents(20);
    EXPECT_GE(clock.monotonicMs() - t0, 15);
    EXPECT_EQ(clock.today(), QDate::currentDate());
    EXPECT_FALSE(clock.shortDateText().isEmpty());
}

TEST(FakeClockWait, SecondsWaitEndsAcrossTheMinute)
{
    FakeClock clock;
    clock.setTime(QTime(10, 20, 58));
    // A burner-style wait: until the second of the minute reaches s + 3 (mod 60).
    const int target = (clock.secondOfMinute() + 3) % 60;
    while (clock.secondOfMinute() != target)
        clock.processEvents(0);
    EXPECT_EQ(clock.now().time(), QTime(10, 21, 1));
    EXPECT_GT(clock.processEventsCalls, 1);
}

TEST(FakeClockWait, WaitThatNeverEndsFailsInsteadOfHanging)
{
    FakeClock clock;
    clock.callLimit = 1000;
    EXPECT_THROW(
        {
            while (clock.secondOfMinute() != 60) // never true
                clock.processEvents(10);
        },
        std::runtime_error);
}
