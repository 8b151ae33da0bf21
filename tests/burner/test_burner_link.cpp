// The link's state without a window: which document a reply belongs to, and what the
// input of successive polls is.
#include <gtest/gtest.h>

#include <QObject>
#include <memory>

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

TEST(BurnerLink, EachPollsInputIsAResultALateStatusOrAPart)
{
    const QByteArray f = QByteArray("0000") + "55AA" + QByteArray(84, '0');
    struct Case { const char* name; bool owed; QList<QByteArray> polls; int results; };
    const QList<Case> cases = {
        { "whole, with characters after it", false, { f + "\r\n" }, 1 },
        { "noise, then a whole frame", false, { "noise", f }, 1 },
        { "a part, then noise", false, { f.left(30), "noise" }, 0 },
        { "late status, then a result", true, { f, f }, 1 },
        { "a late status never counts", true, { f.left(10), f.mid(10) }, 0 },
    };
    for (const Case& c : cases) {
        Burner_Link link;
        if (c.owed) link.statusUnanswered();
        int results = 0;
        for (const QByteArray& input : c.polls) results += link.pollInput(input) ? 1 : 0;
        EXPECT_EQ(results, c.results) << c.name;
    }
}
