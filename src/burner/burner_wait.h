#pragma once
// Timed waits of the burner commands. The user interface keeps running while they wait:
// each pass hands the thread to the event loop for a short while, so handlers of other
// windows and the timers may run nested inside a wait.
#include <QtGlobal>
#include <functional>

class Clock;

// Event-loop slice of one pass of a wait: long enough not to spin a core, short enough
// to notice the end of the wait promptly.
constexpr int Burner_Wait_Slice_Ms = 15;

// How a wait ended.
enum class Burner_Wait_End {
    TargetSecond,   // the clock's second of the minute reached the start second + N
    TimeLimit,      // N seconds passed on the monotonic clock first
    LineDown,       // the line went down during the wait (see below)
};

// Waits N seconds by the clock's second of the minute: the target is the start second
// plus N (modulo 60), so the wait lasts between N - 1 and N seconds. It also ends once N
// seconds have passed on the monotonic clock, so a nested handler that holds the thread
// past the target second cannot stretch the wait by a whole minute. N <= 0 returns at
// once; for N >= 60 only the monotonic limit applies.
Burner_Wait_End Burner_Wait(Clock& clock, int seconds);
// The same, ending at once when lineDown() holds (tested before every pass): a command
// that waits for a reply on an open port stops waiting when the port has dropped itself
// after a hang-up, since nothing more can arrive.
Burner_Wait_End Burner_Wait(Clock& clock, int seconds, const std::function<bool()>& lineDown);
// The same on the clock the program installed (platform().clock); throws Burner_Error
// when there is none.
Burner_Wait_End Burner_Wait(int seconds);
Burner_Wait_End Burner_Wait(int seconds, const std::function<bool()>& lineDown);

// Processes events until done() holds or limitMs have passed on the monotonic clock
// (done() is tested before every pass). True when done() held. This paces the program
// frames, whose 120 ms timer sets a flag; the limit keeps a stopped timer from hanging
// the download.
bool Burner_Wait_Until(Clock& clock, const std::function<bool()>& done, qint64 limitMs);
