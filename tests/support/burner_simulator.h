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
// cut every reply short; a custom reply replaces the answer to one letter.
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

    // Called on the serving thread for each unit received, with the answer it got
    // (empty when none). For logging by the stand-alone program.
    void setObserver(std::function<void(const QByteArray& unit, const QByteArray& answer)> observer);

    // The frames as this burner writes them.
    static QByteArray longStatusText(const State& state);
    static QByteArray shortStatusText(const State& state);

private:
    struct Pending {
        qint64 dueMs;
        QByteArray bytes;
    };

    void serve();
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
    std::vector<Pending> pending_;
    QByteArray output_;          // due bytes not yet accepted by the pseudo-terminal
    QByteArray input_;           // received bytes of an unfinished unit
    QList<QByteArray> frames_;
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
