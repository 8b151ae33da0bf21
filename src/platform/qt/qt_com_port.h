#pragma once
// The burner's serial port on QSerialPort: 9600 baud, 8 data bits, no parity, 1 stop bit,
// no flow control. Port n is the device comPortDevice(n) names.
#include "platform/com_port.h"

#include <QElapsedTimer>
#include <QSerialPort>

class QtComPort : public ComPort {
public:
    QtComPort();
    ~QtComPort() override;

    // Takes effect at the next open; an open port stays on its device until closed.
    void setPortNumber(int n) override;
    int portNumber() const override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    // Writes everything and waits until it has left Qt's buffer, so that closing the
    // port right after sending loses nothing.
    bool output(const QByteArray& data) override;
    // Each run is stamped when Qt reads it from the device (its readyRead), on the clock
    // the program installed, so input that waited unread behind a dialog keeps its time.
    QList<Com_Input> inputRuns() override;
    QString errorText() const override;

    // The device the port has open, or would open next.
    QString deviceName() const;

private:
    void noteError(const QString& what);
    void onError(QSerialPort::SerialPortError e);
    void closeDevice();
    void dropBrokenDevice();
    void takeArrived();
    qint64 nowMs() const;

    QSerialPort port_;
    int number_ = 1;
    QString device_;
    QString error_;
    bool closing_ = false;
    QList<Com_Input> received_;
    QElapsedTimer sinceStart_;
};
