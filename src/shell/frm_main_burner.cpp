// The main window's burner operations and the three timers of the burner link.
//
// Every command runs to its end inside the handler that called it: it opens the port if it
// is closed, sends its letter and waits with the event loop running; the commands that
// read then take everything received and hand it to the link's framer, which gives them
// their reply. All but the download pause the result poll (Timer1) while they run, so
// that no tick takes their reply out of the input buffer: the status request pauses it
// itself and leaves it paused for the status reader, the others run through Burner_Run.
// A step that cannot be carried out throws Burner_Error (or another std::exception),
// which the command catches at its end and turns into its own failure message.
#include "shell/frm_main.h"

#include <QAction>
#include <QGuiApplication>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>
#include <optional>

#include "burner/burner_frames.h"
#include "burner/burner_port.h"
#include "burner/burner_wait.h"
#include "burner/ui/burner_panel.h"
#include "burner/ui/result_poll.h"
#include "platform/clock.h"
#include "platform/com_port.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "shell/burner_messages.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "spd_document/ui/frm_document.h"

namespace {

// The burner's port as the three steps of every operation use it.
BurnerPort burnerPort()
{
    ComPort* com = platform().com;
    if (!com) throw Burner_Error("no serial port installed");
    return BurnerPort(*com);
}

Clock& burnerClock()
{
    Clock* clock = platform().clock;
    if (!clock) throw Burner_Error("no clock installed");
    return *clock;
}

// An error box: critical-stop icon, OK button, the title given.
void showError(const QString& text, const QString& title = Burner_Text::Error_Title)
{
    if (Dialogs* d = platform().dialogs) d->messageBox(text, Dialogs::OkOnly, Dialogs::Critical, title);
}

// An information box: OK button, no icon, no title of its own.
void showInfo(const QString& text)
{
    if (Dialogs* d = platform().dialogs) d->messageBox(text, Dialogs::OkOnly, Dialogs::NoIcon, QString());
}

// Byte i of an image reply; throws when the reply ends before it or when one of its two
// characters is not a hex digit.
uint8_t imageByte(const QByteArray& reply, int i)
{
    const std::optional<uint8_t> b = Image_Hex_Byte(reply, i);
    if (!b) throw Burner_Error("image reply has no byte " + std::to_string(i));
    return *b;
}

// Marks the sending and waiting of a command: while it lasts the main window refuses
// every other command, and the wait cursor tells the user why a click does nothing.
class Burner_Wait_Scope {
public:
    explicit Burner_Wait_Scope(frmMain& main) : main_(main)
    {
        if (main_.m_link.waitBegins()) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Burner_Wait_Scope()
    {
        if (main_.m_link.waitEnds()) QGuiApplication::restoreOverrideCursor();
    }
    Burner_Wait_Scope(const Burner_Wait_Scope&) = delete;
    Burner_Wait_Scope& operator=(const Burner_Wait_Scope&) = delete;

private:
    frmMain& main_;
};

// The time the port stamps its input with; 0 without a clock.
qint64 linkNowMs()
{
    const Clock* clock = platform().clock;
    return clock ? clock->monotonicMs() : 0;
}

// Sends one command letter and waits, with the port open throughout; a hang-up of the
// line ends the wait as a failure. Returns everything received.
QList<Com_Input> askAndWait(frmMain& main, char letter, int seconds)
{
    Burner_Wait_Scope wait(main);
    BurnerPort port = burnerPort();
    port.openIfClosed();
    port.sendCommand(letter);
    port.waitWithPortOpen(seconds);
    return port.takeInputRuns();
}

// The reply of a command that reads an image, as the framer finds it in the input.
QByteArray askForImage(frmMain& main, char letter, int seconds)
{
    return main.m_link.input().imageReply(askAndWait(main, letter, seconds));
}

// The frames of a document's burner panel go when its status request got no answer.
void hideBurnerPanel(frmDocument* doc)
{
    if (BurnerPanel* panel = doc ? doc->burnerPanel() : nullptr) panel->Hide_Frames();
}

// Count of bytes where the reply and the document differ. The whole reply is checked
// first; the document is read after the wait, so an edit made during it counts.
int mismatchCount(DocumentApi& doc, const QByteArray& reply)
{
    const std::array<uint8_t, 256> image = Require_Image_Hex_Text(reply);
    int count = 0;
    for (int i = 0; i < 256; ++i)
        if (doc.Get_Value(static_cast<int16_t>(i)) != image[static_cast<size_t>(i)]) ++count;
    return count;
}

} // namespace

// ---------------------------------------------------------------- start and helpers

void frmMain::Burner_Link_Start()
{
    m_burnerLinkStarted = true;
    Timer1->start();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_burnerLinkStarted) Burner_Link_Start();
}

void frmMain::Burner_Run(const std::function<void()>& run, const std::function<void()>& fail)
{
    if (!Burner_Command_Start()) return;
    Timer1->stop();
    try {
        run();
    } catch (const std::exception&) {
        fail();
        Timer1->start();
    }
}

bool frmMain::Burner_Command_Start()
{
    if (Burner_Busy()) return false;
    // Applying the reply may switch the automatic serial numbers, which asks again.
    while (Timer2->isActive()) Timer2_Timer();
    // What comes from now on answers the new command.
    m_link.commandStarts();
    return true;
}

// ---------------------------------------------------------------- image commands

namespace {

DocumentApi& requireDocument(frmMain& main)
{
    DocumentApi* doc = main.ActiveDocument();
    if (!doc) throw Burner_Error("no active document");
    return *doc;
}

// A command works on the document that was active when it started: one activated during
// its waits neither gives nor takes its image, and one closed meanwhile fails it.
frmDocument& requireDocument(const QPointer<frmDocument>& doc)
{
    if (!doc) throw Burner_Error("no document for the command");
    return *doc;
}

// Reads the image in a reply into the document byte by byte (store, then decode). A reply
// that does not hold the whole image leaves the document exactly as it was. The read
// image is a change of the document: closing it asks before the image is lost.
void storeImage(const QPointer<frmDocument>& target, const QByteArray& reply)
{
    frmDocument& doc = requireDocument(target);
    const std::array<uint8_t, 256> image = Require_Image_Hex_Text(reply);
    for (int i = 0; i < 256; ++i) {
        doc.Value_Chang(static_cast<int16_t>(i), image[static_cast<size_t>(i)]);
        doc.table_chang(i);
    }
    doc.Image_Loaded();
    doc.Set_form_chang(true);
}

} // namespace

void frmMain::ReadModule()
{
    Burner_Run(
        [this] {
            const QPointer<frmDocument> target = ActiveForm();
            const QByteArray reply = askForImage(*this, Burner_Letter::ReadModule, 2);
            storeImage(target, reply);
            Timer1->start();
            showInfo(Burner_Text::ReadModule_Ok);
        },
        [] { showError(Burner_Text::ReadModule_Fail); });
}

void frmMain::ReadIC()
{
    Burner_Run(
        [this] {
            const QPointer<frmDocument> doc = ActiveForm();
            const QByteArray reply = askForImage(*this, Burner_Letter::ReadIC, 2);
            storeImage(doc, reply);

            const QByteArray status = m_link.input().statusText(askAndWait(*this, Burner_Letter::Status, 2));
            // The reply is read by its form, long or short layout. One in neither form is
            // no status: the panel keeps what it shows (read in the wrong layout it would
            // show settings the burner does not have, and ticking the automatic serial
            // numbers would switch them on in the burner). Input after it is no burn result.
            const std::optional<Burner_Panel_Settings> s = Parse_Status_Reply(status);
            if (!s) m_link.input().statusUnanswered(linkNowMs());
            if (s && doc && doc->burnerPanel()) {
                // A switch of the automatic serial numbers asks for this document's status.
                const Burner_Link::Status_Owner owner(m_link, doc);
                doc->burnerPanel()->Show_Settings(*s);
            }
            Timer1->start();
            showInfo(Burner_Text::ReadIC_Ok);
        },
        [] { showError(Burner_Text::ReadIC_Fail); });
}

namespace {

// Reads the burner's image after `seconds` and compares it with the target document: the
// success text when every byte agrees, the mismatch text otherwise, the error text when
// the exchange fails (the target closed meanwhile among them). The poll starts again
// after the message.
void compareWithBurner(frmMain& main, const QPointer<frmDocument>& target, int seconds, const QString& ok,
                       const QString& mismatch, const QString& error)
{
    main.Burner_Run(
        [&] {
            const QByteArray reply = askForImage(main, Burner_Letter::ReadIC, seconds);
            if (mismatchCount(requireDocument(target), reply) == 0)
                showInfo(ok);
            else
                showError(mismatch);
            main.Timer1->start();
        },
        [&] { showError(error); });
}

} // namespace

void frmMain::VerifyIc()
{
    compareWithBurner(*this, ActiveForm(), 4, Burner_Text::Verify_Ok, Burner_Text::Verify_Fail, Burner_Text::Verify_Fail);
}

void frmMain::VcopyIc()
{
    // After a download the burner is compared with the document whose image was sent,
    // whichever is active now.
    const QPointer<frmDocument> target = qobject_cast<frmDocument*>(m_link.readBackDocument(ActiveForm()));
    compareWithBurner(*this, target, 2, Burner_Text::Vcopy_Ok, Burner_Text::Vcopy_Mismatch, Burner_Text::Vcopy_Error);
}

void frmMain::BlankIC()
{
    Burner_Run(
        [this] {
            const QByteArray reply = askForImage(*this, Burner_Letter::BlankIC, 1);
            // The check stops at the first byte that is not 0xFF; a reply cut short or
            // garbled before that point is a failure.
            bool blank = true;
            for (int i = 0; i < 256 && blank; ++i)
                if (imageByte(reply, i) != 0xFF) blank = false;
            if (!blank) showInfo(Burner_Text::Blank_Not_Blank);
            Timer1->start();
            showInfo(Burner_Text::Blank_Ok);
        },
        [] { showInfo(Burner_Text::Blank_Fail); });
}

bool frmMain::ProgramIC()
{
    if (!Burner_Command_Start()) return false;
    // The result poll keeps running: nothing answers a program frame.
    Prog_Frame_Ready = false;
    Timer3->start();
    try {
        const QPointer<frmDocument> source = ActiveForm();
        Burner_Wait_Scope wait(*this);
        BurnerPort port = burnerPort();
        port.openIfClosed();
        Clock& clock = burnerClock();
        for (int k = 0; k < Program_Frame_Count; ++k) {
            // Each frame reads its 16 bytes when it is built.
            DocumentApi& doc = requireDocument(source);
            std::array<uint8_t, 16> block{};
            for (int j = 0; j < 16; ++j) block[static_cast<size_t>(j)] = doc.Get_Value(static_cast<int16_t>(16 * k + j));
            port.send(Program_Frame(k, block));
            Prog_Frame_Ready = false;
            Timer3->start();
            // A hang-up drops the port; the next frame then fails at once.
            Burner_Wait_Until(clock, [&port] { return Prog_Frame_Ready || !port.isOpen(); }, Frame_Pacing_Limit_Ms);
        }
        port.close();
        Timer1->start();
        Timer3->stop();
        m_link.downloadSent(source);
        return true;
    } catch (const std::exception&) {
        showError(Burner_Text::Program_Fail);
        return false;
    }
}

// ---------------------------------------------------------------- control commands

namespace {

struct Fire_And_Forget {
    char letter;
    int firstWait;      // seconds, with the port closed
    bool extraWait;     // a further 3 s with the port open again
    const QString* failText;
    const QString* failTitle;
};

// Send, close, wait, open again (and for some a further wait); nothing is read.
void fireAndForget(frmMain& main, const Fire_And_Forget& c, const QString* successText = nullptr)
{
    main.Burner_Run(
        [&] {
            {
                Burner_Wait_Scope wait(main);
                BurnerPort port = burnerPort();
                port.openIfClosed();
                port.sendCommand(c.letter);
                port.close();
                Burner_Wait(c.firstWait);
                port.openIfClosed();
                if (c.extraWait) port.waitWithPortOpen(3);
            }
            if (successText) showInfo(*successText);
            main.Timer1->start();
        },
        [&] { showError(*c.failText, *c.failTitle); });
}

} // namespace

void frmMain::EraseIC()
{
    fireAndForget(*this, { Burner_Letter::EraseIC, 2, false, &Burner_Text::Erase_Fail, &Burner_Text::Error_Title },
                  &Burner_Text::Erase_Ok);
}

void frmMain::Read_Command()
{
    fireAndForget(*this, { Burner_Letter::Read_Command, 1, false, &Burner_Text::Read_Fail, &Burner_Text::Error_Title });
}

void frmMain::Copy_Command()
{
    fireAndForget(*this, { Burner_Letter::Copy, 1, false, &Burner_Text::Copy_Fail, &Burner_Text::Error_Title });
}

void frmMain::Verify_Command()
{
    fireAndForget(*this,
                  { Burner_Letter::Verify, 1, false, &Burner_Text::Verify_Command_Fail, &Burner_Text::Verify_Error_Title });
}

void frmMain::EN_KEY_Command()
{
    fireAndForget(*this, { Burner_Letter::EN_KEY, 1, true, &Burner_Text::EN_KEY_Fail, &Burner_Text::Error_Title });
}

void frmMain::DIS_KEY_Command()
{
    fireAndForget(*this, { Burner_Letter::DIS_KEY, 1, true, &Burner_Text::DIS_KEY_Fail, &Burner_Text::Error_Title });
}

void frmMain::SNUM_P_Command()
{
    fireAndForget(*this, { Burner_Letter::SNUM_P, 1, true, &Burner_Text::SNUM_P_Fail, &Burner_Text::Error_Title });
}

void frmMain::SNUM_N_Command()
{
    fireAndForget(*this, { Burner_Letter::SNUM_N, 1, true, &Burner_Text::SNUM_N_Fail, &Burner_Text::Error_Title });
}

void frmMain::Mcopy_Command()
{
    fireAndForget(*this, { Burner_Letter::Mcopy, 1, true, &Burner_Text::Mcopy_Fail, &Burner_Text::Error_Title });
}

void frmMain::Auto_Command(bool on)
{
    // A status reply still pending from an earlier request has been read by now; none may
    // be read in the middle of this exchange.
    Burner_Run(
        [this, on] {
            Timer2->stop();
            {
                Burner_Wait_Scope wait(*this);
                BurnerPort port = burnerPort();
                port.openIfClosed();
                // The switch belongs to the active document's panel: without one there is
                // nothing to switch.
                requireDocument(*this);
                port.sendCommand(on ? Burner_Letter::AutoOn : Burner_Letter::AutoOff);
                port.close();
                Burner_Wait(1);
            }
            // Opens the port again and arms the status reader, which restarts the poll.
            STATUSIC();
        },
        [] { showError(Burner_Text::Auto_Fail); });
}

void frmMain::STATUSIC()
{
    if (!Burner_Command_Start()) return;
    m_link.statusRequested(ActiveForm());
    Timer1->stop();
    try {
        {
            Burner_Wait_Scope wait(*this);
            BurnerPort port = burnerPort();
            port.openIfClosed();
            port.sendCommand(Burner_Letter::Status);
            port.waitWithPortOpen(1);
        }
        // 400 ms later the status reader takes the reply and restarts the poll.
        Timer2->start();
    } catch (const std::exception&) {
        // No status can come: the document's panel goes, as for a silent burner. The poll
        // stays stopped until a later command or status reply starts it.
        hideBurnerPanel(qobject_cast<frmDocument*>(m_link.statusDocument()));
        showError(Burner_Text::Status_Fail);
    }
}

void frmMain::StopTimer2() { Timer2->stop(); }

// ---------------------------------------------------------------- timers

void frmMain::Timer1_Timer()
{
    // Each tick pauses the poll for its own run, so a slow tick never overlaps the next.
    Timer1->stop();
    try {
        BurnerPort port = burnerPort();
        port.openIfClosed();
        // The input is consumed whatever it holds; the framer keeps what may still become
        // a frame and gives the results that came whole (a late status reply is none).
        const QList<Burner_Status_Frame> frames = m_link.input().pollInput(port.takeInputRuns(), linkNowMs());
        if (!frames.isEmpty() || Result_Poll_Touches_Panel(std::nullopt, Status_Query)) {
            frmDocument* doc = ActiveForm();
            BurnerPanel* panel = doc ? doc->burnerPanel() : nullptr;
            if (!panel) throw Burner_Error("no document to show the results in");
            if (frames.isEmpty()) panel->Show_Result(std::nullopt, Status_Query);
            for (const Burner_Status_Frame& frame : frames) panel->Show_Result(frame, Status_Query);
        }
        Timer1->start();
    } catch (const std::exception&) {
        // The tick ends without a message; the poll stays stopped until a burner command
        // or a status reply starts it again.
    }
}

void frmMain::Timer2_Timer()
{
    Timer2->stop();
    // A port that cannot be opened or read gives no reply, and is reported as a link
    // failure like a silent burner.
    QList<Com_Input> input;
    try {
        BurnerPort port = burnerPort();
        port.openIfClosed();
        input = port.takeInputRuns();
    } catch (const std::exception&) {
        input.clear();
    }
    try {
        // A reply cut short holds none of the fields read from the end of the frame: it
        // fails like a missing one, and whatever of it comes later is no burn result.
        const std::optional<Burner_Status_Frame> frame = m_link.input().statusReply(input, linkNowMs());
        // The reply is the asking document's, whichever document is active now.
        const QPointer<frmDocument> doc = qobject_cast<frmDocument*>(m_link.statusDocument());
        if (!frame) {
            m_link.input().statusUnanswered(linkNowMs());
            hideBurnerPanel(doc);
            showError(Burner_Text::Link_Fail);
        } else {
            // With no document open there is no panel; the menu rights still follow the
            // login. A switch of the automatic serial numbers asks for this document.
            const Burner_Link::Status_Owner owner(m_link, doc);
            if (BurnerPanel* panel = doc ? doc->burnerPanel() : nullptr)
                if (panel->Show_Status(*frame, Admin_LoggedIn) && doc) doc->Show_Status_Rights(Admin_LoggedIn);
            mnuFileSave->setEnabled(Admin_LoggedIn);
            mnuFileSaveAs->setEnabled(Admin_LoggedIn);
            mnuFilePrint->setEnabled(Admin_LoggedIn);
        }
    } catch (const std::exception&) {
    }
    mnuViewpassword->setEnabled(Admin_LoggedIn);
    Timer1->start();
}

void frmMain::Timer3_Timer()
{
    Prog_Frame_Ready = true;
    Timer3->stop();
}
