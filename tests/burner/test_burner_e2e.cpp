// End to end: the main window with the real serial port (QSerialPort) against the burner
// simulator on a pseudo-terminal, reached through MORROWBURN_COM1 as a user would set it.
// Waits run on a clock that goes ten times faster than real time, so the fixed waits of
// the commands take a tenth of their length; the timers (400 ms status reader, 500 ms
// result poll, 120 ms pacing) are real. The clock tells its time only once the simulator
// has caught up with what the PC sent, so a busy machine slows a test down instead of
// making a reply late. How long the timers take on this machine is the benchmark's to
// measure.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "burner/burner_frames.h"
#include "burner/ui/burner_panel.h"
#include "platform/platform.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_com_port.h"
#include "shell/frm_main.h"
#include "spd_document/globals.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_document/ui/frm_document.h"
#include "support/burner_simulator.h"
#include "support/fake_dialogs.h"
#include "support/fake_registry.h"
#include "support/fake_shell.h"
#include "support/simulator_paced_clock.h"

namespace {

// The time of day and the monotonic time run `rate` times as fast as real time.
class ScaledClock : public Clock {
public:
    explicit ScaledClock(double rate) : rate_(rate), start_(QDateTime::currentDateTime()) { real_.start(); }

    QDate today() const override { return now().date(); }
    QDateTime now() const override { return start_.addMSecs(monotonicMs()); }
    QString shortDateText() const override { return today().toString(Qt::ISODate); }
    int secondOfMinute() const override { return now().time().second(); }
    qint64 monotonicMs() const override { return static_cast<qint64>(static_cast<double>(real_.elapsed()) * rate_); }
    void processEvents(int maxMs) override
    {
        const int realMs = qMax(1, static_cast<int>(maxMs / rate_));
        QCoreApplication::processEvents(QEventLoop::AllEvents, realMs);
        QTimer limit;
        limit.setSingleShot(true);
        limit.start(realMs);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

private:
    double rate_;
    QDateTime start_;
    QElapsedTimer real_;
};

std::array<uint8_t, 256> loadImage(const char* name)
{
    std::array<uint8_t, 256> image{};
    QFile f(QStringLiteral(MB_TESTDATA_DIR "/spd/") + QLatin1String(name));
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray data = f.readAll();
        for (int i = 0; i < 256 && i < data.size(); ++i) image[static_cast<size_t>(i)] = static_cast<uint8_t>(data[i]);
    }
    return image;
}

std::array<uint8_t, 256> filled(uint8_t value)
{
    std::array<uint8_t, 256> image{};
    image.fill(value);
    return image;
}

// CPU time this process has used so far, in ms.
double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

class BurnerEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.start()) << sim.errorText().toStdString();
        // After the gang-copy command's waits (a tenth of 4 s on the fast clock), as a real
        // run would be: nothing is sent while the PC has the port closed.
        sim.setResultDelayMs(700);
        savedEnv = qgetenv("MORROWBURN_COM1");
        qputenv("MORROWBURN_COM1", sim.devicePath().toLocal8Bit());
        saved = platform();
        Reset_Globals();
        setPlatform(Platform{ &com, &registry, &dialogs, &shell, clock.get() });
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        // As at start-up: port 1 opened, then the window shown, which starts the poll.
        com.setPortNumber(1);
        ASSERT_TRUE(com.open()) << com.errorText().toStdString();
        main->show();
        ASSERT_TRUE(main->Timer1->isActive());
    }

    void TearDown() override
    {
        main.reset();
        com.close();
        setPlatform(saved);
        Reset_Globals();
        if (savedEnv.isNull()) qunsetenv("MORROWBURN_COM1");
        else qputenv("MORROWBURN_COM1", savedEnv);
        sim.stop();
    }

    // Processes events until pred holds; false after timeoutMs.
    static bool pumpUntil(const std::function<bool()>& pred, int timeoutMs = BurnerSimulator::Hang_Ms)
    {
        return QTest::qWaitFor(pred, timeoutMs);
    }

    // The status exchange is over: no reply pending, the poll running again.
    bool linkSettled(int timeoutMs = BurnerSimulator::Hang_Ms)
    {
        return pumpUntil([this] { return !main->Timer2->isActive() && main->Timer1->isActive(); }, timeoutMs);
    }

    // A new document with its start-up status request answered and applied.
    frmDocument* newDocument()
    {
        main->Load_New_Document();
        EXPECT_TRUE(linkSettled());
        dialogs.clear();
        sim.clearLog();
        return main->ActiveForm();
    }

    void setImage(frmDocument* doc, const std::array<uint8_t, 256>& image)
    {
        for (int i = 0; i < 256; ++i) doc->Value_Chang(static_cast<int16_t>(i), image[static_cast<size_t>(i)]);
    }

    QStringList messageTexts() const { return dialogs.messageTexts(); }

    // The five controls a read of the burner takes from its status, and the one message.
    static void expectReadBurnerPanel(BurnerPanel* p, int autoSerial, const QString& gang, int locked,
                                      const QString& direction, bool lowToHigh)
    {
        EXPECT_EQ(BurnerPanel::Check_Value(p->Check1), autoSerial);
        EXPECT_EQ(p->Command8->text(), gang);
        EXPECT_EQ(BurnerPanel::Check_Value(p->Check4), locked);
        EXPECT_EQ(p->Label150->text(), direction);
        EXPECT_TRUE(p->Option1[lowToHigh ? 0 : 1]->isChecked());
    }

    // From here on the commands wait on `inner`, paced by the simulator.
    void useClock(std::unique_ptr<Clock> inner)
    {
        clock = std::make_unique<SimulatorPacedClock>(std::move(inner), sim);
        Platform p = platform();
        p.clock = clock.get();
        setPlatform(p);
    }
    // The computer's own clock.
    void useRealClock() { useClock(std::make_unique<QtClock>()); }

    BurnerSimulator sim;
    QtComPort com;
    FakeRegistry registry;
    FakeDialogs dialogs;
    FakeShell shell;
    std::unique_ptr<Clock> clock = std::make_unique<SimulatorPacedClock>(std::make_unique<ScaledClock>(10), sim);
    std::unique_ptr<frmMain> main;
    Platform saved;
    QByteArray savedEnv;
};

} // namespace

TEST_F(BurnerEndToEnd, ReadModuleFillsAndDecodesTheDocument)
{
    const auto image = loadImage("ddr3-kingston-1333-1.bin");
    ASSERT_EQ(image[2], 0x0B);
    sim.setModuleImage(image);
    frmDocument* doc = newDocument();
    doc->burnerPanel()->Command9->click();
    EXPECT_EQ(sim.receivedFrames(), QList<QByteArray>({ QByteArray("k\x7F") }));
    EXPECT_EQ(doc->SPD.Spd_Value, image);
    EXPECT_EQ(doc->grid->caption(2), QStringLiteral("0B"));
    EXPECT_EQ(doc->OptcrcChoice(), 2);   // "None" survives the decoding
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   電腦讀取模組 SPD 成功!   ***** ") }));
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_TRUE(com.isOpen());
}

TEST_F(BurnerEndToEnd, ReadModuleOnTheRealClock)
{
    // Once with the computer's own clock: the 2 s wait lasts no less than a second.
    useRealClock();
    sim.setModuleImage(filled(0x5A));
    frmDocument* doc = newDocument();
    QElapsedTimer t;
    t.start();
    main->ReadModule();
    EXPECT_GE(t.elapsed(), 950);
    EXPECT_EQ(doc->SPD.Spd_Value, filled(0x5A));
}

TEST_F(BurnerEndToEnd, ReadBurnerTakesTheImageAndTheShortStatus)
{
    sim.setStatusLayout(BurnerSimulator::StatusLayout::Short);
    const auto image = loadImage("ddr2-kingston-ddr2-800-1.bin");
    sim.setBufferImage(image);
    sim.modifyState([](BurnerSimulator::State& s) {
        s.gangCode = "04";
        s.keypadLocked = true;
        s.lowToHigh = false;
    });
    main->Load_New_Document();   // its status comes in the short layout: a link failure
    ASSERT_TRUE(linkSettled());
    frmDocument* doc = main->ActiveForm();
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****    RS-232 連結失敗    *****") }));
    dialogs.clear();
    sim.clearLog();

    BurnerPanel* panel = doc->burnerPanel();
    panel->Command2->click();
    EXPECT_EQ(sim.receivedLetters(), QByteArray("ls"));
    EXPECT_EQ(doc->SPD.Spd_Value, image);
    expectReadBurnerPanel(panel, 0, QStringLiteral("連片比對"), 1, QStringLiteral("FF"), false);
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   電腦讀取機器 SPD 成功!   ***** ") }));
}

TEST_F(BurnerEndToEnd, DownloadIsReadBackAndCompared)
{
    const auto image = loadImage("sdram-daneelec-pc133-1.bin");
    frmDocument* doc = newDocument();
    setImage(doc, image);
    doc->burnerPanel()->Command1->click();
    QByteArray expected(16, 'w');
    expected += 'l';
    EXPECT_EQ(sim.receivedLetters(), expected);
    EXPECT_EQ(sim.receivedFrames().value(10).left(3), QByteArray("wX:"));
    EXPECT_EQ(sim.bufferImage(), image);
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("      *****    SPD 檔案下傳成功 !    *****      ") }));
    EXPECT_TRUE(com.isOpen());   // closed by the download, opened again by the read-back
}

TEST_F(BurnerEndToEnd, CompareWithAndWithoutAMismatch)
{
    const auto image = loadImage("ddr-corsair-ddr400-1.bin");
    sim.setBufferImage(image);
    frmDocument* doc = newDocument();
    setImage(doc, image);
    doc->burnerPanel()->Command3->click();
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("      *****   PC 與 SPD 機器比對成功 !    *****      ") }));

    dialogs.clear();
    doc->Value_Chang(73, static_cast<uint8_t>(image[73] ^ 0x40));
    doc->burnerPanel()->Command3->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("      *****   PC 與 SPD 機器比對失敗 !    *****      "));
    EXPECT_EQ(dialogs.messages()[0].icon, Dialogs::Critical);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("錯誤訊息"));
    EXPECT_EQ(sim.receivedLetters(), QByteArray("ll"));
}

TEST_F(BurnerEndToEnd, EraseThenBlankCheck)
{
    sim.setBufferImage(filled(0xFF));
    newDocument();
    main->BlankIC();
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("      *****   PC Load Data is OK !   *****      ") }));

    dialogs.clear();
    main->ActiveForm()->burnerPanel()->Command4->click();
    EXPECT_EQ(sim.bufferImage(), filled(0x00));
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   SPD燒錄機清除成功 !   *****      ") }));
    EXPECT_TRUE(com.isOpen());

    dialogs.clear();
    main->BlankIC();
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("The IC is not Blank"),
                                            QStringLiteral("      *****   PC Load Data is OK !   *****      ") }));
    EXPECT_EQ(sim.receivedLetters(), QByteArray("LeL"));
}

TEST_F(BurnerEndToEnd, StatusReplyFillsThePanelAndTheRights)
{
    Admin_LoggedIn = true;
    sim.modifyState([](BurnerSimulator::State& s) {
        s.autoSerial = true;
        s.gangCode = "08";
        s.keypadLocked = false;
        s.version = "2c";
        s.lowToHigh = false;
        s.currentSerial = "00000077";
    });
    main->mnuFileSave->setEnabled(false);
    main->Load_New_Document();
    frmDocument* doc = main->ActiveForm();
    // The reply ticks the automatic serial numbers, which sends "a" and asks again; the
    // second reply finds the box as it is and the exchange ends.
    ASSERT_TRUE(pumpUntil([&] { return sim.receivedLetters() == "sas" && !main->Timer2->isActive() && main->Timer1->isActive(); }));
    BurnerPanel* p = doc->burnerPanel();
    EXPECT_EQ(BurnerPanel::Check_Value(p->Check1), 1);
    EXPECT_TRUE(p->Label96->isVisibleTo(doc));
    EXPECT_EQ(p->Label96->text(), QStringLiteral("00000077"));
    EXPECT_EQ(p->Command8->text(), QStringLiteral("連片比對88"));
    EXPECT_EQ(BurnerPanel::Check_Value(p->Check4), 0);
    EXPECT_EQ(p->Label149->text(), QStringLiteral("Ver:2C"));
    EXPECT_EQ(p->Label150->text(), QStringLiteral("00"));
    EXPECT_TRUE(p->Option1[1]->isChecked());
    EXPECT_TRUE(doc->Text1->isEnabled());
    EXPECT_TRUE(doc->Text2->isVisibleTo(doc));
    EXPECT_TRUE(main->mnuFileSave->isEnabled());
    EXPECT_TRUE(main->mnuViewpassword->isEnabled());
    for (QWidget* f : { p->Frame4, p->Frame7, p->Frame8 }) EXPECT_TRUE(f->isVisibleTo(doc));
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_TRUE(sim.state().autoSerial);
}

TEST_F(BurnerEndToEnd, KeypadLockBoxLocksAndUnlocksTheBurner)
{
    Admin_LoggedIn = true;
    frmDocument* doc = newDocument();
    BurnerPanel* p = doc->burnerPanel();
    ASSERT_EQ(BurnerPanel::Check_Value(p->Check4), 0);
    ASSERT_TRUE(p->Check4->isEnabled());
    for (const bool lock : { true, false }) {
        QTest::mouseClick(p->Check4, Qt::LeftButton);
        ASSERT_TRUE(pumpUntil([&] { return sim.state().keypadLocked == lock && main->Timer1->isActive(); })) << lock;
        EXPECT_EQ(sim.receivedLetters(), QByteArray(lock ? "Y" : "y"));
        EXPECT_EQ(p->Command6->isEnabled(), lock);
        // The burner's own status agrees with the box.
        main->STATUSIC();
        ASSERT_TRUE(linkSettled());
        EXPECT_EQ(BurnerPanel::Check_Value(p->Check4), lock ? 1 : 0);
        sim.clearLog();
    }
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(BurnerEndToEnd, GangCopyResultsArriveThroughThePoll)
{
    sim.modifyState([](BurnerSimulator::State& s) {
        s.autoSerial = true;
        s.currentSerial = "00000100";
        s.failMask = 0x05;
    });
    frmDocument* doc = newDocument();   // its status ticked the automatic serial numbers
    BurnerPanel* p = doc->burnerPanel();
    ASSERT_EQ(BurnerPanel::Check_Value(p->Check1), 1);
    p->Command8->click();
    EXPECT_EQ(sim.state().gangRuns, 1);
    ASSERT_TRUE(pumpUntil([&] { return p->Label95->text() == QLatin1String("2"); }));
    const char* serials[8] = { "00000000", "00000100", "00000000", "00000101",
                               "00000102", "00000103", "00000104", "00000105" };
    for (int k = 0; k < 8; ++k) {
        const size_t i = static_cast<size_t>(k);
        const bool failed = k == 0 || k == 2;
        EXPECT_EQ(p->SocketPass[i]->isVisibleTo(doc), !failed) << k;
        EXPECT_EQ(p->SocketFail[i]->isVisibleTo(doc), failed) << k;
        EXPECT_EQ(p->SocketSerial[i]->text(), QLatin1String(serials[k])) << k;
    }
    EXPECT_EQ(p->Label94->text(), QStringLiteral("6"));
    EXPECT_EQ(p->Label96->text(), QStringLiteral("00000106"));
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(BurnerEndToEnd, SilentBurner)
{
    sim.setReplyMode(BurnerSimulator::ReplyMode::Silent);
    main->Load_New_Document();
    ASSERT_TRUE(linkSettled());
    frmDocument* doc = main->ActiveForm();
    BurnerPanel* p = doc->burnerPanel();
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****    RS-232 連結失敗    *****") }));
    for (QWidget* f : { p->Frame4, p->Frame7, p->Frame8 }) EXPECT_FALSE(f->isVisibleTo(doc));

    dialogs.clear();
    setImage(doc, filled(0x3C));
    main->ReadModule();
    EXPECT_EQ(doc->SPD.Spd_Value, filled(0x3C));
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** ") }));

    // A download cannot tell; the read-back that follows reports it as failed.
    dialogs.clear();
    main->ProgramIC();
    main->VcopyIc();
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("      *****    SPD 檔案下傳失敗 !   *****      ") }));
    // Commands that read nothing complete silently.
    dialogs.clear();
    main->Read_Command();
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_TRUE(main->Timer1->isActive());
}

TEST_F(BurnerEndToEnd, StatusReplyLateOrCutIsNeitherABurnNorAStatus)
{
    // The late reply is sent once the reader has given up, however long that took.
    const QByteArray reply = BurnerSimulator::longStatusText(sim.state());
    struct Case { const char* name; QByteArray inTime; QByteArray late; };
    const Case cases[] = {
        { "late", QByteArray(), reply },   // an empty answer is none
        { "60 characters", reply.left(60), QByteArray() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BurnerPanel* p = newDocument()->burnerPanel();   // answered in time: "Ver:1A"
        sim.setCustomReply('s', c.inTime);
        main->mnuConnection_Click();
        ASSERT_TRUE(linkSettled());
        // Whatever comes after the reader has given up, and a poll tick after it.
        sim.sendRaw(c.late);
        ASSERT_TRUE(sim.waitForIdle(BurnerSimulator::Hang_Ms));
        int ticks = 0;
        const auto counting = QObject::connect(main->Timer1, &QTimer::timeout, [&] { ++ticks; });
        ASSERT_TRUE(pumpUntil([&] { return ticks > 0; }));
        QObject::disconnect(counting);
        EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****    RS-232 連結失敗    *****") }));
        EXPECT_EQ(p->Label94->text() + p->Label95->text(), QStringLiteral("00"));
        EXPECT_EQ(p->Label149->text(), QStringLiteral("Ver:1A"));
        for (QWidget* f : { p->Frame4, p->Frame7, p->Frame8 }) EXPECT_FALSE(f->isVisibleTo(p->Frame4->parentWidget()));
        sim.clearCustomReplies();
    }
}

TEST_F(BurnerEndToEnd, LateStatusReplyAheadOfAnImageIsNoPartOfIt)
{
    // The burner answers a status request after the reader gave up, ahead of the image
    // the next read asks for: a read of the module, then a compare.
    const auto image = loadImage("ddr3-kingston-1333-1.bin");
    sim.setModuleImage(image);
    sim.setBufferImage(image);
    for (const bool compare : { false, true }) {
        frmDocument* doc = newDocument();
        setImage(doc, compare ? image : filled(0x3C));
        sim.setCustomReply('s', QByteArray());
        main->mnuConnection_Click();
        ASSERT_TRUE(linkSettled());
        sim.clearCustomReplies();
        sim.sendRaw(BurnerSimulator::longStatusText(sim.state()));
        ASSERT_TRUE(sim.waitForIdle(BurnerSimulator::Hang_Ms));
        dialogs.clear();
        compare ? main->VerifyIc() : main->ReadModule();
        EXPECT_EQ(doc->SPD.Spd_Value, image);
        EXPECT_EQ(messageTexts(), QStringList({ compare ? QStringLiteral("      *****   PC 與 SPD 機器比對成功 !    *****      ")
                                                        : QStringLiteral("*****   電腦讀取模組 SPD 成功!   ***** ") }));
        int ticks = 0;
        const auto counting = QObject::connect(main->Timer1, &QTimer::timeout, [&] { ++ticks; });
        ASSERT_TRUE(pumpUntil([&] { return ticks > 0; }));
        QObject::disconnect(counting);
        EXPECT_EQ(doc->burnerPanel()->Label94->text(), QStringLiteral("0"));   // no burn either
    }
}

TEST_F(BurnerEndToEnd, ShortReplyLeavesTheDocumentUntouched)
{
    sim.setModuleImage(filled(0x11));
    sim.setBufferImage(filled(0x22));
    frmDocument* doc = newDocument();
    setImage(doc, filled(0x3C));
    sim.setReplyMode(BurnerSimulator::ReplyMode::Short, 300);
    main->ReadModule();
    main->ReadIC();
    EXPECT_EQ(doc->SPD.Spd_Value, filled(0x3C));
    EXPECT_EQ(doc->grid->caption(0), QStringLiteral("3C"));
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** "),
                                            QStringLiteral("*****   電腦讀取機器 SPD 失敗!   ***** ") }));
    EXPECT_EQ(sim.receivedLetters(), QByteArray("kl"));   // no status request after the failed read
}

TEST_F(BurnerEndToEnd, SettingsChangeLeavesThePortClosedAndTheNextCommandReopensIt)
{
    newDocument();
    // As the settings dialog does: close the port and set the number; nothing reopens it
    // until the next command or poll tick.
    com.close();
    com.setPortNumber(1);
    sim.setModuleImage(filled(0x77));
    main->ReadModule();
    EXPECT_TRUE(com.isOpen());
    EXPECT_EQ(main->ActiveForm()->SPD.Spd_Value, filled(0x77));
}

TEST_F(BurnerEndToEnd, GarbledOrShiftedImageIsNotStored)
{
    // Line noise in an image reply: a character that is no hex digit within the first 512,
    // or a byte before the reply that shifts every digit. The read fails and the document
    // keeps what it had; characters after the 512th (a terminator) are still ignored.
    struct Case {
        const char* name;
        std::function<void(BurnerSimulator&)> fault;
        std::function<void(frmMain&)> run;
        QString message;
        bool stored;
    };
    const QString moduleFail = QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** ");
    const QString burnerFail = QStringLiteral("*****   電腦讀取機器 SPD 失敗!   ***** ");
    const auto readModule = [](frmMain& m) { m.ReadModule(); };
    const auto readBurner = [](frmMain& m) { m.ReadIC(); };
    const std::vector<Case> cases = {
        { "garbled high digit", [](BurnerSimulator& b) { b.setGarbled('k', 201, '#'); }, readModule, moduleFail, false },
        { "garbled last digit", [](BurnerSimulator& b) { b.setGarbled('k', 512, 'G'); }, readModule, moduleFail, false },
        { "stray byte before", [](BurnerSimulator& b) { b.setStrayByte('k', '\xFF'); }, readModule, moduleFail, false },
        { "stray NUL before", [](BurnerSimulator& b) { b.setStrayByte('l', '\0'); }, readBurner, burnerFail, false },
        { "garbled burner image", [](BurnerSimulator& b) { b.setGarbled('l', 2, 'x'); }, readBurner, burnerFail, false },
        { "terminator after 512", [](BurnerSimulator& b) {
              b.setCustomReply('k', BurnerSimulator::imageText(filled(0x11)) + "\r\n"); },
          readModule, QStringLiteral("*****   電腦讀取模組 SPD 成功!   ***** "), true },
    };
    sim.setModuleImage(filled(0x11));
    sim.setBufferImage(filled(0x22));
    frmDocument* doc = newDocument();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setImage(doc, filled(0x3C));
        dialogs.clear();
        sim.clearFaults();
        sim.clearCustomReplies();
        c.fault(sim);
        c.run(*main);
        EXPECT_EQ(doc->SPD.Spd_Value, c.stored ? filled(0x11) : filled(0x3C));
        EXPECT_EQ(doc->grid->caption(100), c.stored ? QStringLiteral("11") : QStringLiteral("3C"));
        EXPECT_EQ(messageTexts(), QStringList({ c.message }));
        EXPECT_TRUE(main->Timer1->isActive());
    }
    // A failed image read asks for no status.
    EXPECT_EQ(sim.receivedLetters().count('s'), 0);
}

TEST_F(BurnerEndToEnd, ReadBurnerTakesALongStatusByItsOwnLayout)
{
    // This burner answers every "s" with the long frame, also the one after "l".
    frmDocument* doc = newDocument();
    BurnerPanel* p = doc->burnerPanel();
    const auto image = loadImage("ddr2-kingston-ddr2-800-1.bin");
    sim.setBufferImage(image);
    sim.modifyState([](BurnerSimulator::State& s) {
        s.gangCode = "08";
        s.keypadLocked = false;
        s.lowToHigh = true;
    });
    p->Command8->setText(QStringLiteral("連片複製"));
    BurnerPanel::Set_Check_Value(p->Check4, 1);
    p->Option1[1]->setChecked(true);
    sim.clearLog();
    dialogs.clear();
    p->Command2->click();
    EXPECT_EQ(doc->SPD.Spd_Value, image);
    EXPECT_EQ(sim.receivedLetters(), QByteArray("ls"));
    expectReadBurnerPanel(p, 0, QStringLiteral("連片比對88"), 0, QStringLiteral("FF"), true);
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   電腦讀取機器 SPD 成功!   ***** ") }));

    // A status reply in neither layout (here a long frame behind a noise byte) leaves the
    // panel as it was; the image is still read.
    sim.modifyState([](BurnerSimulator::State& s) {
        s.autoSerial = true;
        s.gangCode = "02";
        s.keypadLocked = true;
        s.lowToHigh = false;
    });
    sim.setStrayByte('s', '0');
    sim.setBufferImage(filled(0x44));
    sim.clearLog();
    dialogs.clear();
    p->Command2->click();
    EXPECT_EQ(doc->SPD.Spd_Value, filled(0x44));
    EXPECT_EQ(sim.receivedLetters(), QByteArray("ls"));   // no "a": the box stays clear
    expectReadBurnerPanel(p, 0, QStringLiteral("連片比對88"), 0, QStringLiteral("FF"), true);
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   電腦讀取機器 SPD 成功!   ***** ") }));
}

TEST_F(BurnerEndToEnd, HangUpDuringADownloadIsReportedOnce)
{
    const auto image = loadImage("sdram-daneelec-pc133-1.bin");
    frmDocument* doc = newDocument();
    setImage(doc, image);
    sim.setHangUp('w', 5, 0);   // the burner is switched off after the fifth frame
    doc->burnerPanel()->Command1->click();
    EXPECT_TRUE(sim.hungUp());
    EXPECT_EQ(sim.receivedLetters(), QByteArray(5, 'w'));   // no read-back
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("      *****   SPD 檔案下傳失敗 !   *****      ") }));
    EXPECT_EQ(doc->SPD.Spd_Value, image);
    EXPECT_FALSE(com.isOpen());
}

TEST_F(BurnerEndToEnd, HangUpDuringAWaitEndsItAtOnce)
{
    // On a clock that runs at a fiftieth of real time the 2 s wait would last 50 to 100 s,
    // and no less than 1 s on the clock. The burner drops the line 100 ms into it: the port
    // goes at once, the wait ends long before its time without spinning the processor,
    // and the read reports its failure. Only a machine that held the program back for 50 s
    // could make the wait look as if it ran its course.
    frmDocument* doc = newDocument();
    useClock(std::make_unique<ScaledClock>(0.02));
    setImage(doc, filled(0x3C));
    sim.setModuleImage(filled(0x11));
    sim.setLateReply('k', 400);
    sim.setHangUp('k', 1, 100);
    const qint64 started = clock->monotonicMs();
    const double cpuBefore = cpuMs();
    main->ReadModule();
    const double cpu = cpuMs() - cpuBefore;
    EXPECT_TRUE(sim.hungUp());
    EXPECT_LT(clock->monotonicMs() - started, 1000) << "the wait ran its course";
    EXPECT_LT(cpu, 300.0);
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(doc->SPD.Spd_Value, filled(0x3C));
    EXPECT_EQ(messageTexts(), QStringList({ QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** ") }));
    EXPECT_TRUE(main->Timer1->isActive());
}

TEST_F(BurnerEndToEnd, PacingAndStatusTimersKeepTheirIntervals)
{
    // The status reader runs 400 ms after the status request and the download's frames go
    // out 120 ms apart: never sooner (a coarse timer could fire up to 5% early). A busy
    // machine makes them later, which is no fault of the program; how late they are here
    // is measured by the benchmark (BM_StatusReaderInterval, BM_FramePacing).
    EXPECT_EQ(main->Timer2->interval(), 400);
    EXPECT_EQ(main->Timer3->interval(), 120);
    EXPECT_EQ(main->Timer2->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(main->Timer3->timerType(), Qt::PreciseTimer);
    frmDocument* doc = newDocument();
    // Timed from before the request, which arms the reader at its end.
    QElapsedTimer asked;
    qint64 statusTickMs = -1;
    const auto connection = QObject::connect(main->Timer2, &QTimer::timeout, [&] { statusTickMs = asked.elapsed(); });
    asked.start();
    main->STATUSIC();
    ASSERT_TRUE(pumpUntil([&] { return statusTickMs >= 0; }));
    QObject::disconnect(connection);
    EXPECT_GE(statusTickMs, 400);
    ASSERT_TRUE(linkSettled());

    // The pacing on the computer's own clock (the fast clock would cut each frame's wait
    // short at its time limit): the sixteen frames take at least fifteen intervals.
    useRealClock();
    sim.clearLog();
    setImage(doc, loadImage("ddr-corsair-ddr400-1.bin"));
    QElapsedTimer download;
    download.start();
    main->ProgramIC();
    ASSERT_TRUE(sim.waitForFrames(16, BurnerSimulator::Hang_Ms));
    EXPECT_GE(download.elapsed(), 15 * 120);
}
