#include "fake_com_port.h"

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
            pending_ += q->takeFirst();
        else if (standing_.contains(letter))
            pending_ += standing_.value(letter);
    }
    if (onOutput)
        onOutput(data);
    return true;
}

QByteArray FakeComPort::input()
{
    ++inputCalls;
    if (!open_)
        return QByteArray();
    QByteArray out;
    out.swap(pending_);
    return out;
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
