#include "platform/qt/qt_com_port.h"

#include "platform/clock.h"
#include "platform/platform.h"

namespace {
// Time allowed for sending: 9600 baud moves about one byte a millisecond.
int writeTimeoutMs(qint64 bytes) { return 1000 + static_cast<int>(bytes) * 2; }
// Upper bound of the polls in one input(), so a device that never stops sending
// cannot hold the caller forever.
constexpr int kMaxPolls = 256;

// Errors after which the device is gone or unusable. A hang-up shows as a read error
// (the read finds end of file) or a resource error (EIO) on Linux, an unplugged adapter
// as a resource error.
bool deviceLost(QSerialPort::SerialPortError e)
{
    return e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError ||
           e == QSerialPort::PermissionError || e == QSerialPort::DeviceNotFoundError;
}
}

QtComPort::QtComPort()
{
    sinceStart_.start();
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { takeArrived(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError e) { onError(e); });
}

// A hang-up is reported while events are processed, typically during a burner command's
// wait. A device that hung up goes on signalling data to read, and every read fails
// again, which keeps the processor busy; the port is closed as soon as the error comes,
// so the wait sees the port gone and the next "open if closed" starts afresh.
void QtComPort::onError(QSerialPort::SerialPortError e)
{
    if (closing_ || !port_.isOpen() || !deviceLost(e))
        return;
    noteError(QStringLiteral("line lost (%1)").arg(port_.errorString()));
    closeDevice();
}

// The time on the clock of the program's waits; without one installed, the port's own.
qint64 QtComPort::nowMs() const
{
    if (const Clock* clock = platform().clock) return clock->monotonicMs();
    return sinceStart_.elapsed();
}

// Moves what Qt has read from the device into the runs, stamped now.
void QtComPort::takeArrived()
{
    if (!port_.isOpen() || port_.bytesAvailable() <= 0)
        return;
    const QByteArray data = port_.readAll();
    if (!data.isEmpty())
        received_.append(Com_Input{ data, nowMs() });
}

// Closing a device that is gone fails to restore its settings and reports that as an
// error while the port still counts as open; the flag keeps that report from closing
// the port again from inside its own close.
void QtComPort::closeDevice()
{
    if (closing_ || !port_.isOpen())
        return;
    closing_ = true;
    port_.close();
    closing_ = false;
    // What was received and not yet read goes with the port, as Qt's own buffer does.
    received_.clear();
}

QtComPort::~QtComPort()
{
    if (port_.isOpen())
        closeDevice();
}

void QtComPort::setPortNumber(int n) { number_ = n; }

int QtComPort::portNumber() const { return number_; }

QString QtComPort::deviceName() const
{
    return port_.isOpen() ? device_ : comPortDevice(number_);
}

void QtComPort::noteError(const QString& what)
{
    error_ = device_.isEmpty() ? what : device_ + QStringLiteral(": ") + what;
}

bool QtComPort::open()
{
    if (port_.isOpen())
        return true;
    device_ = comPortDevice(number_);
    if (device_.isEmpty()) {
        error_ = QStringLiteral("COM%1: no such port").arg(number_);
        return false;
    }
    port_.setPortName(device_);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(0);
    if (!port_.open(QIODevice::ReadWrite)) {
        noteError(port_.errorString());
        port_.clearError();
        return false;
    }
    // Settings given before open() are applied by open(); check that the line really
    // runs as asked, since a device may refuse a setting without failing the open.
    if (port_.baudRate() != QSerialPort::Baud9600 || port_.dataBits() != QSerialPort::Data8 ||
        port_.parity() != QSerialPort::NoParity || port_.stopBits() != QSerialPort::OneStop) {
        noteError(QStringLiteral("cannot set 9600 baud, 8 data bits, no parity, 1 stop bit"));
        closeDevice();
        return false;
    }
    error_.clear();
    return true;
}

void QtComPort::close()
{
    if (port_.isOpen())
        closeDevice();
    port_.clearError();
}

bool QtComPort::isOpen() const { return port_.isOpen(); }

// A device that went away (USB adapter pulled, other end of a pty closed) leaves the
// port nominally open; close it so that the next "open if closed" starts afresh.
void QtComPort::dropBrokenDevice()
{
    const QSerialPort::SerialPortError e = port_.error();
    if (e == QSerialPort::NoError)
        return;
    if (e == QSerialPort::TimeoutError) {
        port_.clearError();
        return;
    }
    noteError(port_.errorString());
    if (deviceLost(e))
        closeDevice();
    port_.clearError();
}

bool QtComPort::output(const QByteArray& data)
{
    if (!port_.isOpen()) {
        error_ = QStringLiteral("COM%1: port is not open").arg(number_);
        return false;
    }
    const qint64 written = port_.write(data);
    if (written != data.size()) {
        noteError(port_.errorString());
        dropBrokenDevice();
        return false;
    }
    port_.flush();
    const int timeout = writeTimeoutMs(data.size());
    while (port_.isOpen() && port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(timeout))
            break;
    }
    if (!port_.isOpen() || port_.bytesToWrite() > 0) {
        if (port_.isOpen() && port_.error() == QSerialPort::TimeoutError)
            noteError(QStringLiteral("output timed out"));
        dropBrokenDevice();
        return false;
    }
    return true;
}

QList<Com_Input> QtComPort::inputRuns()
{
    if (!port_.isOpen())
        return {};
    // Qt sees only what it has already taken from the device: poll it in first (each
    // poll that finds data signals readyRead, which stamps it). A hang-up found while
    // polling closes the port.
    for (int i = 0; i < kMaxPolls && port_.isOpen() && port_.waitForReadyRead(0); ++i) {
    }
    if (!port_.isOpen())
        return {};
    takeArrived();
    QList<Com_Input> runs;
    runs.swap(received_);
    dropBrokenDevice();
    return runs;
}

QString QtComPort::errorText() const { return error_; }
