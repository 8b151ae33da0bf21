#pragma once
// The burner's serial port: 9600 baud, 8 data bits, no parity, 1 stop bit, no handshaking.
#include <QByteArray>
#include <QString>

class ComPort {
public:
    virtual ~ComPort() = default;
    virtual void setPortNumber(int n) = 0;       // 1..4 (COM1..COM4)
    virtual int portNumber() const = 0;
    virtual bool open() = 0;                     // false when the device cannot be opened
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool output(const QByteArray& data) = 0;
    // Everything received so far; the read removes it.
    virtual QByteArray input() = 0;
    virtual QString errorText() const = 0;
};

// The device behind COM<n> on this machine: $MORROWBURN_COM<n> when set, else
// /dev/ttyUSB<n-1> when it exists, else /dev/ttyS<n-1>.
QString comPortDevice(int n);
// The same rule with the device folder given ("/dev" above); empty for n < 1.
QString comPortDevice(int n, const QString& devDir);
