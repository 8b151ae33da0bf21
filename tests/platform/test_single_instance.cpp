// One copy per user: the lock decides, the first copy is called forward by a later one,
// and what a dead copy left behind does not get in the way.
#include "platform/qt/qt_single_instance.h"

#include "support/event_wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

bool spinUntil(const std::function<bool()>& done, int ms = Event_Wait_Ms)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class SingleInstanceFiles : public ::testing::Test {
protected:
    QString lock() const { return dir.path() + "/Morrowbyte-test.lock"; }
    QString socket() const { return dir.path() + "/Morrowbyte-test.socket"; }
    QTemporaryDir dir;
};

} // namespace

TEST_F(SingleInstanceFiles, SecondCopyIsRefusedAndCallsTheFirstForward)
{
    QtSingleInstance first(lock(), socket());
    int activations = 0;
    first.setActivationHandler([&] { ++activations; });
    ASSERT_TRUE(first.tryBecomeFirst());

    QtSingleInstance second(lock(), socket());
    EXPECT_FALSE(second.tryBecomeFirst());
    EXPECT_TRUE(second.activateRunningCopy());
    EXPECT_TRUE(spinUntil([&] { return activations == 1; }));

    // It can ask again; each request is one activation.
    EXPECT_TRUE(second.activateRunningCopy());
    EXPECT_TRUE(spinUntil([&] { return activations == 2; }));
}

TEST_F(SingleInstanceFiles, NextCopyBecomesFirstWhenTheFirstHasEnded)
{
    {
        QtSingleInstance first(lock(), socket());
        ASSERT_TRUE(first.tryBecomeFirst());
    }
    QtSingleInstance next(lock(), socket());
    EXPECT_TRUE(next.tryBecomeFirst());
}

TEST_F(SingleInstanceFiles, LockAndSocketOfADeadCopyAreTakenOver)
{
    // A copy that died leaves its lock file, naming a process that no longer runs, and
    // its socket file.
    QProcess gone;
    gone.start("true");
    ASSERT_TRUE(gone.waitForFinished());
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
    {
        QFile f(lock());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(deadPid ? deadPid : 999999) + "\nmorrowburn\n" +
                QSysInfo::machineHostName().toUtf8() + "\n");
    }
    {
        QFile f(socket());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QtSingleInstance copy(lock(), socket());
    int activations = 0;
    copy.setActivationHandler([&] { ++activations; });
    ASSERT_TRUE(copy.tryBecomeFirst());

    QtSingleInstance later(lock(), socket());
    EXPECT_FALSE(later.tryBecomeFirst());
    EXPECT_TRUE(later.activateRunningCopy());
    EXPECT_TRUE(spinUntil([&] { return activations == 1; }));
}

// A lock file cut short or garbled (a crash while it was written, a full disk) names no
// process. With no copy answering it is taken over; a live copy still keeps a later one out
// whatever its lock file came to hold.
TEST_F(SingleInstanceFiles, EmptyOrGarbledLockIsTakenOverOnlyWhenNoCopyAnswers)
{
    const QByteArray contents[] = { QByteArray(), QByteArrayLiteral("\x00\xff garbage\n\n") };
    for (const QByteArray& content : contents) {
        SCOPED_TRACE(content.toHex().toStdString());
        {
            QFile f(lock());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
        }
        auto copy = std::make_unique<QtSingleInstance>(lock(), socket());
        ASSERT_TRUE(copy->tryBecomeFirst());

        // The running copy's lock file garbled the same way, in place.
        {
            QFile f(lock());
            ASSERT_TRUE(f.open(QIODevice::ReadWrite | QIODevice::Truncate));
            f.write(content);
        }
        QtSingleInstance later(lock(), socket());
        EXPECT_FALSE(later.tryBecomeFirst());
        EXPECT_TRUE(later.activateRunningCopy());
        copy.reset();
    }
}

TEST_F(SingleInstanceFiles, RequestBeforeTheHandlerIsSetIsNotLost)
{
    QtSingleInstance first(lock(), socket());
    ASSERT_TRUE(first.tryBecomeFirst());
    // The request a later copy sends; the first copy hangs up once it has read it.
    QLocalSocket s;
    s.connectToServer(socket());
    ASSERT_TRUE(s.waitForConnected(Event_Wait_Ms));
    s.write("activate\n");
    ASSERT_TRUE(spinUntil([&] { return s.state() == QLocalSocket::UnconnectedState; }));
    int activations = 0;
    first.setActivationHandler([&] { ++activations; });
    EXPECT_EQ(activations, 1);
}

TEST_F(SingleInstanceFiles, NothingRunningMeansNoOneToActivate)
{
    QtSingleInstance lone(lock(), socket());
    EXPECT_FALSE(lone.activateRunningCopy());
}

TEST_F(SingleInstanceFiles, StrayDataOnTheSocketActivatesNothing)
{
    QtSingleInstance first(lock(), socket());
    int activations = 0;
    first.setActivationHandler([&] { ++activations; });
    ASSERT_TRUE(first.tryBecomeFirst());
    QLocalSocket s;
    s.connectToServer(socket());
    ASSERT_TRUE(s.waitForConnected(Event_Wait_Ms));
    s.write("hello\n");
    s.waitForBytesWritten(Event_Wait_Ms);
    // The first copy hangs up once it has read the line.
    ASSERT_TRUE(spinUntil([&] { return s.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(activations, 0);
}

