#include "support/burner_simulator.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Longest run of bytes without 0x7F that the burner keeps before dropping it.
constexpr int kMaxUnit = 4096;

// Every command and program frame ends with this byte.
constexpr char kEnd = '\x7F';

// The letters the burner knows.
namespace letter {
constexpr char Blank = 'L';
constexpr char Program = 'w';
constexpr char Module = 'k';
constexpr char Buffer = 'l';
constexpr char Status = 's';
constexpr char Erase = 'e';
constexpr char AutoOn = 'a';
constexpr char AutoOff = 'z';
constexpr char ReadModule = 'r';
constexpr char KeysOn = 'y';
constexpr char KeysOff = 'Y';
constexpr char LowToHigh = 'n';
constexpr char HighToLow = 'N';
constexpr char Gang = 'm';
constexpr char Copy = 'c';
constexpr char Compare = 'v';
}

// A byte as two upper-case hex digits.
QByteArray hex2(uint8_t b)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out(2, '0');
    out[0] = digits[b >> 4];
    out[1] = digits[b & 0x0F];
    return out;
}

// Value of a hex digit of either case, -1 for any other character.
int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Exactly n characters: cut, or filled up with "0".
QByteArray fit(const QByteArray& text, int n)
{
    QByteArray out = text.left(n);
    while (out.size() < n) out.append('0');
    return out;
}

void closeFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

QString errnoText(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

BurnerSimulator::BurnerSimulator()
{
    for (auto& serial : state_.socketSerial) serial = "00000000";
}

BurnerSimulator::~BurnerSimulator()
{
    stop();
}

bool BurnerSimulator::start()
{
    if (thread_.joinable()) return true;
    error_.clear();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error_ = errnoText("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 || ::ptsname_r(master_, name, sizeof name) != 0) {
        error_ = errnoText("pseudo-terminal set-up");
        closeFd(master_);
        return false;
    }
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);

    // Hold the terminal side open ourselves: the line stays up (no hang-up on the master)
    // while the PC has the port closed, and its raw settings persist between opens.
    slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveKeeper_ < 0) {
        error_ = errnoText("open terminal side");
        closeFd(master_);
        return false;
    }
    termios tio {};
    if (::tcgetattr(slaveKeeper_, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(slaveKeeper_, TCSANOW, &tio);
    }

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        error_ = errnoText("pipe2");
        closeFd(slaveKeeper_);
        closeFd(master_);
        return false;
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    devicePath_ = QString::fromLocal8Bit(name);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = false;
        hungUp_ = false;
        hangUpDueMs_ = -1;
        hangUpSeen_ = 0;
    }
    thread_ = std::thread([this] { serve(); });
    return true;
}

void BurnerSimulator::stop()
{
    if (thread_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake();
        thread_.join();
    }
    closeFd(wakeRead_);
    closeFd(wakeWrite_);
    closeFd(slaveKeeper_);
    closeFd(master_);
}

bool BurnerSimulator::isRunning() const
{
    return thread_.joinable();
}

QString BurnerSimulator::devicePath() const
{
    return devicePath_;
}

QString BurnerSimulator::errorText() const
{
    return error_;
}

void BurnerSimulator::setStatusLayout(StatusLayout layout)
{
    std::lock_guard<std::mutex> lock(mutex_);
    layout_ = layout;
}

void BurnerSimulator::setReplyMode(ReplyMode mode, int shortLength)
{
    std::lock_guard<std::mutex> lock(mutex_);
    mode_ = mode;
    shortLength_ = shortLength < 0 ? 0 : shortLength;
}

void BurnerSimulator::setReplyDelayMs(int ms)
{
    std::lock_guard<std::mutex> lock(mutex_);
    replyDelayMs_ = ms < 0 ? 0 : ms;
}

void BurnerSimulator::setResultDelayMs(int ms)
{
    std::lock_guard<std::mutex> lock(mutex_);
    resultDelayMs_ = ms < 0 ? 0 : ms;
}

void BurnerSimulator::setCustomReply(char letter, const QByteArray& reply)
{
    std::lock_guard<std::mutex> lock(mutex_);
    customReplies_[letter] = reply;
}

void BurnerSimulator::clearCustomReplies()
{
    std::lock_guard<std::mutex> lock(mutex_);
    customReplies_.clear();
}

void BurnerSimulator::setLateReply(char letter, int ms)
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_[letter].lateMs = ms < 0 ? 0 : ms;
}

void BurnerSimulator::setStrayByte(char letter, char byte)
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_[letter].stray = true;
    faults_[letter].strayByte = byte;
}

void BurnerSimulator::setGarbled(char letter, int position, char c)
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_[letter].garbled[position] = c;
}

void BurnerSimulator::setHangUp(char letter, int occurrence, int afterMs)
{
    std::lock_guard<std::mutex> lock(mutex_);
    hangUpLetter_ = letter;
    hangUpOccurrence_ = occurrence;
    hangUpAfterMs_ = afterMs < 0 ? 0 : afterMs;
    hangUpSeen_ = 0;
}

void BurnerSimulator::clearFaults()
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
    hangUpOccurrence_ = 0;
    hangUpSeen_ = 0;
}

bool BurnerSimulator::hungUp() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return hungUp_;
}

bool BurnerSimulator::waitForHangUp(int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return hungUp_; });
}

void BurnerSimulator::sendRaw(const QByteArray& bytes)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        schedule(bytes, 0);
    }
    wake();
}

BurnerSimulator::State BurnerSimulator::state() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_;
}

void BurnerSimulator::setState(const State& state)
{
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = state;
}

void BurnerSimulator::modifyState(const std::function<void(State&)>& change)
{
    std::lock_guard<std::mutex> lock(mutex_);
    change(state_);
}

void BurnerSimulator::setBufferImage(const std::array<uint8_t, 256>& image)
{
    modifyState([&](State& s) { s.buffer = image; });
}

void BurnerSimulator::setModuleImage(const std::array<uint8_t, 256>& image)
{
    modifyState([&](State& s) { s.module = image; });
}

void BurnerSimulator::setFailMask(uint8_t failMask)
{
    modifyState([&](State& s) { s.failMask = failMask; });
}

std::array<uint8_t, 256> BurnerSimulator::bufferImage() const
{
    return state().buffer;
}

std::array<uint8_t, 256> BurnerSimulator::moduleImage() const
{
    return state().module;
}

QList<QByteArray> BurnerSimulator::receivedFrames() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_;
}

QList<qint64> BurnerSimulator::receivedTimesMs() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frameTimes_;
}

QByteArray BurnerSimulator::receivedLetters() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return letters_;
}

QByteArray BurnerSimulator::sentBytes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sent_;
}

void BurnerSimulator::clearLog()
{
    std::lock_guard<std::mutex> lock(mutex_);
    frames_.clear();
    frameTimes_.clear();
    letters_.clear();
    sent_.clear();
}

bool BurnerSimulator::waitForFrames(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return frames_.size() >= count; });
}

bool BurnerSimulator::waitForIdle(int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return pending_.empty() && output_.isEmpty(); });
}

bool BurnerSimulator::caughtUp() const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return caughtUp(lock);
}

bool BurnerSimulator::busyLocked() const
{
    if (hungUp_ || master_ < 0) return false;
    const qint64 now = nowMs();
    if (hangUpDueMs_ >= 0 && hangUpDueMs_ <= now) return true;
    if (reading_ || !output_.isEmpty()) return true;
    for (const Pending& p : pending_)
        if (p.dueMs <= now) return true;
    return false;
}

// Called and returning with `lock` held. The line is looked at without it, so the serving
// thread never waits for the lock while the kernel moves bytes.
bool BurnerSimulator::caughtUp(std::unique_lock<std::mutex>& lock) const
{
    if (busyLocked()) return false;
    if (hungUp_ || master_ < 0) return true;
    const int fd = master_;
    const quint64 reads = reads_;
    lock.unlock();
    // Bytes still on their way: a poll of the terminal also waits for what the kernel is
    // still moving to it, so nothing the PC has written is missed.
    pollfd line { fd, POLLIN, 0 };
    const bool waiting = ::poll(&line, 1, 0) > 0 && (line.revents & POLLIN);
    lock.lock();
    // A read begun meanwhile may have taken the bytes the poll did not see.
    return !waiting && reads == reads_ && !busyLocked();
}

bool BurnerSimulator::waitUntilCaughtUp(int timeoutMs) const
{
    const qint64 deadline = nowMs() + timeoutMs;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!caughtUp(lock)) {
        if (nowMs() >= deadline) return false;
        // The serving thread signals each read it has handled and each write; an answer
        // falling due signals nothing until it is written, so look again now and then.
        changed_.wait_for(lock, std::chrono::milliseconds(20));
    }
    return true;
}

void BurnerSimulator::setObserver(std::function<void(const QByteArray&, const QByteArray&)> observer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    observer_ = std::move(observer);
}

QByteArray BurnerSimulator::imageText(const std::array<uint8_t, 256>& image)
{
    QByteArray text;
    for (uint8_t b : image) text += hex2(b);
    return text;
}

bool BurnerSimulator::readProgramFrame(const QByteArray& frame, int& block, std::array<uint8_t, 16>& bytes)
{
    if (frame.size() != 36 || frame[0] != letter::Program || frame[1] != 'X' || frame[35] != kEnd) return false;
    const int k = static_cast<unsigned char>(frame[2]) - '0';
    if (k < 0 || k > 15) return false;
    std::array<uint8_t, 16> got{};
    for (int j = 0; j < 16; ++j) {
        const int high = hexValue(frame[3 + 2 * j]);
        const int low = hexValue(frame[4 + 2 * j]);
        if (high < 0 || low < 0) return false;
        got[static_cast<size_t>(j)] = static_cast<uint8_t>(16 * high + low);
    }
    block = k;
    bytes = got;
    return true;
}

// Long layout, 92 characters: 1-2 socket results, 3-4 automatic serial numbers ("FF" on),
// 5-8 "55AA", 9-12 reserved, 13-20 current serial number, 21-84 the eight socket serial
// numbers, 85-86 gang mode, 87-88 keypad ("FF" unlocked), 89-90 firmware version, 91-92
// direction ("FF" low to high).
QByteArray BurnerSimulator::longStatusText(const State& s)
{
    QByteArray text;
    text += hex2(s.socketResults);
    text += s.autoSerial ? "FF" : "00";
    text += "55AA";
    text += "0000";
    text += fit(s.currentSerial, 8);
    for (const QByteArray& serial : s.socketSerial) text += fit(serial, 8);
    text += fit(s.gangCode, 2);
    text += s.keypadLocked ? "00" : "FF";
    text += fit(s.version, 2);
    text += s.lowToHigh ? "FF" : "00";
    return text;
}

// Short layout, 10 characters: 1-2 socket results, 3-4 automatic serial numbers ("00"
// off), 5-6 gang mode, 7-8 keypad ("00" unlocked), 9-10 direction ("00" low to high).
QByteArray BurnerSimulator::shortStatusText(const State& s)
{
    QByteArray text;
    text += hex2(s.socketResults);
    text += s.autoSerial ? "FF" : "00";
    text += fit(s.gangCode, 2);
    text += s.keypadLocked ? "FF" : "00";
    text += s.lowToHigh ? "00" : "FF";
    return text;
}

qint64 BurnerSimulator::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QByteArray BurnerSimulator::advanceSerial(const QByteArray& serial, bool up)
{
    bool ok = false;
    const qlonglong value = serial.toLongLong(&ok);
    if (!ok || value < 0) return serial;
    constexpr qlonglong kWrap = 100000000;
    const qlonglong next = up ? (value + 1) % kWrap : (value + kWrap - 1) % kWrap;
    return QByteArray::number(next).rightJustified(8, '0');
}

void BurnerSimulator::schedule(const QByteArray& bytes, int delayMs)
{
    if (bytes.isEmpty()) return;
    pending_.push_back(Pending { nowMs() + delayMs, bytes });
}

void BurnerSimulator::wake()
{
    if (wakeWrite_ < 0) return;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &b, 1);
}

QByteArray BurnerSimulator::answerFor(char l, State& s, bool& scheduleResult)
{
    scheduleResult = false;
    switch (l) {
    case letter::Buffer:
    case letter::Blank:
        return imageText(s.buffer);
    case letter::Module:
        return imageText(s.module);
    case letter::Status:
        return layout_ == StatusLayout::Long ? longStatusText(s) : shortStatusText(s);
    case letter::Erase:
        s.buffer.fill(s.eraseValue);
        return QByteArray();
    case letter::AutoOn:
    case letter::AutoOff:
        s.autoSerial = l == letter::AutoOn;
        return QByteArray();
    case letter::ReadModule:
        s.buffer = s.module;
        return QByteArray();
    case letter::Copy:
        s.module = s.buffer;
        return QByteArray();
    case letter::Compare:
        s.lastVerifyOk = s.module == s.buffer;
        return QByteArray();
    case letter::KeysOn:
    case letter::KeysOff:
        s.keypadLocked = l == letter::KeysOff;
        return QByteArray();
    case letter::LowToHigh:
    case letter::HighToLow:
        s.lowToHigh = l == letter::LowToHigh;
        return QByteArray();
    case letter::Gang:
        ++s.gangRuns;
        s.socketResults = s.failMask;
        for (int k = 0; k < 8; ++k) {
            QByteArray& serial = s.socketSerial[static_cast<size_t>(k)];
            if (((s.failMask >> k) & 1) == 0 && s.autoSerial) {
                serial = fit(s.currentSerial, 8);
                s.currentSerial = advanceSerial(s.currentSerial, s.lowToHigh);
            } else {
                serial = "00000000";
            }
        }
        scheduleResult = true;
        return longStatusText(s);
    default:
        return QByteArray();
    }
}

QByteArray BurnerSimulator::withFaults(char l, QByteArray answer, int& extraDelayMs) const
{
    extraDelayMs = 0;
    for (char key : { Every_Letter, l }) {
        const auto it = faults_.constFind(key);
        if (it == faults_.constEnd()) continue;
        const Fault& f = it.value();
        if (answer.isEmpty()) continue;
        for (auto g = f.garbled.constBegin(); g != f.garbled.constEnd(); ++g)
            if (g.key() >= 1 && g.key() <= answer.size()) answer[g.key() - 1] = g.value();
        if (f.stray) answer.prepend(f.strayByte);
        extraDelayMs += f.lateMs;
    }
    return answer;
}

void BurnerSimulator::handleUnit(const QByteArray& unit)
{
    QByteArray answer;
    std::function<void(const QByteArray&, const QByteArray&)> observer;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (hungUp_) return;
        frames_.append(unit);
        frameTimes_.append(nowMs());
        const QByteArray body = unit.left(unit.size() - 1);
        const char first = body.isEmpty() ? '\0' : body[0];
        if (first == letter::Program) {
            letters_.append(letter::Program);
            int k = 0;
            std::array<uint8_t, 16> bytes{};
            if (readProgramFrame(unit, k, bytes)) {
                for (int j = 0; j < 16; ++j) state_.buffer[static_cast<size_t>(16 * k + j)] = bytes[static_cast<size_t>(j)];
            }
        } else if (body.size() == 1) {
            letters_.append(first);
            bool result = false;
            answer = answerFor(first, state_, result);
            if (customReplies_.contains(first)) answer = customReplies_.value(first);
            if (mode_ == ReplyMode::Silent) answer.clear();
            if (mode_ == ReplyMode::Short) answer = answer.left(shortLength_);
            int lateMs = 0;
            answer = withFaults(first, answer, lateMs);
            schedule(answer, (result ? resultDelayMs_ : replyDelayMs_) + lateMs);
        }
        if (hangUpOccurrence_ > 0 && first == hangUpLetter_ && (body.size() == 1 || first == letter::Program)
            && ++hangUpSeen_ == hangUpOccurrence_)
            hangUpDueMs_ = nowMs() + hangUpAfterMs_;
        observer = observer_;
        changed_.notify_all();
    }
    if (observer) observer(unit, answer);
}

void BurnerSimulator::hangUpNow()
{
    // Both ends the burner holds go: with the master closed the PC's side of the terminal
    // reports a hang-up on every read and write.
    std::lock_guard<std::mutex> lock(mutex_);
    closeFd(master_);
    closeFd(slaveKeeper_);
    hungUp_ = true;
    hangUpDueMs_ = -1;
    pending_.clear();
    output_.clear();
    changed_.notify_all();
}

void BurnerSimulator::serve()
{
    for (;;) {
        int timeout = -1;
        bool wantWrite = false;
        bool hangUp = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) break;
            const qint64 now = nowMs();
            if (hangUpDueMs_ >= 0) {
                if (hangUpDueMs_ <= now) hangUp = true;
                else timeout = static_cast<int>(hangUpDueMs_ - now);
            }
            for (auto it = pending_.begin(); it != pending_.end();) {
                if (it->dueMs <= now) {
                    output_ += it->bytes;
                    it = pending_.erase(it);
                } else {
                    const qint64 wait = it->dueMs - now;
                    if (timeout < 0 || wait < timeout) timeout = static_cast<int>(wait);
                    ++it;
                }
            }
            wantWrite = !output_.isEmpty();
            if (!wantWrite && pending_.empty()) changed_.notify_all();
        }
        if (hangUp) {
            hangUpNow();
            // The line is down: wait for stop() only.
            pollfd wakeOnly { wakeRead_, POLLIN, 0 };
            for (;;) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    if (stopping_) return;
                }
                ::poll(&wakeOnly, 1, -1);
                char drain[64];
                while (::read(wakeRead_, drain, sizeof drain) > 0) {}
            }
        }
        pollfd fds[2] = {
            { master_, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0 },
            { wakeRead_, POLLIN, 0 },
        };
        const int ready = ::poll(fds, 2, timeout);
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents & POLLIN) {
            char drain[64];
            while (::read(wakeRead_, drain, sizeof drain) > 0) {}
        }
        if (fds[0].revents & POLLIN) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                reading_ = true;
                ++reads_;
            }
            char chunk[1024];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n > 0) {
                input_.append(chunk, static_cast<int>(n));
                int end;
                while ((end = input_.indexOf(kEnd)) >= 0) {
                    const QByteArray unit = input_.left(end + 1);
                    input_.remove(0, end + 1);
                    handleUnit(unit);
                }
                if (input_.size() > kMaxUnit) input_.clear();
            }
            std::lock_guard<std::mutex> lock(mutex_);
            reading_ = false;
            changed_.notify_all();
        }
        if (fds[0].revents & POLLOUT) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!output_.isEmpty()) {
                const ssize_t n = ::write(master_, output_.constData(), static_cast<size_t>(output_.size()));
                if (n > 0) {
                    sent_.append(output_.left(static_cast<int>(n)));
                    output_.remove(0, static_cast<int>(n));
                }
            }
            changed_.notify_all();
        }
        if ((fds[0].revents & (POLLHUP | POLLERR)) && !(fds[0].revents & POLLIN)) {
            // Should not happen while the terminal side is held open; avoid a busy loop.
            ::poll(nullptr, 0, 10);
        }
    }
}
