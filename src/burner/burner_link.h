#pragma once
// The state of the burner link that lasts from one handler to the next, apart from any
// window: whether a command is waiting, which document a status reply or a download's
// read-back belongs to, whether a status reply is still owed, and the result frame the
// 500 ms poll is putting together. The main window keeps the port, the timers and the
// handlers; it tells this class what it sends and asks it what the input it took means.
// Documents are held by QPointer, so one closed meanwhile reads as null.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <optional>

#include "burner/burner_frames.h"

class Burner_Link {
public:
    // Polls (500 ms each) that a result frame begun in one poll may take to come whole.
    // At 9600 baud its 92 characters take about 96 ms, so the rest is normally in the next
    // poll; 2 s leaves room for a slow serial adapter or a busy PC, and is far shorter than
    // a gang run, so the next run's frame is never taken for the rest of this one.
    static constexpr int Partial_Frame_Polls = 4;
    // Polls after a status request went unanswered in which input is taken for that reply
    // coming late, not for a burn result. The reader gives up 0.4 to 2.4 s after the
    // request; a burner that answers at all answers within a fraction of a second, so 3 s
    // more covers any late reply, while a run the user starts on the burner's keypad after
    // the failure message takes longer than that to send its result.
    static constexpr int Owed_Status_Polls = 6;

    // One command at a time. A command's waits run the event loop, and a command started
    // from inside one (a click, a timer, a window closed meanwhile) would take or spoil
    // the waiting command's reply: while a wait runs the main window refuses commands.
    bool busy() const { return waits_ > 0; }
    // Marks one stretch of sending and waiting; they may nest. True for the outermost.
    bool waitBegins() { return waits_++ == 0; }
    // True when the outermost stretch ends.
    bool waitEnds() { return --waits_ == 0; }

    // A new command starts: what comes from now on answers it. A late status reply or a
    // part of a result frame still expected is forgotten, and so is a download whose
    // read-back did not follow.
    void commandStarts();

    // A download sent the image of `doc`; the read-back that follows compares with it.
    void downloadSent(QObject* doc);
    // The document a read-back compares the burner's image with: the one whose image the
    // download just sent (null when it was closed meanwhile), else `active`. The download
    // is forgotten.
    QObject* readBackDocument(QObject* active);

    // While one lasts, status requests are made for `doc` (a document being loaded, or the
    // one whose status reply or burner read is being applied) instead of the active one.
    class Status_Owner {
    public:
        Status_Owner(Burner_Link& link, QObject* doc) : link_(link), previous_(link.owner_) { link.owner_ = doc; }
        ~Status_Owner() { link_.owner_ = previous_; }
        Status_Owner(const Status_Owner&) = delete;
        Status_Owner& operator=(const Status_Owner&) = delete;

    private:
        Burner_Link& link_;
        QPointer<QObject> previous_;
    };
    // A status request is sent: its reply belongs to the owner, if any, else to `active`.
    void statusRequested(QObject* active);
    // The document the pending status reply belongs to (null when it was closed).
    QObject* statusDocument() const { return statusFor_.data(); }

    // The status reader (or the read-burner command) got no whole status reply: what
    // comes in the next polls is that reply coming late, or the rest of it.
    void statusUnanswered();
    bool statusOwed() const { return owedPolls_ > 0; }

    // What one poll took from the port. Returns the result frame once one has come whole
    // (its first 92 characters; any beyond are dropped). Input that cannot begin a frame
    // is dropped, and so is a part that stays incomplete for longer than its polls, and a
    // late status reply; nothing of them is ever returned.
    std::optional<Burner_Status_Frame> pollInput(const QByteArray& input);
    bool partialFrame() const { return !partial_.isEmpty(); }

private:
    int waits_ = 0;
    QPointer<QObject> owner_;
    QPointer<QObject> statusFor_;
    bool readBackPending_ = false;
    QPointer<QObject> downloadDoc_;
    int owedPolls_ = 0;
    QByteArray partial_;
    int partialPolls_ = 0;
    bool partialIsStatus_ = false;
};

// True when `text` can be the start of a long status or result frame: as far as it goes,
// its characters 5-8 are the signature "55AA".
bool Could_Begin_Status_Frame(const QByteArray& text);
