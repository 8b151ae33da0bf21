// Waiting with the event loop running: no spinning, no missed events; and the test clock's
// guard against waits that never end.
#include "platform/qt/qt_clock.h"

#include "support/fake_clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>
#include <stdexcept>

namespace {
double cpuMs() { return std::clock() * 1000.0 / CLOCKS_PER_SEC; }
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
    EXPECT_LT(cpu, 60.0) << "the wait used the processor for " << cpu << " ms";
}

TEST(QtClockWait, EventArrivingDuringTheWaitIsHandledAndEndsIt)
{
    // Each wait may last a minute: an event 30 ms into it ends it long before that, however
    // busy the machine.
    QtClock clock;
    bool fired = false;
    QTimer::singleShot(30, [&] { fired = true; });
    QElapsedTimer wall;
    wall.start();
    while (!fired && wall.elapsed() < 30000)
        clock.processEvents(60000);
    EXPECT_TRUE(fired);
    EXPECT_LT(wall.elapsed(), 30000);
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
