#pragma once
// A clock for the program's waits against the burner simulator. It tells the time of the
// clock it wraps, but only once the simulator has caught up with what the PC has sent: a
// wait ends when its time has come and the answers due by then are on the line. On a busy
// machine, where the simulator's thread may wait long for the processor, a test then runs
// slower instead of finding a reply late. Answers the simulator is told to send late stay
// late: they are not due yet.
#include "platform/clock.h"
#include "support/burner_simulator.h"

#include <memory>

class SimulatorPacedClock : public Clock {
public:
    SimulatorPacedClock(std::unique_ptr<Clock> inner, const BurnerSimulator& sim)
        : inner_(std::move(inner)), sim_(sim)
    {
    }

    QDate today() const override { return inner_->today(); }
    QDateTime now() const override { settle(); return inner_->now(); }
    QString shortDateText() const override { return inner_->shortDateText(); }
    int secondOfMinute() const override { settle(); return inner_->secondOfMinute(); }
    qint64 monotonicMs() const override { settle(); return inner_->monotonicMs(); }
    void processEvents(int maxMs) override { inner_->processEvents(maxMs); }

private:
    // A simulator that has not caught up by Hang_Ms has hung: the time is told anyway.
    void settle() const { sim_.waitUntilCaughtUp(BurnerSimulator::Hang_Ms); }

    std::unique_ptr<Clock> inner_;
    const BurnerSimulator& sim_;
};
