#pragma once
// The burner's serial port: 9600 baud, 8 data bits, no parity, 1 stop bit, no handshaking.
#include <QByteArray>
#include <QList>
#include <QString>

// Characters as they came off the line: one run of them and when the port received it, in
// ms of the clock the burner's waits run on (Clock::monotonicMs). The burner's input is
// read by when it arrived as well as by what it holds: a status reply that comes late is
// told from a burn result by its time.
struct Com_Input {
    QByteArray data;
    qint64 arrivedMs = 0;
};

class ComPort {
public:
    virtual ~ComPort() = default;
    virtual void setPortNumber(int n) = 0;       // 1..4 (COM1..COM4)
    virtual int portNumber() const = 0;
    virtual bool open() = 0;                     // false when the device cannot be opened
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool output(const QByteArray& data) = 0;
    // Everything received so far, in the runs it came in, oldest first; the read removes it.
    virtual QList<Com_Input> inputRuns() = 0;
    // Everything received so far as one string; the read removes it.
    QByteArray input()
    {
        QByteArray all;
        for (const Com_Input& run : inputRuns()) all += run.data;
        return all;
    }
    virtual QString errorText() const = 0;
};

// The device behind COM<n> on this machine: $MORROWBURN_COM<n> when set, else
// /dev/ttyUSB<n-1> when it exists, else /dev/ttyS<n-1>.
QString comPortDevice(int n);
// The same rule with the device folder given ("/dev" above); empty for n < 1.
QString comPortDevice(int n, const QString& devDir);
