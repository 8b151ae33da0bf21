#pragma once
// A stand-in for the SPD burner on the far end of a pseudo-terminal.
//
// start() opens a pseudo-terminal in raw mode and serves it on a thread of its own, so a
// test can open devicePath() with the program's real serial port (or point
// MORROWBURN_COM1 at it) while its own thread waits. The burner keeps an image buffer and
// a module image (the module in its socket) and answers as follows:
//   "wX" frames   stored into the buffer at 16k..16k+15; no reply
//   "l", "L"      the buffer as 512 upper-case hex characters
//   "k"           the module as 512 upper-case hex characters
//   "s"           a status frame, long (92 characters, "55AA") or short (10) layout
//   "e"           buffer filled with the erase value (0x00: the panel says "清除 (00)")
//   "r"           buffer := module;  "c": module := buffer;  "v": compares the two
//   "a" / "z"     automatic serial numbers on / off
//   "y" / "Y"     keypad unlocked / locked (the panel's lock box sends "Y" when ticked)
//   "n" / "N"     serial numbers run low to high / high to low
//   "m"           after the result delay, a result frame (long layout) with the
//                 configured failed sockets; passing sockets take serial numbers when
//                 automatic serial numbers are on
// Anything else is logged and left unanswered. The reply mode makes it stay silent or
// cut every reply short; a custom reply replaces the answer to one letter; the fault
// modes make answers late, put a stray byte before them, garble characters in them or
// drop the line in the middle of a command.
//
// The burner builds and reads every frame with code of its own (burner_simulator.cpp),
// not with the program's frame code, so that a misreading of a format on either side
// shows up as a failed exchange instead of passing both.
// The pseudo-terminal does not pace bytes at 9600 baud.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class BurnerSimulator {
public:
    enum class StatusLayout { Long, Short };
    enum class ReplyMode { Normal, Silent, Short };

    // Longer than any exchange with the simulator takes on the busiest machine: a wait for
    // it that reaches this has hung.
    static constexpr int Hang_Ms = 120000;

    // What the burner holds and reports.
    struct State {
        std::array<uint8_t, 256> buffer{};       // the burner's image buffer
        std::array<uint8_t, 256> module{};       // the module in its socket
        bool autoSerial = false;
        bool keypadLocked = false;
        bool lowToHigh = true;
        QByteArray gangCode = "01";              // 2 characters
        QByteArray version = "1A";               // 2 characters
        QByteArray currentSerial = "00000001";   // 8 decimal digits
        std::array<QByteArray, 8> socketSerial;  // last gang run, 8 characters each
        uint8_t socketResults = 0;               // last gang run, bit k = socket k+1 failed
        uint8_t failMask = 0;                    // sockets the next gang run fails
        uint8_t eraseValue = 0x00;
        bool lastVerifyOk = true;                // outcome of the last "v"
        int gangRuns = 0;
    };

    BurnerSimulator();
    ~BurnerSimulator();
    BurnerSimulator(const BurnerSimulator&) = delete;
    BurnerSimulator& operator=(const BurnerSimulator&) = delete;

    // Opens the pseudo-terminal and starts serving it; false with errorText() on failure.
    bool start();
    // Stops serving and closes the pseudo-terminal (the destructor does this too).
    void stop();
    bool isRunning() const;
    QString devicePath() const;
    QString errorText() const;

    // Behaviour.
    void setStatusLayout(StatusLayout layout);
    void setReplyMode(ReplyMode mode, int shortLength = 100);
    void setReplyDelayMs(int ms);                 // before each answer (default 0)
    void setResultDelayMs(int ms);                // from "m" to its result frame (default 5000)
    void setCustomReply(char letter, const QByteArray& reply);
    void clearCustomReplies();

    // Fault modes. Each acts on the answers to one letter, or to every letter when the
    // letter given is Every_Letter; a later call for the same letter replaces the earlier.
    static constexpr char Every_Letter = 0;
    // The answer goes out `ms` later than it otherwise would.
    void setLateReply(char letter, int ms);
    // One byte goes out right before the answer.
    void setStrayByte(char letter, char byte);
    // Character `position` (counted from 1) of the answer is replaced by `c`; an answer
    // too short to have that character is left alone.
    void setGarbled(char letter, int position, char c);
    // `afterMs` after the `occurrence`-th unit that starts with `letter` ("w" for program
    // frames) arrives, the burner drops the line: its end of the pseudo-terminal closes,
    // nothing more is read or written, and devicePath() cannot be opened again.
    void setHangUp(char letter, int occurrence, int afterMs);
    void clearFaults();
    // The line was dropped by a hang-up.
    bool hungUp() const;
    // Blocks until the line was dropped; false on timeout.
    bool waitForHangUp(int timeoutMs) const;
    // Bytes sent to the PC at once, unasked (a result frame, noise, half a frame).
    void sendRaw(const QByteArray& bytes);

    // The burner's state.
    State state() const;
    void setState(const State& state);
    void modifyState(const std::function<void(State&)>& change);
    void setBufferImage(const std::array<uint8_t, 256>& image);
    void setModuleImage(const std::array<uint8_t, 256>& image);
    void setFailMask(uint8_t failMask);
    std::array<uint8_t, 256> bufferImage() const;
    std::array<uint8_t, 256> moduleImage() const;

    // What the PC sent: every unit closed by 0x7F, the 0x7F included, in order.
    QList<QByteArray> receivedFrames() const;
    // When each of those units arrived, in ms of the steady clock (same order).
    QList<qint64> receivedTimesMs() const;
    // The letters of those units in order (a program frame counts as "w"; a unit that is
    // neither a letter nor a program frame adds nothing).
    QByteArray receivedLetters() const;
    // Everything written to the PC so far.
    QByteArray sentBytes() const;
    void clearLog();
    // Blocks until at least count units were received in all; false on timeout.
    bool waitForFrames(int count, int timeoutMs) const;
    // Blocks until everything scheduled so far has been written; false on timeout.
    bool waitForIdle(int timeoutMs) const;
    // The burner has caught up with the PC: it has read and handled every byte the PC sent
    // and written every answer due by now (an answer it was told to send later is not due
    // yet). A dropped line has nothing more to catch up with.
    bool caughtUp() const;
    // Blocks until caughtUp(); false on timeout.
    bool waitUntilCaughtUp(int timeoutMs) const;

    // Called on the serving thread for each unit received, with the answer it got
    // (empty when none). For logging by the stand-alone program.
    void setObserver(std::function<void(const QByteArray& unit, const QByteArray& answer)> observer);

    // The frames as this burner writes and reads them.
    static QByteArray imageText(const std::array<uint8_t, 256>& image);
    static QByteArray longStatusText(const State& state);
    static QByteArray shortStatusText(const State& state);
    // The block (0..15) and 16 bytes of a well-formed program frame: exactly 36
    // characters, "wX", the block character "0".."?", 32 hex digits of either case,
    // 0x7F. False for anything else.
    static bool readProgramFrame(const QByteArray& frame, int& block, std::array<uint8_t, 16>& bytes);

private:
    struct Pending {
        qint64 dueMs;
        QByteArray bytes;
    };

    struct Fault {
        int lateMs = 0;
        bool stray = false;
        char strayByte = 0;
        QMap<int, char> garbled;   // position from 1 -> replacement
    };

    void serve();
    bool busyLocked() const;
    bool caughtUp(std::unique_lock<std::mutex>& lock) const;
    void hangUpNow();
    QByteArray withFaults(char letter, QByteArray answer, int& extraDelayMs) const;
    void handleUnit(const QByteArray& unit);
    QByteArray answerFor(char letter, State& s, bool& scheduleResult);
    void schedule(const QByteArray& bytes, int delayMs);
    void wake();
    static qint64 nowMs();
    static QByteArray advanceSerial(const QByteArray& serial, bool up);

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    State state_;
    StatusLayout layout_ = StatusLayout::Long;
    ReplyMode mode_ = ReplyMode::Normal;
    int shortLength_ = 100;
    int replyDelayMs_ = 0;
    // A gang run takes a few seconds: the result comes after the PC, which closes the port
    // for the command's waits (4 s), has opened it again.
    int resultDelayMs_ = 5000;
    QMap<char, QByteArray> customReplies_;
    QMap<char, Fault> faults_;
    char hangUpLetter_ = 0;
    int hangUpOccurrence_ = 0;
    int hangUpAfterMs_ = 0;
    int hangUpSeen_ = 0;
    qint64 hangUpDueMs_ = -1;    // when the armed hang-up drops the line
    bool hungUp_ = false;
    std::vector<Pending> pending_;
    QByteArray output_;          // due bytes not yet accepted by the pseudo-terminal
    QByteArray input_;           // received bytes of an unfinished unit
    bool reading_ = false;       // bytes read from the line are being handled
    quint64 reads_ = 0;          // reads from the line begun so far
    QList<QByteArray> frames_;
    QList<qint64> frameTimes_;
    QByteArray letters_;
    QByteArray sent_;
    std::function<void(const QByteArray&, const QByteArray&)> observer_;

    int master_ = -1;
    int slaveKeeper_ = -1;       // keeps the terminal alive while the PC has it closed
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    bool stopping_ = false;
    QString devicePath_;
    QString error_;
    std::thread thread_;
};
