// How long the program's timed steps take on this machine, as a user meets them: the
// status reader (400 ms after a status request), the pacing of a download's frames (120 ms
// apart), a read that the burner ends by dropping the line, and the splash (2 s). The tests
// check only that none of them comes early, since a busy machine makes them late; here
// their lateness is measured. The burner is the tests' simulator on a pseudo-terminal.
#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

#include "bench_common.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_com_port.h"
#include "shell/frm_main.h"
#include "shell/frm_splash.h"
#include "spd_document/globals.h"
#include "support/burner_simulator.h"

namespace {

// The commands' fixed waits at ten times the speed, so that opening a document does not
// hold the benchmark for its status wait; the timers measured run in real time.
class FastClock : public Clock {
public:
    FastClock() : start_(QDateTime::currentDateTime()) { real_.start(); }
    QDate today() const override { return now().date(); }
    QDateTime now() const override { return start_.addMSecs(monotonicMs()); }
    QString shortDateText() const override { return today().toString(Qt::ISODate); }
    int secondOfMinute() const override { return now().time().second(); }
    qint64 monotonicMs() const override { return real_.elapsed() * 10; }
    void processEvents(int maxMs) override { realClock_.processEvents(qMax(1, maxMs / 10)); }

private:
    QDateTime start_;
    QElapsedTimer real_;
    QtClock realClock_;
};

// A main window with one document, its serial port on COM1 pointed at the simulator.
class SimulatedLink {
public:
    SimulatedLink()
    {
        app();
        if (!sim.start()) return;
        qputenv("MORROWBURN_COM1", sim.devicePath().toLocal8Bit());
        com.setPortNumber(1);
        useClock(fast);
        if (!com.open()) return;
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        main->show();
        main->Load_New_Document();
        waitUntil([this] { return !main->Timer2->isActive(); });
    }
    ~SimulatedLink()
    {
        main.reset();
        com.close();
        setPlatform(Platform{});
        qunsetenv("MORROWBURN_COM1");
        sim.stop();
    }
    bool ok() const { return main && main->ActiveForm(); }
    void useClock(Clock& clock) { setPlatform(Platform{ &com, nullptr, nullptr, nullptr, &clock }); }

    // Processes events until `done` holds (at most BurnerSimulator::Hang_Ms).
    template <typename Done>
    static void waitUntil(Done done)
    {
        QtClock clock;
        while (!done() && clock.monotonicMs() < BurnerSimulator::Hang_Ms) clock.processEvents(10);
    }

    BurnerSimulator sim;
    QtComPort com;
    FastClock fast;
    QtClock real;
    std::unique_ptr<frmMain> main;
};

// From the end of a status request, which arms the reader, to the reader's run.
void BM_StatusReaderInterval(benchmark::State& state)
{
    SimulatedLink link;
    if (!link.ok()) {
        state.SkipWithError("no simulated burner");
        return;
    }
    QElapsedTimer armed;
    qint64 tickNs = -1;
    QObject::connect(link.main->Timer2, &QTimer::timeout, [&] { tickNs = armed.nsecsElapsed(); });
    for (auto _ : state) {
        tickNs = -1;
        link.main->STATUSIC();
        armed.start();
        SimulatedLink::waitUntil([&] { return tickNs >= 0; });
        state.SetIterationTime(static_cast<double>(tickNs) / 1e9);
        SimulatedLink::waitUntil([&] { return link.main->Timer1->isActive(); });
    }
}
BENCHMARK(BM_StatusReaderInterval)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The gaps between the sixteen frames of a download as the burner receives them: the time
// shown is the mean gap, with the shortest and the longest.
void BM_FramePacing(benchmark::State& state)
{
    SimulatedLink link;
    if (!link.ok()) {
        state.SkipWithError("no simulated burner");
        return;
    }
    link.useClock(link.real);
    qint64 shortest = -1;
    qint64 longest = 0;
    for (auto _ : state) {
        link.sim.clearLog();
        link.main->ProgramIC();
        link.sim.waitForFrames(16, BurnerSimulator::Hang_Ms);
        const QList<qint64> times = link.sim.receivedTimesMs();
        if (times.size() < 2) {
            state.SkipWithError("the frames did not arrive");
            return;
        }
        for (int k = 1; k < times.size(); ++k) {
            const qint64 gap = times[k] - times[k - 1];
            if (shortest < 0 || gap < shortest) shortest = gap;
            if (gap > longest) longest = gap;
        }
        state.SetIterationTime(static_cast<double>(times.last() - times.first()) / 1000.0 / (times.size() - 1));
    }
    state.counters["shortest_gap_ms"] = static_cast<double>(shortest);
    state.counters["longest_gap_ms"] = static_cast<double>(longest);
}
BENCHMARK(BM_FramePacing)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// A read of the module whose burner drops the line 100 ms into the 2 s wait: the time from
// the request to the failure (the line lies dead for all but the first 100 ms of it).
void BM_HangUpEndsTheWait(benchmark::State& state)
{
    for (auto _ : state) {
        SimulatedLink link;   // a dropped line cannot be opened again: a new one each time
        if (!link.ok()) {
            state.SkipWithError("no simulated burner");
            return;
        }
        link.useClock(link.real);
        link.sim.setLateReply('k', 400);
        link.sim.setHangUp('k', 1, 100);
        QElapsedTimer t;
        t.start();
        link.main->ReadModule();
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_HangUpEndsTheWait)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

// The splash from its making to its closing by itself.
void BM_SplashShows(benchmark::State& state)
{
    app();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        frmSplash splash;
        splash.exec();
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_SplashShows)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
