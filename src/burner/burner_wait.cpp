#include "burner/burner_wait.h"

#include "burner/burner_port.h"
#include "platform/clock.h"
#include "platform/platform.h"

Burner_Wait_End Burner_Wait(Clock& clock, int seconds)
{
    return Burner_Wait(clock, seconds, nullptr);
}

Burner_Wait_End Burner_Wait(Clock& clock, int seconds, const std::function<bool()>& lineDown)
{
    if (seconds <= 0) return Burner_Wait_End::TargetSecond;
    const qint64 started = clock.monotonicMs();
    const qint64 limit = static_cast<qint64>(seconds) * 1000;
    const bool bySecond = seconds < 60;
    const int target = (clock.secondOfMinute() + seconds) % 60;
    for (;;) {
        if (lineDown && lineDown()) return Burner_Wait_End::LineDown;
        if (bySecond && clock.secondOfMinute() == target) return Burner_Wait_End::TargetSecond;
        const qint64 left = limit - (clock.monotonicMs() - started);
        if (left <= 0) return Burner_Wait_End::TimeLimit;
        clock.processEvents(static_cast<int>(qMin<qint64>(left, Burner_Wait_Slice_Ms)));
    }
}

Burner_Wait_End Burner_Wait(int seconds)
{
    return Burner_Wait(seconds, nullptr);
}

Burner_Wait_End Burner_Wait(int seconds, const std::function<bool()>& lineDown)
{
    Clock* clock = platform().clock;
    if (!clock) throw Burner_Error("no clock installed");
    return Burner_Wait(*clock, seconds, lineDown);
}

bool Burner_Wait_Until(Clock& clock, const std::function<bool()>& done, qint64 limitMs)
{
    const qint64 started = clock.monotonicMs();
    for (;;) {
        if (done()) return true;
        const qint64 left = limitMs - (clock.monotonicMs() - started);
        if (left <= 0) return false;
        clock.processEvents(static_cast<int>(qMin<qint64>(left, Burner_Wait_Slice_Ms)));
    }
}
