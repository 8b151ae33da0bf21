#pragma once
// The state of the burner link that lasts from one handler to the next, apart from any
// window: whether a command is waiting, which document a status reply or a download's
// read-back belongs to, and the framer that reads the burner's input. The main window
// keeps the port, the timers and the handlers; it tells this class what it sends and
// hands the framer what it took. Documents are held by QPointer, so one closed meanwhile
// reads as null.
#include <QObject>
#include <QPointer>

#include "burner/burner_framer.h"

class Burner_Link {
public:
    // One command at a time. A command's waits run the event loop, and a command started
    // from inside one (a click, a timer, a window closed meanwhile) would take or spoil
    // the waiting command's reply: while a wait runs the main window refuses commands.
    bool busy() const { return waits_ > 0; }
    // Marks one stretch of sending and waiting; they may nest. True for the outermost.
    bool waitBegins() { return waits_++ == 0; }
    // True when the outermost stretch ends.
    bool waitEnds() { return --waits_ == 0; }

    // A new command starts: a download whose read-back did not follow is forgotten. What
    // the framer keeps is not: a late status reply or the rest of a frame still to come
    // arrives ahead of the new command's reply, and the framer tells it from that reply.
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

    // Reads the burner's input: the poll's, the status reader's, the commands' replies.
    Burner_Framer& input() { return input_; }

private:
    int waits_ = 0;
    QPointer<QObject> owner_;
    QPointer<QObject> statusFor_;
    bool readBackPending_ = false;
    QPointer<QObject> downloadDoc_;
    Burner_Framer input_;
};
