// The main window's burner commands against a scripted port and a clock that the waits
// move forward: letters, waits, port state, the result poll's pauses and every message.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "burner/burner_frames.h"
#include "burner/ui/burner_panel.h"
#include "shell/frm_main.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_document/ui/frm_document.h"
#include "support/platform_fixture.h"

namespace {

std::array<uint8_t, 256> pattern(int seed)
{
    std::array<uint8_t, 256> image{};
    for (int i = 0; i < 256; ++i) image[static_cast<size_t>(i)] = static_cast<uint8_t>((i * 73 + seed) & 0xFF);
    return image;
}

std::array<uint8_t, 256> filled(uint8_t value)
{
    std::array<uint8_t, 256> image{};
    image.fill(value);
    return image;
}

struct Message {
    QString text;
    Dialogs::Icon icon;
    QString title;
    bool timer1Running;   // the result poll's state while the box is up
};

class BurnerCommands : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        dialogs.onMessage = [this](const FakeDialogs::Call& c) {
            shown.push_back({ c.text, c.icon, c.title, main->Timer1->isActive() });
        };
        com.onOutput = [this](const QByteArray& data) {
            trace << QString(QLatin1Char(data.isEmpty() ? '?' : data.at(0)));
            lastMono = clock.monotonicMs();
        };
        clock.onProcessEvents = [this] { noteWait(); };
    }

    void TearDown() override
    {
        com.onOutput = nullptr;
        clock.onProcessEvents = nullptr;
        dialogs.onMessage = nullptr;
        main.reset();
        PlatformFixture::TearDown();
    }

    // One new document; what its start-up status request did is forgotten.
    frmDocument* newDocument()
    {
        main->Load_New_Document();
        main->Timer2->stop();
        forget();
        return main->ActiveForm();
    }

    void forget()
    {
        trace.clear();
        shown.clear();
        dialogs.clear();
        com.resetRecord();
        lastMono = clock.monotonicMs();
    }

    // Each stretch of waiting becomes one entry: its length in ms, the port's state and
    // whether the result poll was running meanwhile.
    void noteWait()
    {
        const qint64 now = clock.monotonicMs();
        const qint64 delta = now - lastMono;
        lastMono = now;
        const QString state = QStringLiteral("%1 %2").arg(com.isOpen() ? "open" : "closed",
                                                          main->Timer1->isActive() ? "T1" : "-");
        if (!trace.isEmpty() && trace.last().startsWith(QLatin1String("wait")) && waitState == state) {
            waitMs += delta;
        } else {
            waitMs = delta;
            waitState = state;
            trace << QString();
        }
        trace.last() = QStringLiteral("wait%1 %2").arg(waitMs).arg(state);
        if (onWait) onWait();
        if (pacing && main->Timer3->isActive()) main->Timer3_Timer();
    }

    QString traceText() const { return trace.join(QLatin1Char('|')); }

    std::unique_ptr<frmMain> main;
    QStringList trace;
    std::vector<Message> shown;
    qint64 lastMono = 0;
    qint64 waitMs = 0;
    QString waitState;
    bool pacing = true;                 // the 120 ms pacing timer ticks during waits
    std::function<void()> onWait;
};

const QString kErr = QStringLiteral("錯誤訊息");

} // namespace

// ---------------------------------------------------------------- one-letter commands

TEST_F(BurnerCommands, ControlCommandsSendWaitAndRestartThePoll)
{
    struct Case {
        const char* name;
        std::function<void(frmMain&)> run;
        const char* trace;
        bool timer1After, timer2After, portOpenAfter;
        std::vector<Message> messages;
    };
    const std::vector<Case> cases = {
        { "STATUSIC", [](frmMain& m) { m.STATUSIC(); }, "s|wait1000 open -", false, true, true, {} },
        { "EraseIC", [](frmMain& m) { m.EraseIC(); }, "e|wait2000 closed -", true, false, true,
          { { QStringLiteral("*****   SPD燒錄機清除成功 !   *****      "), Dialogs::NoIcon, QString(), false } } },
        { "Read_Command", [](frmMain& m) { m.Read_Command(); }, "r|wait1000 closed -", true, false, true, {} },
        { "Copy_Command", [](frmMain& m) { m.Copy_Command(); }, "c|wait1000 closed -", true, false, true, {} },
        { "Verify_Command", [](frmMain& m) { m.Verify_Command(); }, "v|wait1000 closed -", true, false, true, {} },
        { "EN_KEY_Command", [](frmMain& m) { m.EN_KEY_Command(); }, "y|wait1000 closed -|wait3000 open -", true, false, true, {} },
        { "DIS_KEY_Command", [](frmMain& m) { m.DIS_KEY_Command(); }, "Y|wait1000 closed -|wait3000 open -", true, false, true, {} },
        { "SNUM_P_Command", [](frmMain& m) { m.SNUM_P_Command(); }, "n|wait1000 closed -|wait3000 open -", true, false, true, {} },
        { "SNUM_N_Command", [](frmMain& m) { m.SNUM_N_Command(); }, "N|wait1000 closed -|wait3000 open -", true, false, true, {} },
        { "Mcopy_Command", [](frmMain& m) { m.Mcopy_Command(); }, "m|wait1000 closed -|wait3000 open -", true, false, true, {} },
        { "Auto_Command on", [](frmMain& m) { m.Auto_Command(true); }, "a|wait1000 closed -|s|wait1000 open -", false, true, true, {} },
        { "Auto_Command off", [](frmMain& m) { m.Auto_Command(false); }, "z|wait1000 closed -|s|wait1000 open -", false, true, true, {} },
    };
    newDocument();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Whatever state the port and the timers were left in, every command pauses the
        // poll and opens the port it finds closed.
        com.close();
        main->Timer1->start();
        main->Timer2->stop();
        clock.setTime(QTime(10, 20, 30));
        forget();
        c.run(*main);
        EXPECT_EQ(traceText(), QLatin1String(c.trace));
        EXPECT_EQ(main->Timer1->isActive(), c.timer1After);
        EXPECT_EQ(main->Timer2->isActive(), c.timer2After);
        EXPECT_EQ(com.isOpen(), c.portOpenAfter);
        for (const QByteArray& sent : com.outputs) EXPECT_EQ(sent.size(), 2) << sent.constData();
        for (const QByteArray& sent : com.outputs) EXPECT_EQ(sent.at(1), '\x7F');
        ASSERT_EQ(shown.size(), c.messages.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].text, c.messages[i].text);
            EXPECT_EQ(shown[i].icon, c.messages[i].icon);
            EXPECT_EQ(shown[i].title, c.messages[i].title);
            EXPECT_EQ(shown[i].timer1Running, c.messages[i].timer1Running);
        }
    }
}

TEST_F(BurnerCommands, ControlCommandsReportAPortThatCannotBeOpened)
{
    struct Case {
        const char* name;
        std::function<void(frmMain&)> run;
        QString text;
        QString title;
        bool timer1After;
    };
    const std::vector<Case> cases = {
        { "STATUSIC", [](frmMain& m) { m.STATUSIC(); }, QStringLiteral("      *****   無法讀取狀態 !   *****      "), kErr, false },
        { "EraseIC", [](frmMain& m) { m.EraseIC(); }, QStringLiteral("*****   SPD燒錄機清除失敗 !   *****      "), kErr, true },
        { "Auto_Command", [](frmMain& m) { m.Auto_Command(true); }, QStringLiteral("      *****   SPD燒錄機,自動燒錄功能失敗 !   *****      "), kErr, true },
        { "Read_Command", [](frmMain& m) { m.Read_Command(); }, QStringLiteral("*****   SPD 讀取失敗 !   *****"), kErr, true },
        { "Copy_Command", [](frmMain& m) { m.Copy_Command(); }, QStringLiteral("*****   SPD 拷貝失敗 !   *****"), kErr, true },
        { "Verify_Command", [](frmMain& m) { m.Verify_Command(); }, QStringLiteral("*****   SPD 比對失敗 !   *****"), QStringLiteral("ERROR"), true },
        { "EN_KEY_Command", [](frmMain& m) { m.EN_KEY_Command(); }, QStringLiteral("*****   按鍵上鎖失敗 !   *****"), kErr, true },
        { "DIS_KEY_Command", [](frmMain& m) { m.DIS_KEY_Command(); }, QStringLiteral("*****   按鍵解鎖失敗 !   *****"), kErr, true },
        { "SNUM_P_Command", [](frmMain& m) { m.SNUM_P_Command(); }, QStringLiteral("*****  自動序號選擇失敗 !   *****"), kErr, true },
        { "SNUM_N_Command", [](frmMain& m) { m.SNUM_N_Command(); }, QStringLiteral("*****   自動序號選擇失敗 !   *****"), kErr, true },
        { "Mcopy_Command", [](frmMain& m) { m.Mcopy_Command(); }, QStringLiteral("*****   SPD 多重拷貝失敗 !   *****"), kErr, true },
    };
    frmDocument* doc = newDocument();
    com.close();
    com.setOpenFails(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main->Timer1->start();
        forget();
        c.run(*main);
        EXPECT_TRUE(com.outputs.isEmpty());
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.text);
        EXPECT_EQ(shown[0].icon, Dialogs::Critical);
        EXPECT_EQ(shown[0].title, c.title);
        EXPECT_EQ(main->Timer1->isActive(), c.timer1After);
    }
    // No status can come: the asking document hides its panel, a new one its own.
    EXPECT_FALSE(doc->burnerPanel()->Frame7->isVisibleTo(doc));
    doc->burnerPanel()->Frame7->show();
    frmDocument* second = newDocument();
    EXPECT_FALSE(second->burnerPanel()->Frame7->isVisibleTo(second));
    EXPECT_TRUE(doc->burnerPanel()->Frame7->isVisibleTo(doc));
}

TEST_F(BurnerCommands, FireAndForgetFailsWhenThePortCannotBeReopened)
{
    newDocument();
    com.onOutput = [this](const QByteArray&) { com.setOpenFails(1); };
    main->Read_Command();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("*****   SPD 讀取失敗 !   *****"));
    EXPECT_TRUE(main->Timer1->isActive());
}

TEST_F(BurnerCommands, AutoCommandNeedsADocument)
{
    main->Auto_Command(true);
    EXPECT_TRUE(com.outputs.isEmpty());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("      *****   SPD燒錄機,自動燒錄功能失敗 !   *****      "));
    EXPECT_TRUE(main->Timer1->isActive());
}

TEST_F(BurnerCommands, AutoCommandCancelsAPendingStatusRead)
{
    newDocument();
    main->Timer2->start();
    bool timer2DuringWait = true;
    onWait = [&] { if (trace.size() == 2) timer2DuringWait = main->Timer2->isActive(); };
    main->Auto_Command(false);
    EXPECT_FALSE(timer2DuringWait);
    EXPECT_EQ(com.letters(), QByteArray("zs"));
}

TEST_F(BurnerCommands, StatusRequestOpensAClosedPortAndLeavesItOpen)
{
    com.close();
    main->STATUSIC();
    EXPECT_EQ(com.openCount, 1);
    EXPECT_TRUE(com.isOpen());
    EXPECT_EQ(com.closeCount, 0);
}

TEST_F(BurnerCommands, SilentBurnerLeavesFireAndForgetCommandsQuiet)
{
    newDocument();
    for (auto run : { &frmMain::Read_Command, &frmMain::Copy_Command, &frmMain::Verify_Command, &frmMain::Mcopy_Command }) {
        forget();
        ((*main).*run)();
        EXPECT_TRUE(shown.empty());
        EXPECT_TRUE(main->Timer1->isActive());
    }
}

TEST_F(BurnerCommands, WaitHeldUpByANestedHandlerEndsOnElapsedTime)
{
    // A message box of another window keeps the thread for 3 s during the 1 s wait: the
    // target second passes unseen, and the wait still ends at once instead of a minute on.
    newDocument();
    bool held = false;
    onWait = [&] {
        if (!held) {
            held = true;
            clock.advance(3000);
        }
    };
    const int callsBefore = clock.processEventsCalls;
    main->STATUSIC();
    EXPECT_LT(clock.processEventsCalls - callsBefore, 5);
    EXPECT_TRUE(main->Timer2->isActive());
}

// ---------------------------------------------------------------- reading images

TEST_F(BurnerCommands, ReadModuleStoresAndDecodesEveryByte)
{
    frmDocument* doc = newDocument();
    const auto image = pattern(5);
    com.queueReply('k', Image_Hex_Text(image));
    main->ReadModule();
    EXPECT_EQ(traceText(), QLatin1String("k|wait2000 open -"));
    EXPECT_EQ(doc->SPD.Spd_Value, image);
    EXPECT_EQ(doc->grid->caption(200), Hex_Byte_Text(image[200]));
    EXPECT_TRUE(doc->Chk_Form_Chang()) << "closing asks before the read image is lost";
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("*****   電腦讀取模組 SPD 成功!   ***** "));
    EXPECT_EQ(shown[0].icon, Dialogs::NoIcon);
    EXPECT_EQ(shown[0].title, QString());
    EXPECT_TRUE(shown[0].timer1Running);
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_TRUE(com.isOpen());
}

TEST_F(BurnerCommands, ImageRepliesAreReadCharacterByCharacter)
{
    struct Case {
        const char* name;
        QByteArray reply;
        std::vector<std::pair<int, uint8_t>> bytes;   // none: the read fails, nothing stored
    };
    QByteArray lower = Image_Hex_Text(filled(0));
    lower.replace(0, 2, "0a");
    lower.replace(2, 2, "0A");
    lower.replace(6, 2, "fE");
    lower.replace(510, 2, "Ff");
    const auto withPair = [](int i, const QByteArray& pair) {
        return Image_Hex_Text(filled(0x42)).replace(2 * i, 2, pair);
    };
    const std::vector<Case> cases = {
        { "either case", lower, { { 0, 10 }, { 1, 10 }, { 3, 0xFE }, { 255, 0xFF } } },
        { "520 characters", Image_Hex_Text(filled(0x42)) + "FFFFFFFF", { { 0, 0x42 }, { 255, 0x42 } } },
        { "terminator", Image_Hex_Text(filled(0x43)) + "\r\n", { { 0, 0x43 }, { 255, 0x43 } } },
        { "non-hex high digit", withPair(2, "G1"), {} },
        { "non-hex low digit", withPair(255, "fZ"), {} },
        { "blank in the image", withPair(0, " 5"), {} },
        { "stray byte before", QByteArray(1, '\xFF') + Image_Hex_Text(filled(0x42)), {} },
    };
    frmDocument* doc = newDocument();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forget();
        for (int i = 0; i < 256; ++i) doc->Value_Chang(static_cast<int16_t>(i), 0x3C);
        com.queueReply('k', c.reply);
        main->ReadModule();
        for (const auto& [index, value] : c.bytes) EXPECT_EQ(doc->Get_Value(static_cast<int16_t>(index)), value) << index;
        if (c.bytes.empty()) {
            EXPECT_EQ(doc->SPD.Spd_Value, filled(0x3C));
        }
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.bytes.empty() ? QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** ")
                                                 : QStringLiteral("*****   電腦讀取模組 SPD 成功!   ***** "));
    }
}

TEST_F(BurnerCommands, ShortOrMissingImageLeavesTheDocumentAsItWas)
{
    struct Case {
        const char* name;
        std::function<void(frmMain&)> run;
        char letter;
        QString failure;
        QByteArray lettersSent;
    };
    const std::vector<Case> cases = {
        { "ReadModule", [](frmMain& m) { m.ReadModule(); }, 'k', QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** "), "k" },
        { "ReadIC", [](frmMain& m) { m.ReadIC(); }, 'l', QStringLiteral("*****   電腦讀取機器 SPD 失敗!   ***** "), "l" },
    };
    frmDocument* doc = newDocument();
    const auto before = pattern(77);
    for (int i = 0; i < 256; ++i) doc->Value_Chang(static_cast<int16_t>(i), before[static_cast<size_t>(i)]);
    for (const Case& c : cases) {
        for (int length : { 0, 2, 300, 511 }) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(length));
            forget();
            com.queueReply(c.letter, Image_Hex_Text(filled(0x11)).left(length));
            c.run(*main);
            EXPECT_EQ(doc->SPD.Spd_Value, before);
            EXPECT_EQ(doc->grid->caption(0), Hex_Byte_Text(before[0]));
            EXPECT_EQ(com.letters(), c.lettersSent);   // no status request after a failed read
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, c.failure);
            EXPECT_EQ(shown[0].icon, Dialogs::Critical);
            EXPECT_EQ(shown[0].title, kErr);
            EXPECT_TRUE(main->Timer1->isActive());
        }
    }
}

TEST_F(BurnerCommands, ReadingWithoutADocumentFails)
{
    com.setStandingReply('k', Image_Hex_Text(filled(1)));
    main->ReadModule();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("*****   電腦讀取模組 SPD 失敗!   ***** "));
    EXPECT_TRUE(main->Timer1->isActive());
}

TEST_F(BurnerCommands, ReadIcReadsTheImageThenTheShortStatus)
{
    struct Case {
        const char* name;
        QByteArray status;
        int check1, check4;
        QString gang, label150;
        int option;
        QByteArray letters;   // a change of Check1 sends "a" or "z" and asks for the status
    };
    const std::vector<Case> cases = {
        { "all off", "xx00010000", 0, 0, QStringLiteral("連片複製+比對"), QStringLiteral("00"), 0, "ls" },
        { "terminator after the status", "xx00010000\r\n", 0, 0, QStringLiteral("連片複製+比對"), QStringLiteral("00"), 0, "ls" },
        { "high to low", "xx000100FF", 0, 0, QStringLiteral("連片複製+比對"), QStringLiteral("FF"), 1, "ls" },
        { "all on", "xxFF08FF01", 1, 1, QStringLiteral("連片比對88"), QStringLiteral("01"), 1, "lsas" },
        { "gang 02, lower case", "xxff02ff0a", 1, 1, QStringLiteral("連片複製"), QStringLiteral("0a"), 1, "ls" },
        { "gang 04", "xx00040000", 0, 0, QStringLiteral("連片比對"), QStringLiteral("00"), 0, "lsz" "s" },
        { "unknown gang keeps caption", "xx00030000", 0, 0, QStringLiteral("連片比對"), QStringLiteral("00"), 0, "ls" },
        { "long frame by its own layout", QByteArray("0000" "55AA") + QByteArray(76, '0') + "02" "FF" "1A" "00",
          0, 0, QStringLiteral("連片複製"), QStringLiteral("00"), 1, "ls" },
    };
    frmDocument* doc = newDocument();
    BurnerPanel* panel = doc->burnerPanel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forget();
        const auto image = pattern(c.check1 * 10 + c.option);
        com.queueReply('l', Image_Hex_Text(image));
        com.queueReply('s', c.status);
        main->ReadIC();
        EXPECT_EQ(doc->SPD.Spd_Value, image);
        EXPECT_EQ(com.letters(), c.letters);
        EXPECT_EQ(BurnerPanel::Check_Value(panel->Check1), c.check1);
        EXPECT_EQ(BurnerPanel::Check_Value(panel->Check4), c.check4);
        EXPECT_EQ(panel->Command8->text(), c.gang);
        EXPECT_EQ(panel->Label150->text(), c.label150);
        EXPECT_TRUE(panel->Option1[static_cast<size_t>(c.option)]->isChecked());
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().text, QStringLiteral("*****   電腦讀取機器 SPD 成功!   ***** "));
        EXPECT_TRUE(shown.back().timer1Running);
        EXPECT_TRUE(main->Timer1->isActive());
    }
}

TEST_F(BurnerCommands, ReadIcWaitsTwiceAndTheNestedSwitchRunsBeforeItGoesOn)
{
    frmDocument* doc = newDocument();
    com.queueReply('l', Image_Hex_Text(pattern(1)));
    com.queueReply('s', "xxFF010000");
    main->ReadIC();
    EXPECT_EQ(traceText(), QLatin1String("l|wait2000 open -|s|wait2000 open -|a|wait1000 closed -|s|wait1000 open -"));
    // The nested status request armed the status reader; ReadIC restarted the poll.
    EXPECT_TRUE(main->Timer2->isActive());
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_TRUE(doc->burnerPanel()->Label96->isVisibleTo(doc));
}

TEST_F(BurnerCommands, ReadIcWithoutAStatusReplyKeepsThePanel)
{
    // A silent status must not read as "everything on" (which would also switch the
    // burner's automatic serial numbers on).
    frmDocument* doc = newDocument();
    BurnerPanel* panel = doc->burnerPanel();
    panel->Label150->setText(QStringLiteral("keep"));
    for (const QByteArray& status : { QByteArray(), QByteArray("xxFF01FF") }) {
        forget();
        com.queueReply('l', Image_Hex_Text(pattern(3)));
        com.queueReply('s', status);
        main->ReadIC();
        EXPECT_EQ(com.letters(), QByteArray("ls"));
        EXPECT_EQ(BurnerPanel::Check_Value(panel->Check1), 0);
        EXPECT_EQ(BurnerPanel::Check_Value(panel->Check4), 0);
        EXPECT_EQ(panel->Label150->text(), QStringLiteral("keep"));
        EXPECT_EQ(doc->SPD.Spd_Value, pattern(3));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, QStringLiteral("*****   電腦讀取機器 SPD 成功!   ***** "));
    }
}

// ---------------------------------------------------------------- comparing

TEST_F(BurnerCommands, CompareAndReadBackReportMatchMismatchAndError)
{
    struct Case {
        const char* name;
        std::function<void(frmMain&)> run;
        const char* trace;
        QString same, differ, error;
        Dialogs::Icon differIcon;
    };
    const std::vector<Case> cases = {
        { "VerifyIc", [](frmMain& m) { m.VerifyIc(); }, "l|wait4000 open -",
          QStringLiteral("      *****   PC 與 SPD 機器比對成功 !    *****      "),
          QStringLiteral("      *****   PC 與 SPD 機器比對失敗 !    *****      "),
          QStringLiteral("      *****   PC 與 SPD 機器比對失敗 !    *****      "), Dialogs::Critical },
        { "VcopyIc", [](frmMain& m) { m.VcopyIc(); }, "l|wait2000 open -",
          QStringLiteral("      *****    SPD 檔案下傳成功 !    *****      "),
          QStringLiteral("      *****    SPD 檔案下傳失敗 !    *****      "),
          QStringLiteral("      *****    SPD 檔案下傳失敗 !   *****      "), Dialogs::Critical },
    };
    frmDocument* doc = newDocument();
    const auto image = pattern(9);
    for (int i = 0; i < 256; ++i) doc->Value_Chang(static_cast<int16_t>(i), image[static_cast<size_t>(i)]);
    auto differing = image;
    differing[255] ^= 0x01;
    QByteArray lower = Image_Hex_Text(image).toLower();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        struct Reply { QByteArray text; const QString* message; Dialogs::Icon icon; QString title; };
        const std::vector<Reply> replies = {
            { Image_Hex_Text(image), &c.same, Dialogs::NoIcon, QString() },
            { lower, &c.same, Dialogs::NoIcon, QString() },
            { Image_Hex_Text(differing), &c.differ, c.differIcon, kErr },
            { Image_Hex_Text(image).left(510), &c.error, Dialogs::Critical, kErr },
            { QByteArray(), &c.error, Dialogs::Critical, kErr },
        };
        for (const Reply& r : replies) {
            forget();
            com.queueReply('l', r.text);
            c.run(*main);
            EXPECT_EQ(traceText(), QLatin1String(c.trace));
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, *r.message);
            EXPECT_EQ(shown[0].icon, r.icon);
            EXPECT_EQ(shown[0].title, r.title);
            // The result is shown before the poll runs again.
            EXPECT_FALSE(shown[0].timer1Running);
            EXPECT_TRUE(main->Timer1->isActive());
            EXPECT_EQ(doc->SPD.Spd_Value, image);   // nothing written
        }
    }
}

TEST_F(BurnerCommands, AnEditDuringTheCompareWaitIsSeen)
{
    frmDocument* doc = newDocument();
    com.queueReply('l', Image_Hex_Text(filled(0)));
    doc->Value_Chang(100, 0x55);
    onWait = [&] { doc->Value_Chang(100, 0x00); };
    main->VerifyIc();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("      *****   PC 與 SPD 機器比對成功 !    *****      "));
}

TEST_F(BurnerCommands, BlankCheck)
{
    struct Case {
        const char* name;
        QByteArray reply;
        QStringList messages;
    };
    auto notBlank = Image_Hex_Text(filled(0xFF));
    notBlank.replace(0, 2, "FE");
    auto lastNotBlank = Image_Hex_Text(filled(0xFF));
    lastNotBlank.replace(510, 2, "00");
    const QString ok = QStringLiteral("      *****   PC Load Data is OK !   *****      ");
    const QString notBlankText = QStringLiteral("The IC is not Blank");
    const std::vector<Case> cases = {
        { "blank", Image_Hex_Text(filled(0xFF)), { ok } },
        { "lower-case ff", Image_Hex_Text(filled(0xFF)).toLower(), { ok } },
        { "byte 0 FE", notBlank, { notBlankText, ok } },
        { "byte 255 00", lastNotBlank, { notBlankText, ok } },
        // The check stops at the first byte that is not 0xFF, before the reply runs out.
        { "cut short after a programmed byte", "FF00", { notBlankText, ok } },
        { "cut short while blank", Image_Hex_Text(filled(0xFF)).left(300), { QStringLiteral("Load Data Fail") } },
        { "garbled after a programmed byte", "FF00G", { notBlankText, ok } },
        { "garbled while blank", Image_Hex_Text(filled(0xFF)).replace(301, 1, "?"), { QStringLiteral("Load Data Fail") } },
        { "silent", QByteArray(), { QStringLiteral("Load Data Fail") } },
    };
    frmDocument* doc = newDocument();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forget();
        com.queueReply('L', c.reply);
        main->BlankIC();
        EXPECT_EQ(traceText(), QLatin1String("L|wait1000 open -"));
        ASSERT_EQ(static_cast<int>(shown.size()), c.messages.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].text, c.messages[static_cast<int>(i)]);
            EXPECT_EQ(shown[i].icon, Dialogs::NoIcon);
            EXPECT_EQ(shown[i].title, QString());
        }
        // "not blank" comes before the poll is restarted, the closing message after.
        if (c.messages.size() == 2) {
            EXPECT_FALSE(shown[0].timer1Running);
            EXPECT_TRUE(shown[1].timer1Running);
        }
        EXPECT_TRUE(main->Timer1->isActive());
        EXPECT_EQ(doc->SPD.Spd_Value, filled(0));
    }
}

// ---------------------------------------------------------------- download

TEST_F(BurnerCommands, DownloadSendsSixteenPacedFramesAndClosesThePort)
{
    frmDocument* doc = newDocument();
    const auto image = pattern(21);
    for (int i = 0; i < 256; ++i) doc->Value_Chang(static_cast<int16_t>(i), image[static_cast<size_t>(i)]);
    main->Timer1->start();
    bool timer1Paused = false;
    onWait = [&] { if (!main->Timer1->isActive()) timer1Paused = true; };
    EXPECT_TRUE(main->ProgramIC());
    ASSERT_EQ(com.outputs.size(), 16);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(com.outputs[k], Program_Frame(k, image)) << k;
        EXPECT_EQ(com.outputs[k].size(), 36);
    }
    EXPECT_EQ(com.outputs[10].left(3), QByteArray("wX:"));
    EXPECT_EQ(com.outputs[10].mid(3, 32), Image_Hex_Text(image).mid(320, 32));
    EXPECT_EQ(com.outputs[15].left(3), QByteArray("wX?"));
    // One pacing wait after every frame; the poll keeps running (nothing answers).
    EXPECT_EQ(trace.count(QStringLiteral("w")), 16);
    EXPECT_EQ(trace.size(), 32);
    EXPECT_FALSE(timer1Paused);
    EXPECT_FALSE(com.isOpen());
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_FALSE(main->Timer3->isActive());
    EXPECT_TRUE(Prog_Frame_Ready);
    EXPECT_TRUE(shown.empty());
}

TEST_F(BurnerCommands, EachFrameReadsItsBytesWhenItIsBuilt)
{
    frmDocument* doc = newDocument();
    bool edited = false;
    onWait = [&] {
        if (!edited) {
            edited = true;
            doc->Value_Chang(0, 0xAA);    // already sent
            doc->Value_Chang(16, 0xBB);   // in the next frame
        }
    };
    main->ProgramIC();
    ASSERT_EQ(com.outputs.size(), 16);
    EXPECT_EQ(com.outputs[0].mid(3, 2), QByteArray("00"));
    EXPECT_EQ(com.outputs[1].mid(3, 2), QByteArray("BB"));
}

TEST_F(BurnerCommands, DownloadGoesOnWhenThePacingTimerNeverTicks)
{
    newDocument();
    pacing = false;
    const qint64 before = clock.waitedMs;
    main->ProgramIC();
    EXPECT_EQ(com.outputs.size(), 16);
    EXPECT_LE(clock.waitedMs - before, 16 * (frmMain::Frame_Pacing_Limit_Ms + 20));
    EXPECT_TRUE(shown.empty());
}

TEST_F(BurnerCommands, DownloadFailures)
{
    struct Case {
        const char* name;
        bool withDocument, openFails, outputFails;
        int framesSent;
        bool portOpen;
    };
    const std::vector<Case> cases = {
        { "no document", false, false, false, 0, true },
        { "port cannot be opened", true, true, false, 0, false },
        { "write fails", true, false, true, 0, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        if (c.withDocument) newDocument();
        com.close();
        com.setOpenFails(1, c.openFails);
        com.setOutputFails(c.outputFails);
        main->Timer1->stop();
        forget();
        EXPECT_FALSE(main->ProgramIC());
        EXPECT_EQ(com.outputs.size(), c.framesSent);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, QStringLiteral("      *****   SPD 檔案下傳失敗 !   *****      "));
        EXPECT_EQ(shown[0].icon, Dialogs::Critical);
        EXPECT_EQ(shown[0].title, kErr);
        // Left as they were when it failed: the pacing timer armed, the poll untouched.
        EXPECT_TRUE(main->Timer3->isActive());
        EXPECT_FALSE(main->Timer1->isActive());
        EXPECT_EQ(com.isOpen(), c.portOpen);
        com.setOpenFails(1, false);
        com.setOutputFails(false);
    }
}

TEST_F(BurnerCommands, DownloadButtonIsFollowedByTheReadBack)
{
    frmDocument* doc = newDocument();
    const auto image = pattern(33);
    for (int i = 0; i < 256; ++i) doc->Value_Chang(static_cast<int16_t>(i), image[static_cast<size_t>(i)]);
    com.queueReply('l', Image_Hex_Text(image));
    doc->burnerPanel()->Command1->click();
    EXPECT_EQ(com.letters(), QByteArray(16, 'w') + "l");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("      *****    SPD 檔案下傳成功 !    *****      "));

    // A blank document activated during the frames: the burner is still compared with
    // the document whose image was sent.
    frmDocument* blank = newDocument();
    main->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(doc->parentWidget()));
    onWait = [&] { main->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(blank->parentWidget())); };
    com.queueReply('l', Image_Hex_Text(image));
    doc->burnerPanel()->Command1->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("      *****    SPD 檔案下傳成功 !    *****      "));
}
