#pragma once
// In-memory serial port: records what the program sends and answers from a script.
#include "platform/com_port.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <functional>

class Clock;

class FakeComPort : public ComPort {
public:
    void setPortNumber(int n) override;
    int portNumber() const override { return number_; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    // Fails (and records nothing) while closed, as the real port does.
    bool output(const QByteArray& data) override;
    QList<Com_Input> inputRuns() override;
    QString errorText() const override { return error_; }

    // Script. A reply is chosen by the first byte of what is sent (the command letter, or
    // 'w' for program frames): first from that letter's queue, else its standing reply.
    void queueReply(char letter, const QByteArray& reply);
    void setStandingReply(char letter, const QByteArray& reply);
    void clearReplies();
    // Bytes that arrive as if the burner had sent them unasked.
    void pushInput(const QByteArray& bytes);
    // Input (pushed or scripted) is stamped with this clock's monotonic time when it
    // arrives; 0 without one.
    const Clock* clock = nullptr;
    // Called for every successful output; may push input.
    std::function<void(const QByteArray&)> onOutput;
    void setOpenFails(int portNumber, bool fails = true);
    void setOutputFails(bool fails) { outputFails_ = fails; }

    // Record.
    QList<QByteArray> outputs;            // every successful output, in order
    QList<int> portNumbersSet;            // every setPortNumber() argument
    int openCalls = 0;
    int openCount = 0;                    // opens that succeeded
    int closeCount = 0;                   // closes of an open port
    int inputCalls = 0;
    int failedOutputs = 0;
    QByteArray pendingInput() const;
    // The command letters sent, in order ("k", "s", "w"...), as one string.
    QByteArray letters() const;
    void resetRecord();

private:
    int number_ = 1;
    bool open_ = false;
    bool outputFails_ = false;
    QString error_;
    QList<Com_Input> pending_;
    QSet<int> failingPorts_;
    QMap<char, QList<QByteArray>> queued_;
    QMap<char, QByteArray> standing_;
};
