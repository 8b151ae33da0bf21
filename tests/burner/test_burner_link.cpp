// The link's state without a window: which document a reply belongs to, and what the
// framer makes of each read of the burner's input.
#include <gtest/gtest.h>

#include <QObject>
#include <memory>
#include <vector>

#include "burner/burner_link.h"

TEST(BurnerLink, RepliesBelongToTheDocumentThatAsked)
{
    Burner_Link link;
    auto sent = std::make_unique<QObject>();
    QObject active, loading;
    link.downloadSent(sent.get());
    EXPECT_EQ(link.readBackDocument(&active), sent.get());
    EXPECT_EQ(link.readBackDocument(&active), &active);   // the download is used once
    link.downloadSent(sent.get());
    sent.reset();
    EXPECT_EQ(link.readBackDocument(&active), nullptr);   // closed: the read-back fails
    link.downloadSent(&loading);
    link.commandStarts();
    EXPECT_EQ(link.readBackDocument(&active), &active);   // another command came between
    {
        const Burner_Link::Status_Owner owner(link, &loading);
        link.statusRequested(&active);
        EXPECT_EQ(link.statusDocument(), &loading);
    }
    link.statusRequested(&active);
    EXPECT_EQ(link.statusDocument(), &active);
}

namespace {

// A long frame: results, version and serials as given.
QByteArray frame(const char* results, const char* version = "1A", char serial = '1')
{
    return QByteArray(results) + "FF55AA0000" + "00000042" + QByteArray(64, serial) + "01FF" + version + "FF";
}

const QByteArray image = QByteArray("0102030405060708").repeated(32);
const QByteArray patternImage = QByteArray("55AA").repeated(128);   // reads as a frame

// One read: 'p' the poll, 's' the status reader, 'i' an image reply, 't' a burner read's
// status, 'u' a status request left unanswered. The input arrived at `at`, is read at
// `readAt` (at `at` when 0).
struct Read {
    char kind;
    QByteArray input;
    qint64 at;
    qint64 readAt = 0;
};

// What each read gave: "R05" per result (its first two characters), "S1A" for a status
// reply (its version), "S-" for none, "I" and the first four characters of an image reply.
QString readAll(Burner_Framer& framer, const QList<Read>& reads)
{
    QStringList out;
    for (const Read& r : reads) {
        const QList<Com_Input> input = r.input.isEmpty() ? QList<Com_Input>() : QList<Com_Input>{ { r.input, r.at } };
        const qint64 now = r.readAt ? r.readAt : r.at;
        if (r.kind == 'u') framer.statusUnanswered(now);
        if (r.kind == 'p')
            for (const Burner_Status_Frame& f : framer.pollInput(input, now))
                out << QStringLiteral("R%1").arg(f.socketResults, 2, 16, QLatin1Char('0'));
        if (r.kind == 's') {
            const auto f = framer.statusReply(input, now);
            out << (f ? QStringLiteral("S") + f->version : QStringLiteral("S-"));
        }
        if (r.kind == 'i') out << QStringLiteral("I") + QString::fromLatin1(framer.imageReply(input).left(4));
        if (r.kind == 't') out << QStringLiteral("T") + QString::fromLatin1(framer.statusText(input).left(4));
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

TEST(BurnerFramer, EveryCharacterIsReadAsWhatItIs)
{
    const QByteArray f = frame("05");
    struct Case { const char* name; QList<Read> reads; const char* seen; };
    const std::vector<Case> cases = {
        // Stray input never holds a frame back (the poll's own test has more), and a part
        // cut by time leaves nothing.
        { "a part cut by time", { { 'p', f.left(8), 0 }, { 'p', f.mid(8), 2500 }, { 'p', "", 3000 } }, "" },
        { "OK CR LF", { { 'p', "OK\r\n", 0 }, { 'p', f, 500 } }, "R05" },
        { "NUL", { { 'p', QByteArray(1, '\0'), 0 }, { 'p', f, 500 } }, "R05" },
        { "noise and a frame in one read", { { 'p', "noise" + f + "\r\n", 0 } }, "R05" },
        // A part cut by a new frame; a field reading "55AA" cuts nothing.
        { "50 characters, a whole frame a second later",
          { { 'p', frame("FF").left(50), 0 }, { 'p', f, 1000 } }, "R05" },
        { "the same in one read", { { 'p', frame("FF").left(50) + f, 0 } }, "R05" },
        { "the new frame in two parts",
          { { 'p', frame("FF").left(50), 0 }, { 'p', f.left(60), 1000 }, { 'p', f.mid(60), 1100 } }, "R05" },
        { "serial numbers holding 55AA", { { 'p', frame("05", "1A", 'A').replace(30, 4, "55AA"), 0 }, { 'p', "", 2500 } }, "R05" },
        // A late status reply recognised and passed over.
        { "late reply cut, its rest after the give-up",
          { { 's', f.left(60), 0 }, { 'u', "", 0 }, { 'p', f.mid(60), 100 } }, "S-" },
        { "two late replies owed", { { 'u', "", 0 }, { 'u', "", 500 }, { 'p', f + f, 1000 } }, "" },
        // The status reader: late replies ahead of its own are passed over, results after it kept.
        { "status reply behind a late one", { { 'u', "", 0 }, { 's', frame("00", "77") + frame("00", "88"), 1000 } }, "S88" },
        { "status reply behind stray input", { { 's', "\r\n" + frame("00", "77"), 0 } }, "S77" },
        { "an answered request ends the wait", { { 'u', "", 0 }, { 's', frame("00", "77"), 500 }, { 'p', f, 1000 } }, "S77 R05" },
        { "a result after the status reply", { { 's', frame("00", "77") + f, 0 }, { 'p', "", 500 } }, "S77 R05" },
        // What a command forgets, and what it takes out of its reply.
        { "a part, then an image", { { 'p', frame("FF").left(50), 0 }, { 'i', image, 100 }, { 'p', f.mid(50), 200 } }, "I0102" },
        { "a part completed ahead of the image",
          { { 'p', f.left(50), 0 }, { 'i', f.mid(50) + image, 100 }, { 'p', "", 500 } }, "I0102 R05" },
        { "a late reply ahead of the image", { { 'u', "", 0 }, { 'i', f + image, 1000 }, { 'p', "", 1500 } }, "I0102" },
        { "a late short reply ahead of the image", { { 'u', "", 0 }, { 'i', "0000010000" + image, 1000 } }, "I0102" },
        { "the owed reply ends with the image", { { 'u', "", 0 }, { 'i', image, 500 }, { 'p', f, 1000 } }, "I0102 R05" },
        { "a result ahead of the image", { { 'i', f + image, 0 }, { 'p', "", 500 } }, "I0102 R05" },
        { "an image that reads as a frame", { { 'u', "", 0 }, { 'i', patternImage, 500 }, { 'p', "", 1000 } }, "I55AA" },
        { "a result after the image", { { 'i', image + f, 0 }, { 'p', "", 500 } }, "I0102 R05" },
        { "a late reply ahead of a burner read's status",
          { { 'u', "", 0 }, { 't', f + "0000010000", 500 } }, "T0000" },
    };
    for (const Case& c : cases) {
        Burner_Framer framer;
        EXPECT_EQ(readAll(framer, c.reads), QString::fromLatin1(c.seen)) << c.name;
    }
}
