#include "support/burner_simulator.h"

#include "burner/burner_frames.h"
#include "spd_document/spd_record.h"

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

QByteArray hex2(uint8_t b)
{
    return Hex_Byte_Text(b).toLatin1();
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

void BurnerSimulator::setObserver(std::function<void(const QByteArray&, const QByteArray&)> observer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    observer_ = std::move(observer);
}

QByteArray BurnerSimulator::longStatusText(const State& s)
{
    QByteArray text;
    text += hex2(s.socketResults);
    text += s.autoSerial ? "FF" : "00";
    text += Burner_Signature;
    text += "0000";
    text += fit(s.currentSerial, 8);
    for (const QByteArray& serial : s.socketSerial) text += fit(serial, 8);
    text += fit(s.gangCode, 2);
    text += s.keypadLocked ? "00" : "FF";
    text += fit(s.version, 2);
    text += s.lowToHigh ? "FF" : "00";
    return text;
}

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

QByteArray BurnerSimulator::answerFor(char letter, State& s, bool& scheduleResult)
{
    scheduleResult = false;
    switch (letter) {
    case Burner_Letter::ReadIC:
    case Burner_Letter::BlankIC:
        return Image_Hex_Text(s.buffer);
    case Burner_Letter::ReadModule:
        return Image_Hex_Text(s.module);
    case Burner_Letter::Status:
        return layout_ == StatusLayout::Long ? longStatusText(s) : shortStatusText(s);
    case Burner_Letter::EraseIC:
        s.buffer.fill(s.eraseValue);
        return QByteArray();
    case Burner_Letter::AutoOn:
    case Burner_Letter::AutoOff:
        s.autoSerial = letter == Burner_Letter::AutoOn;
        return QByteArray();
    case Burner_Letter::Read_Command:
        s.buffer = s.module;
        return QByteArray();
    case Burner_Letter::Copy:
        s.module = s.buffer;
        return QByteArray();
    case Burner_Letter::Verify:
        s.lastVerifyOk = s.module == s.buffer;
        return QByteArray();
    case Burner_Letter::EN_KEY:
    case Burner_Letter::DIS_KEY:
        s.keypadLocked = letter == Burner_Letter::DIS_KEY;
        return QByteArray();
    case Burner_Letter::SNUM_P:
    case Burner_Letter::SNUM_N:
        s.lowToHigh = letter == Burner_Letter::SNUM_P;
        return QByteArray();
    case Burner_Letter::Mcopy:
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

void BurnerSimulator::handleUnit(const QByteArray& unit)
{
    QByteArray answer;
    std::function<void(const QByteArray&, const QByteArray&)> observer;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        frames_.append(unit);
        const QByteArray body = unit.left(unit.size() - 1);
        if (!body.isEmpty() && body[0] == Burner_Letter::Program) {
            letters_.append(Burner_Letter::Program);
            if (const auto frame = Parse_Program_Frame(unit)) {
                for (int j = 0; j < 16; ++j)
                    state_.buffer[static_cast<size_t>(16 * frame->k + j)] = frame->bytes[static_cast<size_t>(j)];
            }
        } else if (body.size() == 1) {
            const char letter = body[0];
            letters_.append(letter);
            bool result = false;
            answer = answerFor(letter, state_, result);
            if (customReplies_.contains(letter)) answer = customReplies_.value(letter);
            if (mode_ == ReplyMode::Silent) answer.clear();
            if (mode_ == ReplyMode::Short) answer = answer.left(shortLength_);
            schedule(answer, result ? resultDelayMs_ : replyDelayMs_);
        }
        observer = observer_;
        changed_.notify_all();
    }
    if (observer) observer(unit, answer);
}

void BurnerSimulator::serve()
{
    for (;;) {
        int timeout = -1;
        bool wantWrite = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) break;
            const qint64 now = nowMs();
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
            char chunk[1024];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n > 0) {
                input_.append(chunk, static_cast<int>(n));
                int end;
                while ((end = input_.indexOf(Burner_Terminator)) >= 0) {
                    const QByteArray unit = input_.left(end + 1);
                    input_.remove(0, end + 1);
                    handleUnit(unit);
                }
                if (input_.size() > kMaxUnit) input_.clear();
            }
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
            if (output_.isEmpty() && pending_.empty()) changed_.notify_all();
        }
        if ((fds[0].revents & (POLLHUP | POLLERR)) && !(fds[0].revents & POLLIN)) {
            // Should not happen while the terminal side is held open; avoid a busy loop.
            ::poll(nullptr, 0, 10);
        }
    }
}
