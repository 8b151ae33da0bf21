// Arbitrary input into what the status reader and the result poll make of it. Besides the
// sanitizers' checks, a run stops on a broken promise:
//  - a frame is accepted exactly when characters 5-8 are "55AA";
//  - an accepted result frame adds eight to the two counts, one failure per set bit of
//    its first byte, and shows "00000000" under every failed socket and the frame's own
//    eight characters under every other one;
//  - input that is no frame leaves the counts alone, unless a new document's status
//    request is running, which always ends with both counts at "0";
//  - a count caption that is no number is refused with Burner_Error, never misread;
//  - every field read from a reply is at most as long as its place in the frame;
//  - the framer, given the input in two runs at times the input chooses, never returns
//    more results than the input holds whole frames, nor a reply longer than the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "burner/burner_framer.h"
#include "burner/burner_frames.h"
#include "burner/burner_port.h"
#include "burner/ui/result_poll.h"

namespace {
void require(bool condition)
{
    if (!condition) std::abort();
}

// True when the text holds no ASCII lower-case letter (the flags are folded to upper case).
bool noAsciiLower(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() >= 'a' && c.unicode() <= 'z') return false;
    return true;
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    // Byte 0: the start-up request flag; bytes 1-2: the counts before the tick.
    const int statusQuery = data[0] & 1;
    const qlonglong success = data[1];
    const qlonglong failure = data[2];
    const QByteArray input(reinterpret_cast<const char*>(data + 3), static_cast<qsizetype>(size - 3));

    const std::optional<Burner_Status_Frame> frame = Parse_Burner_Status_Frame(input);
    require(frame.has_value() == (input.size() >= 8 && input.mid(4, 4) == "55AA"));

    const Result_Poll_Outcome out =
        Result_Poll(frame, statusQuery, QString::number(success), QString::number(failure));
    require(out.frameAccepted == frame.has_value());
    require(out.countersChanged == (frame.has_value() || statusQuery == 1));
    if (statusQuery == 1) {
        require(out.successCount == QLatin1String("0") && out.failureCount == QLatin1String("0"));
    } else if (!frame) {
        require(out.successCount == QString::number(success) && out.failureCount == QString::number(failure));
    }
    if (frame) {
        const int results = 16 * hexDigit(input[0]) + hexDigit(input[1]);
        require(frame->socketResults == results);
        int failed = 0;
        for (int k = 1; k <= 8; ++k) {
            const Result_Poll_Socket& s = out.sockets[static_cast<size_t>(k - 1)];
            require(s.failed == (((results >> (k - 1)) & 1) != 0));
            if (s.failed) {
                ++failed;
                require(s.serial == QLatin1String("00000000"));
            } else {
                require(s.serial == QString::fromLatin1(input.mid(20 + 8 * (k - 1), 8)));
            }
        }
        if (statusQuery == 0) {
            require(out.failureCount.toLongLong() == failure + failed);
            require(out.successCount.toLongLong() == success + 8 - failed);
        }
        require(out.currentSerial.size() <= 8);
        for (const QString* field : { &frame->autoSerialCode, &frame->gangCode, &frame->keypadCode, &frame->version,
                                      &frame->directionCode })
            require(field->size() <= 2 && noAsciiLower(*field));
        require(frame->versionCaption().startsWith(QLatin1String("Ver:")));
        require(Gang_Mode_Caption(frame->gangCode).isNull() ==
                !(frame->gangCode == QLatin1String("01") || frame->gangCode == QLatin1String("02") ||
                  frame->gangCode == QLatin1String("04") || frame->gangCode == QLatin1String("08")));
    }

    // The framer: the input in two runs, read by the poll, the status reader or a command.
    {
        Burner_Framer framer;
        const int split = input.isEmpty() ? 0 : data[1] % (input.size() + 1);
        const QList<Com_Input> first{ { input.left(split), 0 } };
        const QList<Com_Input> second{ { input.mid(split), 10 * qint64(data[2]) } };
        if (data[0] & 2) framer.statusUnanswered(0);
        qsizetype results = framer.pollInput(first, 0).size();
        if (data[0] & 4) {
            require(framer.imageReply(second).size() <= input.size());
        } else if (data[0] & 8) {
            results += framer.statusReply(second, 4000) ? 1 : 0;
        } else {
            results += framer.pollInput(second, 10 * qint64(data[2])).size();
        }
        results += framer.pollInput({}, 100000).size();
        require(results <= input.size() / Burner_Status_Frame_Length);
    }

    // The same input as a count caption: a number or a refusal.
    const QString caption = QString::fromLatin1(input.left(24));
    bool isNumber = false;
    const qlonglong value = caption.trimmed().toLongLong(&isNumber);
    isNumber = isNumber && value <= Result_Poll_Counter_Max;
    try {
        const Result_Poll_Outcome counted = Result_Poll(Parse_Burner_Status_Frame("000055AA"), 0, caption, caption);
        require(isNumber);
        require(counted.successCount.toLongLong() == value + 8);
    } catch (const Burner_Error&) {
        require(!isNumber);
    }

    // The short layout that the read of the burner's image takes after "s".
    const std::optional<Burner_Short_Status> s = Parse_Burner_Short_Status(input);
    // Eight hex digits in characters 3-10, and no further digit straight after them.
    bool shortForm = input.size() >= 10 && (input.size() == 10 || !isHex(input[10]));
    for (int i = 2; shortForm && i < 10; ++i) shortForm = isHex(input[i]);
    require(s.has_value() == shortForm);
    if (s) {
        for (const QString* field : { &s->autoSerialCode, &s->gangCode, &s->keypadCode, &s->directionCode })
            require(field->size() == 2);
    }
    return 0;
}
