#include "fake_com_port.h"

#include "platform/clock.h"

void FakeComPort::setPortNumber(int n)
{
    number_ = n;
    portNumbersSet << n;
}

bool FakeComPort::open()
{
    ++openCalls;
    if (open_)
        return true;
    if (failingPorts_.contains(number_)) {
        error_ = QStringLiteral("COM%1: cannot open").arg(number_);
        return false;
    }
    open_ = true;
    ++openCount;
    error_.clear();
    return true;
}

void FakeComPort::close()
{
    if (open_)
        ++closeCount;
    open_ = false;
}

bool FakeComPort::output(const QByteArray& data)
{
    if (!open_ || outputFails_) {
        ++failedOutputs;
        error_ = open_ ? QStringLiteral("output failed") : QStringLiteral("port is not open");
        return false;
    }
    outputs << data;
    if (!data.isEmpty()) {
        const char letter = data.at(0);
        auto q = queued_.find(letter);
        if (q != queued_.end() && !q->isEmpty())
            pushInput(q->takeFirst());
        else if (standing_.contains(letter))
            pushInput(standing_.value(letter));
    }
    if (onOutput)
        onOutput(data);
    return true;
}

void FakeComPort::pushInput(const QByteArray& bytes)
{
    if (!bytes.isEmpty())
        pending_.append(Com_Input{ bytes, clock ? clock->monotonicMs() : 0 });
}

QList<Com_Input> FakeComPort::inputRuns()
{
    ++inputCalls;
    if (!open_)
        return {};
    QList<Com_Input> out;
    out.swap(pending_);
    return out;
}

QByteArray FakeComPort::pendingInput() const
{
    QByteArray all;
    for (const Com_Input& run : pending_)
        all += run.data;
    return all;
}

void FakeComPort::queueReply(char letter, const QByteArray& reply) { queued_[letter] << reply; }

void FakeComPort::setStandingReply(char letter, const QByteArray& reply) { standing_[letter] = reply; }

void FakeComPort::clearReplies()
{
    queued_.clear();
    standing_.clear();
}

void FakeComPort::setOpenFails(int portNumber, bool fails)
{
    if (fails)
        failingPorts_.insert(portNumber);
    else
        failingPorts_.remove(portNumber);
}

QByteArray FakeComPort::letters() const
{
    QByteArray out;
    for (const QByteArray& o : outputs)
        if (!o.isEmpty())
            out += o.at(0);
    return out;
}

void FakeComPort::resetRecord()
{
    outputs.clear();
    portNumbersSet.clear();
    openCalls = openCount = closeCount = inputCalls = failedOutputs = 0;
}
