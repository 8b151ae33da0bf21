// The three timers of the burner link: the result poll (Timer1), the status reader
// (Timer2) and the frame pacing (Timer3), with the status request of a new document.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "burner/burner_frames.h"
#include "burner/ui/burner_panel.h"
#include "burner/ui/result_poll.h"
#include "shell/frm_main.h"
#include "spd_document/ui/frm_document.h"
#include "support/platform_fixture.h"

namespace {

// A long status or result frame, field by field.
struct Frame {
    QByteArray results = "00";
    QByteArray autoSerial = "00";
    QByteArray signature = "55AA";
    QByteArray current = "00000042";
    std::array<QByteArray, 8> sockets = { "00000001", "00000002", "00000003", "00000004",
                                          "00000005", "00000006", "00000007", "00000008" };
    QByteArray gang = "01";
    QByteArray keypad = "FF";
    QByteArray version = "1A";
    QByteArray direction = "FF";

    QByteArray text() const
    {
        QByteArray t = results + autoSerial + signature + "0000" + current;
        for (const QByteArray& s : sockets) t += s;
        return t + gang + keypad + version + direction;
    }
};

class BurnerPolling : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
    }
    void TearDown() override
    {
        com.onOutput = nullptr;
        main.reset();
        PlatformFixture::TearDown();
    }

    frmDocument* newDocument()
    {
        main->Load_New_Document();
        main->Timer2->stop();
        dialogs.clear();
        com.resetRecord();
        return main->ActiveForm();
    }

    // One tick of the result poll with this input waiting.
    void poll(const QByteArray& input)
    {
        com.pushInput(input);
        main->Timer1_Timer();
    }

    // One tick of the status reader with this reply waiting.
    void status(const QByteArray& reply)
    {
        com.pushInput(reply);
        main->Timer2->start();
        main->Timer2_Timer();
    }

    std::unique_ptr<frmMain> main;
};

QStringList socketSerials(const BurnerPanel& p)
{
    QStringList out;
    for (QLabel* l : p.SocketSerial) out << l->text();
    return out;
}

} // namespace

// ---------------------------------------------------------------- result poll

TEST_F(BurnerPolling, ResultFrameMarksEachSocketAndCounts)
{
    struct Case {
        const char* name;
        QByteArray results;
        const char* marks;      // P or F per socket
        int success, failure;
    };
    const std::vector<Case> cases = {
        { "0x05", "05", "FPFPPPPP", 6, 2 },
        { "all pass", "00", "PPPPPPPP", 8, 0 },
        { "all fail", "FF", "FFFFFFFF", 0, 8 },
        { "0x80 lower case", "80", "PPPPPPPF", 7, 1 },
        { "0xa5 lower case", "a5", "FPFPPFPF", 4, 4 },
        { "non-hex reads as 0", "Z1", "FPPPPPPP", 7, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        frmDocument* doc = newDocument();
        BurnerPanel& p = *doc->burnerPanel();
        Frame f;
        f.results = c.results;
        poll(f.text());
        for (int k = 0; k < 8; ++k) {
            const bool pass = c.marks[k] == 'P';
            SCOPED_TRACE(k + 1);
            EXPECT_EQ(p.SocketPass[static_cast<size_t>(k)]->isVisibleTo(doc), pass);
            EXPECT_EQ(p.SocketFail[static_cast<size_t>(k)]->isVisibleTo(doc), !pass);
            EXPECT_EQ(p.SocketImage[static_cast<size_t>(k)]->isVisibleTo(doc), pass);
            EXPECT_EQ(p.SocketSerial[static_cast<size_t>(k)]->text(),
                      pass ? QString::fromLatin1(f.sockets[static_cast<size_t>(k)]) : QStringLiteral("00000000"));
        }
        EXPECT_EQ(p.Label94->text(), QString::number(c.success));
        EXPECT_EQ(p.Label95->text(), QString::number(c.failure));
        EXPECT_EQ(p.Label96->text(), QStringLiteral("00000042"));
        EXPECT_TRUE(main->Timer1->isActive());
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
}

TEST_F(BurnerPolling, SerialUnderSocketOneFollowsBitZero)
{
    frmDocument* doc = newDocument();
    Frame f;
    f.sockets[0] = "12345678";
    poll(f.text());
    EXPECT_EQ(doc->burnerPanel()->SocketSerial[0]->text(), QStringLiteral("12345678"));
    f.results = "01";
    poll(f.text());
    EXPECT_EQ(doc->burnerPanel()->SocketSerial[0]->text(), QStringLiteral("00000000"));
}

TEST_F(BurnerPolling, CountsAddUpOverFramesAndEveryFrameAddsEight)
{
    frmDocument* doc = newDocument();
    BurnerPanel& p = *doc->burnerPanel();
    p.Label94->setText(QStringLiteral("98"));
    p.Label95->setText(QStringLiteral("9"));
    Frame f;
    f.results = "05";
    poll(f.text());
    EXPECT_EQ(p.Label94->text(), QStringLiteral("104"));
    EXPECT_EQ(p.Label95->text(), QStringLiteral("11"));
    f.results = "00";
    poll(f.text());
    EXPECT_EQ(p.Label94->text(), QStringLiteral("112"));
    EXPECT_EQ(p.Label95->text(), QStringLiteral("11"));
}

TEST_F(BurnerPolling, InputWithoutTheExactSignatureIsDroppedSilently)
{
    struct Case { const char* name; QByteArray input; };
    Frame lower;
    lower.signature = "55aa";
    const std::vector<Case> cases = {
        { "lower-case signature", lower.text() },
        { "noise", "hello burner" },
        { "a frame's second part alone", Frame().text().mid(6) },
    };
    frmDocument* doc = newDocument();
    BurnerPanel& p = *doc->burnerPanel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        poll(c.input);
        EXPECT_TRUE(com.pendingInput().isEmpty());   // consumed all the same
        EXPECT_EQ(p.Label94->text(), QStringLiteral("0"));
        EXPECT_EQ(p.Label95->text(), QStringLiteral("0"));
        EXPECT_EQ(socketSerials(p), QStringList(8, QStringLiteral("00000000")));
        EXPECT_TRUE(main->Timer1->isActive());
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(BurnerPolling, ResultFrameIsShownOnceWholeAndNeverFromAPart)
{
    // Input arriving at the given ms, read by a poll at each arrival (or at the reads
    // given); an owed status reply is one the status reader gave up on at 0 ms.
    const QByteArray f = Frame().text();
    Frame five;
    five.results = "05";
    const QByteArray g = five.text();
    struct Arrival { int ms; QByteArray input; };
    struct Case { const char* name; bool owed; QList<Arrival> inputs; QList<int> reads; const char* counts; };
    const std::vector<Case> cases = {
        { "two parts", false, { { 0, f.left(40) }, { 500, f.mid(40) } }, {}, "8/0" },
        { "first six characters, then the rest", false, { { 0, f.left(6) }, { 500, f.mid(6) } }, {}, "8/0" },
        { "the rest 2 s later", false, { { 0, f.left(8) }, { 2000, f.mid(8) } }, {}, "8/0" },
        { "cut for good", false, { { 0, f.left(8) }, { 2500, f.mid(8) } }, {}, "0/0" },
        { "a blank before it", false, { { 0, " " + f } }, {}, "8/0" },
        { "a CR, then the frame", false, { { 0, "\r" }, { 500, f } }, {}, "8/0" },
        { "a CR LF, then the frame", false, { { 0, "\r\n" }, { 500, f } }, {}, "8/0" },
        { "a 0x7F, then the frame", false, { { 0, "\x7F" }, { 500, f } }, {}, "8/0" },
        { "50 characters cut, a whole frame a second later", false, { { 0, f.left(50) }, { 1000, g } }, {}, "6/2" },
        { "late status reply in two parts", true, { { 500, f.left(40) }, { 1000, f.mid(40) } }, {}, "0/0" },
        { "late status reply and a result in one read", true, { { 1000, f + g } }, {}, "6/2" },
        { "late status reply arriving at 2 s, read at 8 s", true, { { 2000, f } }, { 8000 }, "0/0" },
        { "a result arriving at 4.4 s, read at 8 s", true, { { 4400, f } }, { 8000 }, "8/0" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        BurnerPanel& p = *newDocument()->burnerPanel();
        const qint64 start = clock.monotonicMs();
        if (c.owed) status(QByteArray());
        QList<int> reads = c.reads;
        for (const Arrival& a : c.inputs)
            if (c.reads.isEmpty()) reads << a.ms;
        int next = 0;
        for (int readMs : reads) {
            for (; next < c.inputs.size() && c.inputs[next].ms <= readMs; ++next) {
                clock.advance(start + c.inputs[next].ms - clock.monotonicMs());
                com.pushInput(c.inputs[next].input);
            }
            clock.advance(start + readMs - clock.monotonicMs());
            main->Timer1_Timer();
        }
        EXPECT_EQ(p.Label94->text() + "/" + p.Label95->text(), QString::fromLatin1(c.counts));
        if (QByteArray(c.counts) == "8/0") {
            EXPECT_EQ(socketSerials(p).join(QLatin1Char(' ')),
                      "00000001 00000002 00000003 00000004 00000005 00000006 00000007 00000008");
        }
    }
}

TEST_F(BurnerPolling, StartUpStatusRequestClearsTheCounts)
{
    frmDocument* doc = newDocument();
    BurnerPanel& p = *doc->burnerPanel();
    for (const QByteArray& input : { QByteArray(), Frame().text() }) {
        p.Label94->setText(QStringLiteral("17"));
        p.Label95->setText(QStringLiteral("3"));
        Status_Query = 1;
        poll(input);
        Status_Query = 0;
        EXPECT_EQ(p.Label94->text(), QStringLiteral("0"));
        EXPECT_EQ(p.Label95->text(), QStringLiteral("0"));
        EXPECT_TRUE(main->Timer1->isActive());
    }
    EXPECT_EQ(p.Label96->text(), QStringLiteral("00000042"));   // the frame was still shown
}

TEST_F(BurnerPolling, FailedTickStopsThePollWithoutAMessage)
{
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QByteArray input;
    };
    const std::vector<Case> cases = {
        { "port cannot be opened", [this] { com.close(); com.setOpenFails(1); }, QByteArray() },
        { "no document for a result frame", [this] { main->mdiArea->closeAllSubWindows(); }, Frame().text() },
        { "no document during a start-up request", [this] {
              main->mdiArea->closeAllSubWindows();
              Status_Query = 1;
          }, QByteArray() },
        { "count that is no number", [this] {
              main->ActiveForm()->burnerPanel()->Label94->setText(QStringLiteral("many"));
          }, Frame().text() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        newDocument();
        c.arrange();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main->Timer1->start();
        poll(c.input);
        Status_Query = 0;
        com.setOpenFails(1, false);
        EXPECT_FALSE(main->Timer1->isActive());
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
}

TEST_F(BurnerPolling, PollWithoutDocumentAndWithoutFrameKeepsRunning)
{
    com.close();
    poll(QByteArray("noise"));
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_TRUE(com.isOpen());   // opened by the tick
}

TEST_F(BurnerPolling, ResultPollModel)
{
    // The model alone: a frame adds eight in all, a start-up request ends at zero, a
    // count that is no number throws before anything is decided.
    Frame f;
    f.results = "05";
    const auto frame = Parse_Burner_Status_Frame(f.text());
    const Result_Poll_Outcome o = Result_Poll(frame, 0, QStringLiteral(" 10 "), QStringLiteral("0"));
    EXPECT_TRUE(o.frameAccepted);
    EXPECT_EQ(o.successCount, QStringLiteral("16"));
    EXPECT_EQ(o.failureCount, QStringLiteral("2"));
    EXPECT_THROW(Result_Poll(frame, 0, QString(), QStringLiteral("0")), Burner_Error);
    EXPECT_THROW(Result_Poll(frame, 0, QStringLiteral("9223372036854775807"), QStringLiteral("0")), Burner_Error);
    const Result_Poll_Outcome cleared = Result_Poll(std::nullopt, 1, QStringLiteral("x"), QStringLiteral("y"));
    EXPECT_FALSE(cleared.frameAccepted);
    EXPECT_EQ(cleared.successCount, QStringLiteral("0"));
    EXPECT_FALSE(Result_Poll_Touches_Panel(std::nullopt, 0));
}

// ---------------------------------------------------------------- status reader

TEST_F(BurnerPolling, StatusReplyFillsThePanel)
{
    struct Case {
        const char* name;
        std::function<void(Frame&)> edit;
        int check1, check4;
        QString gang, version, direction;
        int option;
        bool label96Visible;
    };
    const std::vector<Case> cases = {
        { "as the burner starts", [](Frame&) {}, 0, 0, QStringLiteral("連片複製+比對"), QStringLiteral("Ver:1A"), QStringLiteral("FF"), 0, false },
        { "lower case folded", [](Frame& f) { f.autoSerial = "ff"; f.keypad = "ff"; f.version = "2b"; f.direction = "ff"; f.gang = "08"; },
          1, 0, QStringLiteral("連片比對88"), QStringLiteral("Ver:2B"), QStringLiteral("FF"), 0, true },
        { "locked, high to low", [](Frame& f) { f.autoSerial = "FF"; f.keypad = "00"; f.direction = "00"; f.gang = "02"; },
          1, 1, QStringLiteral("連片複製"), QStringLiteral("Ver:1A"), QStringLiteral("00"), 1, true },
        { "gang 04", [](Frame& f) { f.gang = "04"; f.keypad = "7F"; f.direction = "fe"; },
          0, 1, QStringLiteral("連片比對"), QStringLiteral("Ver:1A"), QStringLiteral("FE"), 1, false },
        { "unknown gang keeps the caption", [](Frame& f) { f.gang = "10"; }, 0, 0, QStringLiteral("連片比對"), QStringLiteral("Ver:1A"), QStringLiteral("FF"), 0, false },
    };
    frmDocument* doc = newDocument();
    BurnerPanel& p = *doc->burnerPanel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Frame f;
        c.edit(f);
        com.resetRecord();
        dialogs.clear();
        status(f.text());
        EXPECT_EQ(BurnerPanel::Check_Value(p.Check1), c.check1);
        EXPECT_EQ(BurnerPanel::Check_Value(p.Check4), c.check4);
        EXPECT_EQ(p.Command8->text(), c.gang);
        EXPECT_EQ(p.Label149->text(), c.version);
        EXPECT_EQ(p.Label150->text(), c.direction);
        EXPECT_TRUE(p.Option1[static_cast<size_t>(c.option)]->isChecked());
        EXPECT_EQ(p.Label96->isVisibleTo(doc), c.label96Visible);
        if (c.label96Visible) {
            EXPECT_EQ(p.Label96->text(), QStringLiteral("00000042"));
        }
        for (QWidget* frame : { p.Frame4, p.Frame7, p.Frame8 }) EXPECT_TRUE(frame->isVisibleTo(doc));
        EXPECT_TRUE(main->Timer1->isActive());
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
}

TEST_F(BurnerPolling, StatusChangingTheAutoSwitchSendsItAndAsksAgain)
{
    frmDocument* doc = newDocument();
    Frame f;
    f.autoSerial = "FF";
    status(f.text());
    EXPECT_EQ(com.letters(), QByteArray("as"));
    EXPECT_TRUE(main->Timer2->isActive());   // the second reply is read next
    // The second reply finds the value unchanged: the exchange ends there.
    com.resetRecord();
    status(f.text());
    EXPECT_TRUE(com.letters().isEmpty());
    EXPECT_FALSE(main->Timer2->isActive());
    f.autoSerial = "00";
    status(f.text());
    EXPECT_EQ(com.letters(), QByteArray("zs"));
    EXPECT_FALSE(doc->burnerPanel()->Label96->isVisibleTo(doc));
}

TEST_F(BurnerPolling, MissingSignatureHidesTheFramesAndReportsTheLink)
{
    struct Case { const char* name; QByteArray reply; bool openFails; };
    Frame lower;
    lower.signature = "55aa";
    const std::vector<Case> cases = {
        { "silent", QByteArray(), false },
        { "lower-case signature", lower.text(), false },
        { "short layout", "0000010000", false },
        { "cut at 60 characters", Frame().text().left(60), false },
        { "port cannot be opened", Frame().text(), true },
    };
    frmDocument* doc = newDocument();
    BurnerPanel& p = *doc->burnerPanel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        status(Frame().text());   // frames shown again
        for (QWidget* frame : { p.Frame4, p.Frame7, p.Frame8 }) ASSERT_TRUE(frame->isVisibleTo(doc));
        dialogs.clear();
        main->Timer1->stop();
        if (c.openFails) {
            com.close();
            com.setOpenFails(1);
        }
        status(c.reply);
        com.setOpenFails(1, false);
        com.clearReplies();
        for (QWidget* frame : { p.Frame4, p.Frame7, p.Frame8 }) EXPECT_FALSE(frame->isVisibleTo(doc));
        EXPECT_EQ(p.Label149->text(), QStringLiteral("Ver:1A"));   // nothing applied
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("*****    RS-232 連結失敗    *****"));
        EXPECT_EQ(dialogs.messages()[0].icon, Dialogs::Critical);
        EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("錯誤訊息"));
        EXPECT_TRUE(main->Timer1->isActive());
        EXPECT_FALSE(main->Timer2->isActive());
    }
}

TEST_F(BurnerPolling, StatusReplyAppliesTheAdministratorsRights)
{
    frmDocument* doc = newDocument();
    BurnerPanel& p = *doc->burnerPanel();
    for (bool admin : { true, false, true }) {
        SCOPED_TRACE(admin);
        Admin_LoggedIn = admin;
        status(Frame().text());
        EXPECT_EQ(doc->Text1->isEnabled(), admin);
        EXPECT_EQ(doc->Text1->isVisibleTo(doc), admin);
        EXPECT_EQ(doc->Text2->isEnabled(), admin);
        EXPECT_EQ(doc->Text2->isVisibleTo(doc), admin);
        EXPECT_EQ(p.Check1->isEnabled(), admin);
        EXPECT_EQ(p.Check4->isEnabled(), admin);
        EXPECT_EQ(doc->Frame9->isEnabled(), admin);
        for (QRadioButton* o : doc->Optcrc) EXPECT_EQ(o->isEnabled(), admin);
        for (QAction* a : { main->mnuFileSave, main->mnuFileSaveAs, main->mnuFilePrint, main->mnuViewpassword })
            EXPECT_EQ(a->isEnabled(), admin) << a->text().toStdString();
    }
}

TEST_F(BurnerPolling, StatusReplyWithoutADocument)
{
    // No panel to fill: the link test with its message, and the menu rights, still apply.
    Admin_LoggedIn = true;
    main->mnuFileSave->setEnabled(false);
    main->mnuViewpassword->setEnabled(false);
    status(Frame().text());
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_TRUE(main->mnuFileSave->isEnabled());
    EXPECT_TRUE(main->mnuViewpassword->isEnabled());
    EXPECT_TRUE(main->Timer1->isActive());

    Admin_LoggedIn = false;
    status(QByteArray());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("*****    RS-232 連結失敗    *****"));
    EXPECT_FALSE(main->mnuViewpassword->isEnabled());
    EXPECT_TRUE(main->mnuFileSave->isEnabled());   // only a good reply sets the file items
}

TEST_F(BurnerPolling, StatusReadersSetKeypadAndDirectionWithoutSendingAnything)
{
    frmDocument* doc = newDocument();
    Frame f;
    f.keypad = "00";
    f.direction = "00";
    status(f.text());
    f.keypad = "FF";
    f.direction = "FF";
    status(f.text());
    EXPECT_TRUE(com.outputs.isEmpty());
    EXPECT_EQ(BurnerPanel::Check_Value(doc->burnerPanel()->Check4), 0);
}

// ---------------------------------------------------------------- pacing, start-up and callers

TEST_F(BurnerPolling, PacingTickSetsTheFlagAndStops)
{
    Prog_Frame_Ready = false;
    main->Timer3->start();
    main->Timer3_Timer();
    EXPECT_TRUE(Prog_Frame_Ready);
    EXPECT_FALSE(main->Timer3->isActive());
}

TEST_F(BurnerPolling, TimersHaveTheirIntervalsAndThePollStartsWithTheWindow)
{
    EXPECT_EQ(main->Timer1->interval(), 500);
    EXPECT_EQ(main->Timer2->interval(), 400);
    EXPECT_EQ(main->Timer3->interval(), 120);
    EXPECT_FALSE(main->Timer2->isActive());
    EXPECT_FALSE(main->Timer3->isActive());
    main->show();
    EXPECT_TRUE(main->Timer1->isActive());
    // Showing again after a command paused it does not restart it behind the command.
    main->Timer1->stop();
    main->hide();
    main->show();
    EXPECT_FALSE(main->Timer1->isActive());
}

TEST_F(BurnerPolling, NewDocumentAsksForTheStatusWithStatusQuerySet)
{
    main->Timer2->start();
    main->Timer1->start();
    int statusQueryAtSend = -1;
    bool timer2AtSend = true;
    com.onOutput = [&](const QByteArray&) {
        statusQueryAtSend = Status_Query;
        timer2AtSend = main->Timer2->isActive();
    };
    main->Load_New_Document();
    EXPECT_EQ(com.letters(), QByteArray("s"));
    EXPECT_EQ(statusQueryAtSend, 1);
    EXPECT_FALSE(timer2AtSend);
    EXPECT_EQ(Status_Query, 0);
    EXPECT_TRUE(main->Timer2->isActive());
    EXPECT_FALSE(main->Timer1->isActive());
}

TEST_F(BurnerPolling, ClosingAllDocumentsDuringANewDocumentsStatusWaitIsSafe)
{
    main->show();
    main->Load_New_Document();
    main->Timer2->stop();
    // "Close all" chosen while the next new document waits for the burner's status.
    bool closed = false;
    clock.onProcessEvents = [&] {
        if (closed) return;
        closed = true;
        main->mnuFileCloseAll_Click();
    };
    main->Load_New_Document();
    clock.onProcessEvents = nullptr;
    EXPECT_TRUE(closed);
    EXPECT_TRUE(main->Documents().isEmpty());
    main->Load_New_Document();   // the window goes on working
    EXPECT_EQ(main->Documents().size(), 1);
}

TEST_F(BurnerPolling, CommandsStartedDuringANewDocumentsStatusWaitAreRefused)
{
    main->show();
    com.setStandingReply('s', Frame().text());
    frmDocument* first = newDocument();
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        { "new", [&] { main->mnuFilenew_Click(); } },
        { "toolbar new", [&] { main->tbToolbar_ButtonClick(QStringLiteral("NEW")); } },
        { "open", [&] { main->mnuFileOpen_Click(); } },
        { "settings", [&] { main->mnuViewOptions_Click(); } },
        { "connection", [&] { main->mnuConnection_Click(); } },
        { "read module", [&] { first->burnerPanel()->Command9->click(); } },
        { "automatic serial numbers", [&] { BurnerPanel::Set_Check_Value(first->burnerPanel()->Check1, 1); } },
        // Windows and dialogs would hold the wait inside them until they closed.
        { "print", [&] { main->mnuFilePrint_Click(); } },
        { "save", [&] { main->mnuFileSave->trigger(); } },
        { "toolbar save", [&] { main->tbToolbar_ButtonClick(QStringLiteral("SAVE")); } },
        { "save as", [&] { main->mnuFileSaveAs_Click(); } },
        { "password", [&] { Admin_LoggedIn = true, main->mnuViewpassword_Click(), Admin_LoggedIn = false; } },
        { "about", [&] { main->mnuHelpAbout_Click(); } },
    };
    for (const auto& [name, during] : cases) {
        SCOPED_TRACE(name);
        const int before = main->Documents().size();
        bool done = false;
        clock.onProcessEvents = [&, &command = during] { if (!done) (done = true, command()); };
        main->Load_New_Document();
        clock.onProcessEvents = nullptr;
        EXPECT_EQ(com.letters(), QByteArray("s"));
        EXPECT_TRUE(dialogs.calls.isEmpty());
        EXPECT_EQ(BurnerPanel::Check_Value(first->burnerPanel()->Check1), 0);
        ASSERT_EQ(main->Documents().size(), before + 1);
        EXPECT_EQ(main->ActiveForm(), main->Documents().last());
        com.resetRecord();
    }
}

TEST_F(BurnerPolling, ConnectionMenuAndToolbarAskForTheStatus)
{
    main->mnuConnection->trigger();
    EXPECT_EQ(com.letters(), QByteArray("s"));
    main->Timer2->stop();
    main->toolbarButton(QStringLiteral("CONNECT"))->trigger();
    EXPECT_EQ(com.letters(), QByteArray("ss"));
    EXPECT_TRUE(main->Timer2->isActive());
}

TEST_F(BurnerPolling, StatusReplyAfterTheDocumentIsShownActsOnIt)
{
    // The reply is read 400 ms after the request, when the new document is the active one.
    com.setStandingReply('s', [] {
        Frame f;
        f.version = "77";
        return f.text();
    }());
    frmDocument* first = newDocument();
    main->Load_New_Document();
    frmDocument* second = main->ActiveForm();
    ASSERT_NE(first, second);
    main->Timer2_Timer();
    EXPECT_EQ(second->burnerPanel()->Label149->text(), QStringLiteral("Ver:77"));
    EXPECT_EQ(first->burnerPanel()->Label149->text(), QString());
}
