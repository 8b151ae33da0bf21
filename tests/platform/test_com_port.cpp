// The serial port against a pseudo-terminal standing in for the burner, and the rule that
// maps COM<n> to a device.
#include "platform/qt/qt_com_port.h"

#include "support/event_wait.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Sets (or unsets, with a null value) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name))
    {
        old_ = qgetenv(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// The burner's end of the line: the master side of a pseudo-terminal.
class Pty {
public:
    Pty()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slave_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~Pty() { closeMaster(); }
    bool ok() const { return master_ >= 0 && !slave_.isEmpty(); }
    QString slavePath() const { return slave_; }
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }
    bool send(const QByteArray& bytes)
    {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.constData() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }
    // Reads until `count` bytes have come or `timeoutMs` has passed.
    QByteArray receive(int count, int timeoutMs = Event_Wait_Ms)
    {
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (out.size() < count && t.elapsed() < timeoutMs) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
                continue;
            char buf[1024];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0)
                out.append(buf, n);
        }
        return out;
    }

private:
    int master_ = -1;
    QString slave_;
};

QByteArray allByteValues()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(static_cast<char>(i));
    return b;
}

// input() until `count` bytes have come in (the line is not instantaneous).
QByteArray inputAtLeast(QtComPort& port, int count, int timeoutMs = Event_Wait_Ms)
{
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (got.size() < count && t.elapsed() < timeoutMs) {
        got += port.input();
        if (got.size() < count)
            ::usleep(10000);
    }
    return got;
}

// Bytes waiting to be read on this process's own descriptor of `device` (the open port's),
// counted without taking them; -1 when no descriptor of it is open. The port holds its
// device exclusively, so the test cannot open it a second time to look.
int bytesWaitingAt(const QString& device)
{
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        int waiting = 0;
        if (fd.symLinkTarget() == device && ::ioctl(fd.fileName().toInt(), FIONREAD, &waiting) == 0)
            return waiting;
    }
    return -1;
}

class ComPortOnPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pty.ok())
            GTEST_SKIP() << "no pseudo-terminal available";
        env = std::make_unique<ScopedEnv>("MORROWBURN_COM1", pty.slavePath().toLocal8Bit());
        port.setPortNumber(1);
        ASSERT_TRUE(port.open()) << port.errorText().toStdString();
    }

    Pty pty;
    std::unique_ptr<ScopedEnv> env;
    QtComPort port;
};

} // namespace

TEST(ComPortDevice, EnvironmentVariableNamesTheDeviceOfItsPortOnly)
{
    QTemporaryDir dev;
    ScopedEnv com1("MORROWBURN_COM1", "/tmp/burner-line");
    ScopedEnv com2("MORROWBURN_COM2", QByteArray());
    EXPECT_EQ(comPortDevice(1, dev.path()), "/tmp/burner-line");
    EXPECT_EQ(comPortDevice(2, dev.path()), dev.path() + "/ttyS1");
    EXPECT_EQ(comPortDevice(1), "/tmp/burner-line");
}

TEST(ComPortDevice, EmptyVariableCountsAsUnset)
{
    QTemporaryDir dev;
    ScopedEnv com3("MORROWBURN_COM3", "");
    EXPECT_EQ(comPortDevice(3, dev.path()), dev.path() + "/ttyS2");
}

TEST(ComPortDevice, UsbAdapterIsPreferredOverTheBuiltInPort)
{
    QTemporaryDir dev;
    ScopedEnv com1("MORROWBURN_COM1", QByteArray());
    ScopedEnv com2("MORROWBURN_COM2", QByteArray());
    QFile usb(dev.path() + "/ttyUSB1");
    ASSERT_TRUE(usb.open(QIODevice::WriteOnly));
    usb.close();
    // Port n uses adapter n-1: COM2 finds ttyUSB1, COM1 finds no ttyUSB0.
    EXPECT_EQ(comPortDevice(2, dev.path()), dev.path() + "/ttyUSB1");
    EXPECT_EQ(comPortDevice(1, dev.path()), dev.path() + "/ttyS0");
}

TEST_F(ComPortOnPty, EveryByteValueReachesTheBurnerUnchanged)
{
    const QByteArray bytes = allByteValues();
    ASSERT_TRUE(port.output(bytes));
    EXPECT_EQ(pty.receive(256), bytes);
}

TEST_F(ComPortOnPty, EveryByteValueFromTheBurnerArrivesUnchanged)
{
    const QByteArray bytes = allByteValues();
    ASSERT_TRUE(pty.send(bytes));
    EXPECT_EQ(inputAtLeast(port, 256), bytes);
}

TEST_F(ComPortOnPty, InputTakesEverythingReceivedAndLeavesNothing)
{
    ASSERT_TRUE(pty.send("55AA0102"));
    ASSERT_TRUE(pty.send("0304"));
    QElapsedTimer t;
    t.start();
    while (bytesWaitingAt(pty.slavePath()) < 12 && t.elapsed() < Event_Wait_Ms)
        ::usleep(1000);
    ASSERT_EQ(bytesWaitingAt(pty.slavePath()), 12);
    // One read returns both pieces although nobody ran the event loop in between.
    EXPECT_EQ(port.input(), QByteArray("55AA01020304"));
    EXPECT_EQ(port.input(), QByteArray());
    EXPECT_TRUE(port.errorText().isEmpty()) << port.errorText().toStdString();
}

TEST_F(ComPortOnPty, OutputRightBeforeCloseIsNotLost)
{
    const QByteArray command("e\x7f", 2);
    ASSERT_TRUE(port.output(command));
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(pty.receive(2), command);
}

TEST_F(ComPortOnPty, ClosedPortRefusesOutputAndGivesNoInput)
{
    port.close();
    ASSERT_TRUE(pty.send("55AA"));
    EXPECT_FALSE(port.output("s"));
    EXPECT_FALSE(port.errorText().isEmpty());
    EXPECT_EQ(port.input(), QByteArray());
}

TEST_F(ComPortOnPty, BurnerGoneDoesNotHangInput)
{
    pty.closeMaster();
    QElapsedTimer t;
    t.start();
    const QByteArray got = port.input();
    EXPECT_LT(t.elapsed(), 30000);   // a hang, not a slow machine
    EXPECT_TRUE(got.isEmpty());
    // The broken line is let go, so the next "open if closed" starts afresh.
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.errorText().isEmpty());
}

TEST_F(ComPortOnPty, HangUpIsNoticedWhileEventsRun)
{
    // Nobody reads or writes: the hang-up reported to the event loop alone drops the port
    // (a hung-up device would otherwise keep signalling data and busy the processor).
    pty.closeMaster();
    QElapsedTimer t;
    t.start();
    while (port.isOpen() && t.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.errorText().contains(QLatin1String("line lost"))) << port.errorText().toStdString();
}

TEST(ComPortOpen, MissingDeviceFailsWithItsNameInTheError)
{
    ScopedEnv com3("MORROWBURN_COM3", "/nonexistent/morrowburn-tty");
    QtComPort port;
    port.setPortNumber(3);
    EXPECT_EQ(port.portNumber(), 3);
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.errorText().contains("/nonexistent/morrowburn-tty")) << port.errorText().toStdString();
    EXPECT_FALSE(port.output("s"));
    EXPECT_EQ(port.input(), QByteArray());
}

TEST(ComPortOpen, NewPortNumberTakesEffectAtTheNextOpen)
{
    Pty first, second;
    if (!first.ok() || !second.ok())
        GTEST_SKIP() << "no pseudo-terminal available";
    ScopedEnv com1("MORROWBURN_COM1", first.slavePath().toLocal8Bit());
    ScopedEnv com2("MORROWBURN_COM2", second.slavePath().toLocal8Bit());
    QtComPort port;
    port.setPortNumber(1);
    ASSERT_TRUE(port.open());
    port.close();
    port.setPortNumber(2);
    ASSERT_TRUE(port.open());
    EXPECT_EQ(port.deviceName(), second.slavePath());
    ASSERT_TRUE(port.output("v"));
    EXPECT_EQ(second.receive(1), QByteArray("v"));
    EXPECT_EQ(first.receive(1, 200), QByteArray());
}
