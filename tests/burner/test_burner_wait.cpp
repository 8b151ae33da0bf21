// Timed waits of the burner commands, on a clock the test moves by hand.
#include <gtest/gtest.h>

#include "burner/burner_port.h"
#include "burner/burner_wait.h"
#include "platform/clock.h"
#include "platform/platform.h"

#include <functional>
#include <vector>

namespace {

// The wall clock (second of the minute) and the monotonic clock advance together by
// the slice each event-processing pass asks for; a hook stands for nested handlers.
class HandClock : public Clock {
public:
    explicit HandClock(qint64 wallMs) : wallMs_(wallMs) {}

    QDate today() const override { return QDate(2024, 1, 1); }
    QDateTime now() const override { return QDateTime(today(), QTime(0, 0).addMSecs(static_cast<int>(wallMs_ % 86400000))); }
    QString shortDateText() const override { return QStringLiteral("2024/1/1"); }
    int secondOfMinute() const override { return static_cast<int>((wallMs_ / 1000) % 60); }
    qint64 monotonicMs() const override { return monoMs_; }
    void processEvents(int maxMs) override
    {
        slices.push_back(maxMs);
        if (onEvents) onEvents(*this);
        advance(maxMs > 0 ? maxMs : 1);   // a zero slice would be a spin; keep time moving
    }

    void advance(qint64 ms)
    {
        wallMs_ += ms;
        monoMs_ += ms;
    }
    void jumpWall(qint64 ms) { wallMs_ += ms; }

    std::vector<int> slices;
    std::function<void(HandClock&)> onEvents;

private:
    qint64 wallMs_;
    qint64 monoMs_ = 1000000;
};

struct PlatformGuard {
    Platform saved = platform();
    ~PlatformGuard() { setPlatform(saved); }
};

} // namespace

TEST(BurnerWait, EndsAtTargetSecondWithinNMinusOneToNSeconds)
{
    struct Case { qint64 startMs; int seconds; qint64 elapsed; };
    const std::vector<Case> cases = {
        { 59000, 1, 1000 },   // started at 59: ends when the clock shows 0
        { 59990, 1, 15 },     // late in second 59: ends at the turn of the minute
        { 58000, 2, 2000 },
        { 58500, 2, 1500 },
        { 30999, 4, 3015 },   // slices of 15 ms: the first pass past 34.000 is 34.014
        { 0, 3, 3000 },
        { 57000, 4, 4000 },   // target 1 of the next minute
    };
    for (const auto& c : cases) {
        HandClock clock(c.startMs);
        const qint64 started = clock.monotonicMs();
        EXPECT_EQ(Burner_Wait(clock, c.seconds), Burner_Wait_End::TargetSecond) << c.startMs;
        EXPECT_EQ(clock.monotonicMs() - started, c.elapsed) << c.startMs;
    }
}

TEST(BurnerWait, EveryWaitWaitsWhateverItsStart)
{
    for (int second = 0; second < 60; ++second) {
        for (int offset : { 0, 1, 500, 999 }) {
            for (int n = 1; n <= 4; ++n) {
                HandClock clock(second * 1000 + offset);
                const qint64 started = clock.monotonicMs();
                Burner_Wait(clock, n);
                const qint64 elapsed = clock.monotonicMs() - started;
                EXPECT_GT(elapsed, 0) << second << "." << offset << " N=" << n;
                EXPECT_GE(elapsed, (n - 1) * 1000) << second << "." << offset << " N=" << n;
                EXPECT_LE(elapsed, n * 1000) << second << "." << offset << " N=" << n;
            }
        }
    }
}

TEST(BurnerWait, HandlerHoldingThePastTargetDoesNotAddAMinute)
{
    // A message box opened during the wait keeps the thread for 5 s: the target second
    // (12) goes by unseen. The wait ends on the elapsed time, not a minute later.
    HandClock clock(10500);
    bool held = false;
    clock.onEvents = [&](HandClock& c) {
        if (!held) {
            held = true;
            c.advance(5000);
        }
    };
    const qint64 started = clock.monotonicMs();
    EXPECT_EQ(Burner_Wait(clock, 2), Burner_Wait_End::TimeLimit);
    EXPECT_LT(clock.monotonicMs() - started, 5100);
}

TEST(BurnerWait, ShortHoldStillEndsAtTheTargetSecond)
{
    HandClock clock(10000);
    bool held = false;
    clock.onEvents = [&](HandClock& c) {
        if (!held) {
            held = true;
            c.advance(1500);
        }
    };
    const qint64 started = clock.monotonicMs();
    EXPECT_EQ(Burner_Wait(clock, 2), Burner_Wait_End::TargetSecond);
    EXPECT_EQ(clock.monotonicMs() - started, 2000);
}

TEST(BurnerWait, WallClockSetBackEndsOnElapsedTime)
{
    HandClock clock(40000);
    bool jumped = false;
    clock.onEvents = [&](HandClock& c) {
        if (!jumped) {
            jumped = true;
            c.jumpWall(-30000);   // time of day corrected backwards by 30 s
        }
    };
    const qint64 started = clock.monotonicMs();
    EXPECT_EQ(Burner_Wait(clock, 3), Burner_Wait_End::TimeLimit);
    EXPECT_EQ(clock.monotonicMs() - started, 3000);
}

TEST(BurnerWait, YieldsToTheEventLoopInShortSlices)
{
    HandClock clock(42123);
    Burner_Wait(clock, 4);
    ASSERT_FALSE(clock.slices.empty());
    for (int slice : clock.slices) {
        EXPECT_GE(slice, 1);
        EXPECT_LE(slice, 20);
    }
    // Passes are bounded by the slices, not spun: about 4000 / 15.
    EXPECT_LE(clock.slices.size(), 4000u / Burner_Wait_Slice_Ms + 2);
}

TEST(BurnerWait, NothingToWaitFor)
{
    for (int n : { 0, -1, -60 }) {
        HandClock clock(5000);
        EXPECT_EQ(Burner_Wait(clock, n), Burner_Wait_End::TargetSecond);
        EXPECT_TRUE(clock.slices.empty()) << n;
    }
}

TEST(BurnerWait, WholeMinuteOrMoreUsesElapsedTimeOnly)
{
    for (int n : { 60, 61 }) {
        HandClock clock(5000);
        const qint64 started = clock.monotonicMs();
        EXPECT_EQ(Burner_Wait(clock, n), Burner_Wait_End::TimeLimit) << n;
        EXPECT_EQ(clock.monotonicMs() - started, n * 1000) << n;
    }
}

TEST(BurnerWait, InstalledClockIsUsed)
{
    PlatformGuard guard;
    HandClock clock(7000);
    Platform p = platform();
    p.clock = &clock;
    setPlatform(p);
    EXPECT_EQ(Burner_Wait(1), Burner_Wait_End::TargetSecond);
    EXPECT_FALSE(clock.slices.empty());

    p.clock = nullptr;
    setPlatform(p);
    EXPECT_THROW(Burner_Wait(1), Burner_Error);
}

TEST(BurnerWaitUntil, EndsWhenTheFlagIsSetOrAtTheLimit)
{
    // The 120 ms pacing timer sets the flag from inside the event processing.
    HandClock clock(0);
    bool ready = false;
    clock.onEvents = [&](HandClock& c) {
        if (c.monotonicMs() - 1000000 >= 120) ready = true;
    };
    const qint64 started = clock.monotonicMs();
    EXPECT_TRUE(Burner_Wait_Until(clock, [&] { return ready; }, 2000));
    EXPECT_GE(clock.monotonicMs() - started, 120);
    EXPECT_LT(clock.monotonicMs() - started, 150);

    HandClock stuck(0);
    const qint64 stuckStart = stuck.monotonicMs();
    EXPECT_FALSE(Burner_Wait_Until(stuck, [] { return false; }, 500));
    EXPECT_EQ(stuck.monotonicMs() - stuckStart, 500);

    HandClock already(0);
    EXPECT_TRUE(Burner_Wait_Until(already, [] { return true; }, 500));
    EXPECT_TRUE(already.slices.empty());
}

TEST(BurnerWait, LineDownEndsTheWaitAtOnce)
{
    // The port drops itself on a hang-up while events are processed; the next pass sees it.
    HandClock clock(10000);
    bool down = false;
    clock.onEvents = [&](HandClock& c) {
        if (c.monotonicMs() - 1000000 >= 100) down = true;
    };
    const qint64 started = clock.monotonicMs();
    EXPECT_EQ(Burner_Wait(clock, 2, [&] { return down; }), Burner_Wait_End::LineDown);
    EXPECT_LT(clock.monotonicMs() - started, 100 + 2 * Burner_Wait_Slice_Ms);

    HandClock up(10000);
    EXPECT_EQ(Burner_Wait(up, 2, [] { return false; }), Burner_Wait_End::TargetSecond);
}
