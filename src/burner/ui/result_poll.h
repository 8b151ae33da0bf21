#pragma once
// What one tick of the 500 ms result poll makes of the input it took, apart from any
// window: which sockets passed or failed, the serial numbers shown under them and the
// new success and failure counts. The panel shows the outcome as it stands.
#include <QByteArray>
#include <QString>
#include <array>
#include <limits>
#include <optional>

#include "burner/burner_frames.h"
#include "burner/burner_port.h"

struct Result_Poll_Socket {
    bool failed = false;
    QString serial;   // "00000000" for a failed socket
};

struct Result_Poll_Outcome {
    bool frameAccepted = false;                 // the input was a result frame ("55AA")
    std::array<Result_Poll_Socket, 8> sockets;  // sockets 1..8, valid when accepted
    QString currentSerial;                      // characters 13-20, valid when accepted
    bool countersChanged = false;               // the two counts below replace the panel's
    QString successCount;
    QString failureCount;
};

// Largest count that one more frame can still be added to.
constexpr qlonglong Result_Poll_Counter_Max = std::numeric_limits<qlonglong>::max() - 8;

// A counter caption read as a number; throws Burner_Error when it holds none (or one too
// large to count on).
inline qlonglong Result_Poll_Counter(const QString& caption)
{
    bool ok = false;
    const qlonglong value = caption.trimmed().toLongLong(&ok);
    if (!ok || value > Result_Poll_Counter_Max)
        throw Burner_Error("counter caption is not a number: " + caption.toStdString());
    return value;
}

// True when a tick that took this input has something to show on the panel: a result
// frame, or a document's start-up status request (which clears the counts).
inline bool Result_Poll_Touches_Panel(const std::optional<Burner_Status_Frame>& frame, int statusQuery)
{
    return frame.has_value() || statusQuery == 1;
}

// One tick: every socket of an accepted frame adds one to the success or the failure
// count (eight in all); during a start-up status request both counts end at "0".
// Throws Burner_Error when a count has to be added to and its caption is no number; the
// panel is then left as it was.
inline Result_Poll_Outcome Result_Poll(const std::optional<Burner_Status_Frame>& frame, int statusQuery,
                                       const QString& successCaption, const QString& failureCaption)
{
    Result_Poll_Outcome out;
    out.successCount = successCaption;
    out.failureCount = failureCaption;
    if (frame) {
        out.frameAccepted = true;
        out.countersChanged = true;
        qlonglong success = Result_Poll_Counter(successCaption);
        qlonglong failure = Result_Poll_Counter(failureCaption);
        for (int k = 1; k <= 8; ++k) {
            Result_Poll_Socket& s = out.sockets[static_cast<size_t>(k - 1)];
            s.failed = frame->socketFailed(k);
            s.serial = frame->socketSerialShown(k);
            if (s.failed) ++failure;
            else ++success;
        }
        out.currentSerial = frame->currentSerial;
        out.successCount = QString::number(success);
        out.failureCount = QString::number(failure);
    }
    if (statusQuery == 1) {
        out.countersChanged = true;
        out.successCount = QStringLiteral("0");
        out.failureCount = QStringLiteral("0");
    }
    return out;
}
