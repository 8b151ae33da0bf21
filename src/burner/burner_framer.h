#pragma once
// How everything the burner sends is read. The line carries no lengths and no checksums,
// so what a character belongs to is told by where it stands, what stands around it and
// when it came. One framer reads it all: the result poll's input, the status reader's and
// the replies of the commands that read an image or a status. It keeps what one read
// leaves to the next: characters that begin a frame whose rest is still to come, results
// that a command's read came across, and whether a status reply is still owed.
//
// Times are ms on the clock of the burner's waits (Clock::monotonicMs), as the port
// stamps its input; a frame's time is that of its first character.
#include <QByteArray>
#include <QList>
#include <optional>
#include <vector>

#include "burner/burner_frames.h"
#include "platform/com_port.h"

class Burner_Framer {
public:
    // A frame's 92 characters come back to back, in about 96 ms at 9600 baud. Characters
    // arriving more than 2 s after a frame's first are no part of it: a slow serial
    // adapter or a busy PC delays the rest by far less, and a gang run, whose result
    // would come next, takes longer.
    static constexpr qint64 Part_Limit_Ms = 2000;
    // A long frame arriving up to 3 s after the status reader gave up is the reply it
    // waited for, coming late: a status, not a burn. The reader gives up 0.4 to 2.4 s after
    // the request and a burner that answers at all answers within a fraction of a second,
    // while a run the user starts on the burner's keypad after the failure message takes
    // longer than that to send its result.
    static constexpr qint64 Late_Status_Ms = 3000;

    // A status request got no reply by `nowMs`: one may still come, late.
    void statusUnanswered(qint64 nowMs);
    // True when a long frame arriving at `atMs` would be taken for a late status reply.
    bool statusOwed(qint64 atMs) const { return owed_ > 0 && atMs <= owedUntil_; }

    // The result poll's input. Returns the result frames that have come whole, oldest
    // first, after those a command's read came across. A frame is found wherever its
    // characters 5-8 read "55AA"; characters before it are dropped. A frame is cut, and
    // counts nothing, when another frame begins within its 92 characters and comes whole
    // (no field is ever read from two frames), or when its last character came more than
    // Part_Limit_Ms after its first (or has not come by then); the characters after the
    // cut are read on their own. A late status reply is passed
    // over. What may still become a frame is kept for the next read.
    QList<Burner_Status_Frame> pollInput(const QList<Com_Input>& input, qint64 nowMs);

    // The status reader's input: the reply to its request, a long frame found as above;
    // nullopt when none came whole (what came of it is kept, and its rest, should it come,
    // is the late reply). Late replies to earlier requests ahead of it are passed over,
    // and frames after it are results for the next poll. A reply read whole ends the wait
    // for any earlier one: the burner answers in order.
    std::optional<Burner_Status_Frame> statusReply(const QList<Com_Input>& input, qint64 nowMs);

    // The reply to a command that reads an image ("k", "l", "L"), from the image's first
    // character on. Ahead of it may stand what belongs to earlier exchanges: the rest of a
    // frame begun in an earlier read, a late status reply in either layout, a result
    // frame; each is taken out where the 512 characters of an image still follow it, so
    // an image that itself reads as a frame is never cut. A late reply is passed over,
    // a result kept for the next poll. Characters begun in an earlier read and not
    // continued by the reply's first are dropped: a reply is never joined to them.
    // Characters after the image are left for the next poll.
    QByteArray imageReply(const QList<Com_Input>& input);
    // The same for the status request of a burner read, whose reply is a long frame or a
    // short status (10 characters); nothing after it is kept.
    QByteArray statusText(const QList<Com_Input>& input);

    // Characters kept for the next read.
    int heldCharacters() const { return static_cast<int>(text_.size()); }

private:
    struct Found {
        QByteArray text;
        qint64 atMs;
    };
    void append(const QList<Com_Input>& input);
    void dropFront(int count);
    // Whole frames in the kept text, read as pollInput says; `final` when no more input
    // will be joined before the frames are used (a frame overlapped by the start of an
    // unfinished one is then taken).
    QList<Found> takeFrames(qint64 nowMs, bool final);
    // True (and the owed count lowered) when a frame arriving at `atMs` is a late
    // status reply.
    bool takeLate(qint64 atMs);
    // Passes a frame over as a late reply or keeps it as a result for the next poll.
    void setAside(int start);
    // True when characters from `start` hold a frame that arrived within its time and
    // `length` hex characters follow it.
    bool frameAhead(int start, int length) const;
    QByteArray commandReply(const QList<Com_Input>& input, int length, bool keepRest);

    QByteArray text_;              // kept characters
    std::vector<qint64> at_;       // the arrival time of each of them
    QList<Burner_Status_Frame> ready_;
    int owed_ = 0;
    qint64 owedUntil_ = 0;
};
