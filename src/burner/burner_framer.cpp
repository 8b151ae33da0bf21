#include "burner/burner_framer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int Frame_Length = Burner_Status_Frame_Length;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Hex digits in a row from `start`.
int hexRun(const QByteArray& text, int start)
{
    int end = start;
    while (end < text.size() && isHexDigit(text[end])) ++end;
    return end - start;
}

// Characters 5-8 from `start` read "55AA".
bool signatureAt(const QByteArray& text, int start)
{
    return start >= 0 && start + 8 <= text.size() && std::memcmp(text.constData() + start + 4, Burner_Signature, 4) == 0;
}

// What is known of a frame that would start at a character whose 5th to 8th read "55AA".
enum class Start { Frame, Cut, Open };

} // namespace

void Burner_Framer::statusUnanswered(qint64 nowMs)
{
    ++owed_;
    owedUntil_ = nowMs + Late_Status_Ms;
}

bool Burner_Framer::takeLate(qint64 atMs)
{
    if (atMs > owedUntil_) owed_ = 0;
    if (owed_ == 0) return false;
    --owed_;
    return true;
}

void Burner_Framer::append(const QList<Com_Input>& input)
{
    for (const Com_Input& run : input) {
        text_ += run.data;
        at_.insert(at_.end(), static_cast<size_t>(run.data.size()), run.arrivedMs);
    }
}

void Burner_Framer::dropFront(int count)
{
    count = std::min(count, static_cast<int>(text_.size()));
    text_.remove(0, count);
    at_.erase(at_.begin(), at_.begin() + count);
}

QList<Burner_Framer::Found> Burner_Framer::takeFrames(qint64 nowMs, bool final)
{
    const int n = static_cast<int>(text_.size());
    // Each possible start is decided from the right, so a start knows the starts after it.
    std::vector<Start> start(static_cast<size_t>(std::max(n, 0)), Start::Cut);
    for (int s = n - 8; s >= 0; --s) {
        if (!signatureAt(text_, s)) continue;
        Start& d = start[static_cast<size_t>(s)];
        if (s + Frame_Length > n) {
            // Its rest may still come, unless its time is up.
            d = nowMs - at_[static_cast<size_t>(s)] > Part_Limit_Ms ? Start::Cut : Start::Open;
            continue;
        }
        if (at_[static_cast<size_t>(s + Frame_Length - 1)] - at_[static_cast<size_t>(s)] > Part_Limit_Ms) {
            d = Start::Cut;   // its rest came too late to be its rest
            continue;
        }
        // A frame of its own starting within this one's 92 characters cuts it short. A
        // start that never came whole (a field that happens to read "55AA") does not.
        d = Start::Frame;
        for (int t = s + 1; t < s + Frame_Length && d == Start::Frame; ++t) {
            const Start inner = start[static_cast<size_t>(t)];
            if (!signatureAt(text_, t) || inner == Start::Cut) continue;
            if (inner == Start::Frame) d = Start::Cut;
            else if (!final) d = Start::Open;
        }
    }

    QList<Found> found;
    int next = 0;
    int keep = n;
    bool open = false;
    for (int s = 0; s + 8 <= n; ++s) {
        if (s < next || !signatureAt(text_, s)) continue;
        const Start d = start[static_cast<size_t>(s)];
        if (d == Start::Cut) continue;
        if (d == Start::Open) {
            keep = s;
            open = true;
            break;
        }
        found.append(Found{ text_.mid(s, Frame_Length), at_[static_cast<size_t>(s)] });
        next = s + Frame_Length;
    }
    if (!open) {
        // The last few characters may begin a frame whose signature is still to come.
        for (int k = std::min(7, n - next); k > 0; --k)
            if (Could_Begin_Status_Frame(text_.right(k))) {
                keep = n - k;
                break;
            }
    }
    dropFront(keep);
    return found;
}

QList<Burner_Status_Frame> Burner_Framer::pollInput(const QList<Com_Input>& input, qint64 nowMs)
{
    append(input);
    QList<Burner_Status_Frame> results;
    results.swap(ready_);
    for (const Found& f : takeFrames(nowMs, false))
        if (!takeLate(f.atMs))
            if (const auto frame = Parse_Burner_Status_Frame(f.text)) results.append(*frame);
    return results;
}

std::optional<Burner_Status_Frame> Burner_Framer::statusReply(const QList<Com_Input>& input, qint64 nowMs)
{
    append(input);
    const QList<Found> frames = takeFrames(nowMs, true);
    int reply = 0;
    while (reply + 1 < frames.size() && takeLate(frames[reply].atMs)) ++reply;
    if (reply >= frames.size()) return std::nullopt;
    owed_ = 0;
    for (int i = reply + 1; i < frames.size(); ++i)
        if (const auto frame = Parse_Burner_Status_Frame(frames[i].text)) ready_.append(*frame);
    return Parse_Burner_Status_Frame(frames[reply].text);
}

bool Burner_Framer::frameAhead(int start, int length) const
{
    return signatureAt(text_, start) && start + Frame_Length <= text_.size() &&
           at_[static_cast<size_t>(start + Frame_Length - 1)] - at_[static_cast<size_t>(start)] <= Part_Limit_Ms &&
           hexRun(text_, start + Frame_Length) >= length;
}

void Burner_Framer::setAside(int start)
{
    if (takeLate(at_[static_cast<size_t>(start)])) return;
    if (const auto frame = Parse_Burner_Status_Frame(text_.mid(start, Frame_Length))) ready_.append(*frame);
}

QByteArray Burner_Framer::commandReply(const QList<Com_Input>& input, int length, bool keepRest)
{
    const int held = static_cast<int>(text_.size());
    append(input);
    // Kept characters count only where the reply's first characters complete a frame
    // begun in them; otherwise the reply starts after them.
    int pos = held;
    for (int p = 0; p < held; ++p)
        if (frameAhead(p, length)) {
            setAside(p);
            pos = p + Frame_Length;
            break;
        }
    while (frameAhead(pos, length)) {
        setAside(pos);
        pos += Frame_Length;
    }
    if (pos < text_.size() && statusOwed(at_[static_cast<size_t>(pos)]) &&
        hexRun(text_, pos) == Burner_Short_Status_Length + length) {
        --owed_;   // a late reply in the short layout
        pos += Burner_Short_Status_Length;
    }
    dropFront(pos);
    // The burner has answered a later command: an earlier reply that has not come by now
    // never will.
    if (!text_.isEmpty()) owed_ = 0;
    const QByteArray reply = text_;
    dropFront(keepRest ? length : static_cast<int>(text_.size()));
    return reply;
}

QByteArray Burner_Framer::imageReply(const QList<Com_Input>& input)
{
    return commandReply(input, Image_Hex_Text_Length, true);
}

QByteArray Burner_Framer::statusText(const QList<Com_Input>& input)
{
    return commandReply(input, Burner_Short_Status_Length, false);
}
