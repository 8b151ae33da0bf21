// The document's burner panel: captions and tips, and what each control does when used.
// The main window stands behind Main_Form as a recorder of the operations called.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "burner/ui/burner_panel.h"
#include "burner/ui/result_poll.h"
#include "spd_document/globals.h"
#include "spd_document/main_form_api.h"
#include "support/event_wait.h"

namespace {

class RecordingMain : public MainFormApi {
public:
    DocumentApi* ActiveDocument() override { return nullptr; }
    bool mnuFileSave_Click() override { return note("mnuFileSave_Click"); }
    void STATUSIC() override { note("STATUSIC"); }
    void StopTimer2() override { note("StopTimer2"); }
    void ReadIC() override { note("ReadIC"); }
    void ReadModule() override { note("ReadModule"); }
    bool ProgramIC() override { return note("ProgramIC") && downloadSent; }
    void VerifyIc() override { note("VerifyIc"); }
    void VcopyIc() override { note("VcopyIc"); }
    void BlankIC() override { note("BlankIC"); }
    void EraseIC() override { note("EraseIC"); }
    void Read_Command() override { note("Read_Command"); }
    void Copy_Command() override { note("Copy_Command"); }
    void Verify_Command() override { note("Verify_Command"); }
    void Mcopy_Command() override { note("Mcopy_Command"); }
    void EN_KEY_Command() override { note("EN_KEY_Command"); }
    void DIS_KEY_Command() override { note("DIS_KEY_Command"); }
    void Auto_Command(bool on) override { note(on ? "Auto_Command(on)" : "Auto_Command(off)"); }
    void SNUM_P_Command() override { note("SNUM_P_Command"); }
    void SNUM_N_Command() override { note("SNUM_N_Command"); }
    bool Burner_Busy() const override { return busy; }

    QStringList calls;
    bool busy = false;   // what Burner_Busy reports
    std::function<void(const QString&)> onCall;
    bool downloadSent = true;   // what ProgramIC reports

private:
    bool note(const char* name)
    {
        calls << QString::fromLatin1(name);
        if (onCall) onCall(calls.last());
        return true;
    }
};

class BurnerPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Globals();
        Main_Form = &recorder;
        host = std::make_unique<QWidget>();
        host->resize(1100, 500);
        panel = new BurnerPanel(host.get());
    }
    void TearDown() override
    {
        host.reset();
        Reset_Globals();
    }

    // Shows the panel in an active window, for handlers tied to the mouse and the focus.
    void showActive()
    {
        host->show();
        QApplication::setActiveWindow(host.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get(), Event_Wait_Ms));
    }

    // Runs what the press and focus handlers left for after the event.
    void settle() { QCoreApplication::processEvents(); }

    QStringList takeCalls()
    {
        QStringList c = recorder.calls;
        recorder.calls.clear();
        return c;
    }

    RecordingMain recorder;
    std::unique_ptr<QWidget> host;
    BurnerPanel* panel = nullptr;
};

} // namespace

TEST_F(BurnerPanelTest, CaptionsAndTips)
{
    struct Case { QWidget* w; QString caption; QString tip; };
    const std::vector<Case> buttons = {
        { panel->Command1, QStringLiteral("下   傳 =>"), QStringLiteral("檔案下傳到SPD燒錄機") },
        { panel->Command2, QStringLiteral("<= 讀取燒錄機"), QStringLiteral("讀取燒錄機SPD值") },
        { panel->Command3, QStringLiteral("<=  比  對  =>"), QStringLiteral("電腦與燒錄機做比對") },
        { panel->Command4, QStringLiteral("清除 (00) =>"), QStringLiteral("清除燒錄機SPD值") },
        { panel->Command5, QStringLiteral("讀 取"), QStringLiteral("讀取模組SPD值到燒錄機") },
        { panel->Command6, QStringLiteral("拷 貝"), QStringLiteral("將燒錄機SPD值拷貝到模組") },
        { panel->Command7, QStringLiteral("比 對"), QStringLiteral("燒錄機與模組做比對") },
        { panel->Command8, QStringLiteral("連片複製+比對"), QStringLiteral("燒錄機SPD值拷貝到燒錄連板") },
        { panel->Command9, QStringLiteral("<= 讀取模組"), QStringLiteral("讀取模組SPD值") },
        { panel->Command10, QStringLiteral("重置"), QString() },
        { panel->Check1, QStringLiteral("自動產生序號"), QString() },
        { panel->Check4, QStringLiteral("燒錄機按鍵上鎖"), QString() },
        { panel->Option1[0], QStringLiteral("由低至高"), QString() },
        { panel->Option1[1], QStringLiteral("由高至低"), QString() },
    };
    for (const Case& c : buttons) {
        EXPECT_EQ(static_cast<QAbstractButton*>(c.w)->text(), c.caption);
        EXPECT_EQ(c.w->toolTip(), c.tip) << c.caption.toStdString();
    }
    const std::vector<std::pair<QGroupBox*, QString>> frames = {
        { panel->Frame4, QStringLiteral("SPD 燒錄器") }, { panel->Frame12, QStringLiteral("自動序號選擇") },
        { panel->Frame6, QStringLiteral("SPD 燒錄機") }, { panel->Frame7, QStringLiteral("燒錄狀態") },
        { panel->Frame8, QStringLiteral("燒錄次數") },
    };
    for (const auto& [frame, title] : frames) EXPECT_EQ(frame->title(), title);
    EXPECT_EQ(panel->Frame12->parentWidget(), panel->Frame4);
    EXPECT_EQ(panel->Frame6->parentWidget(), panel->Frame4);
    EXPECT_EQ(panel->Command9->parentWidget(), panel->Frame4);
    EXPECT_EQ(panel->Check4->parentWidget(), panel->Frame6);
    EXPECT_EQ(panel->Command10->parentWidget(), panel->Frame8);

    const std::vector<std::pair<QLabel*, QString>> labels = {
        { panel->Label96, QStringLiteral("00000000") }, { panel->Label151, QStringLiteral("序號") },
        { panel->Label149, QString() }, { panel->Label150, QString() },
        { panel->Label92, QStringLiteral("成功 :") }, { panel->Label94, QStringLiteral("0") },
        { panel->Label93, QStringLiteral("失敗 :") }, { panel->Label95, QStringLiteral("0") },
    };
    for (const auto& [label, caption] : labels) EXPECT_EQ(label->text(), caption);
    for (int k = 0; k < 8; ++k) {
        const size_t i = static_cast<size_t>(k);
        EXPECT_EQ(panel->SocketName[i]->text(), QStringLiteral("DIMM%1").arg(k + 1));
        EXPECT_EQ(panel->SocketPass[i]->text(), QStringLiteral("PASS"));
        EXPECT_EQ(panel->SocketFail[i]->text(), QStringLiteral("FAIL"));
        EXPECT_EQ(panel->SocketSerial[i]->text(), QStringLiteral("00000000"));
        for (QWidget* w : { static_cast<QWidget*>(panel->SocketName[i]), static_cast<QWidget*>(panel->SocketPass[i]),
                            static_cast<QWidget*>(panel->SocketFail[i]), static_cast<QWidget*>(panel->SocketSerial[i]),
                            static_cast<QWidget*>(panel->SocketImage[i]) })
            EXPECT_EQ(w->parentWidget(), panel->Frame7);
        EXPECT_FALSE(panel->SocketImage[i]->pixmap().isNull());
    }
}

TEST_F(BurnerPanelTest, ButtonsCallTheMainWindowsOperations)
{
    struct Case { QPushButton* button; QStringList calls; };
    const std::vector<Case> cases = {
        { panel->Command1, { QStringLiteral("ProgramIC"), QStringLiteral("VcopyIc") } },
        { panel->Command2, { QStringLiteral("ReadIC") } },
        { panel->Command3, { QStringLiteral("VerifyIc") } },
        { panel->Command4, { QStringLiteral("EraseIC") } },
        { panel->Command5, { QStringLiteral("Read_Command") } },
        { panel->Command6, { QStringLiteral("Copy_Command") } },
        { panel->Command7, { QStringLiteral("Verify_Command") } },
        { panel->Command8, { QStringLiteral("Mcopy_Command") } },
        { panel->Command9, { QStringLiteral("ReadModule") } },
        { panel->Command10, {} },
    };
    showActive();
    for (const Case& c : cases) {
        QTest::mouseClick(c.button, Qt::LeftButton);
        settle();
        EXPECT_EQ(takeCalls(), c.calls) << c.button->text().toStdString();
    }
    // A download that could not be sent has shown its failure: no read-back follows.
    recorder.downloadSent = false;
    QTest::mouseClick(panel->Command1, Qt::LeftButton);
    settle();
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("ProgramIC") }));
}

TEST_F(BurnerPanelTest, GangCopyHidesEveryMarkBeforeItStarts)
{
    bool allHiddenAtCall = false;
    host->show();
    recorder.onCall = [&](const QString& name) {
        if (name != QLatin1String("Mcopy_Command")) return;
        allHiddenAtCall = true;
        for (size_t i = 0; i < 8; ++i)
            allHiddenAtCall = allHiddenAtCall && !panel->SocketPass[i]->isVisible() && !panel->SocketFail[i]->isVisible();
    };
    panel->Command8_Click();
    EXPECT_TRUE(allHiddenAtCall);
    // The caption names the burner's gang mode; the button sends the gang copy whatever it says.
    panel->Command8->setText(QStringLiteral("連片比對88"));
    panel->Command8->click();
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("Mcopy_Command"), QStringLiteral("Mcopy_Command") }));
}

TEST_F(BurnerPanelTest, ResetSetsBothCountsAndTouchesNothingElse)
{
    panel->Label94->setText(QStringLiteral("120"));
    panel->Label95->setText(QStringLiteral("8"));
    panel->Label96->setText(QStringLiteral("00000777"));
    panel->SocketSerial[2]->setText(QStringLiteral("00000003"));
    panel->Command10->click();
    EXPECT_EQ(panel->Label94->text(), QStringLiteral("0"));
    EXPECT_EQ(panel->Label95->text(), QStringLiteral("0"));
    EXPECT_EQ(panel->Label96->text(), QStringLiteral("00000777"));
    EXPECT_EQ(panel->SocketSerial[2]->text(), QStringLiteral("00000003"));
    EXPECT_TRUE(takeCalls().isEmpty());
}

TEST_F(BurnerPanelTest, AutoSerialBoxShowsOrHidesTheSerialsBeforeSwitching)
{
    showActive();
    struct Seen { bool visible; QStringList serials; };
    Seen seen{};
    recorder.onCall = [&](const QString&) {
        seen.visible = panel->Label96->isVisible() && panel->Label151->isVisible();
        seen.serials.clear();
        for (QLabel* l : panel->SocketSerial) {
            seen.visible = seen.visible && l->isVisible();
            seen.serials << l->text();
        }
    };
    for (QLabel* l : panel->SocketSerial) l->setText(QStringLiteral("00001234"));

    QTest::mouseClick(panel->Check1, Qt::LeftButton);   // ticked
    settle();
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("Auto_Command(on)") }));
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(seen.serials, QStringList(8, QStringLiteral("00000000")));

    for (QLabel* l : panel->SocketSerial) l->setText(QStringLiteral("00001234"));
    QTest::mouseClick(panel->Check1, Qt::LeftButton);   // cleared
    settle();
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("Auto_Command(off)") }));
    EXPECT_FALSE(seen.visible);   // hidden before "z" goes out
    EXPECT_FALSE(panel->Label96->isVisible());
    EXPECT_FALSE(panel->Label151->isVisible());
    EXPECT_EQ(seen.serials, QStringList(8, QStringLiteral("00000000")));
}

TEST_F(BurnerPanelTest, AChangeOfTheAutoSerialValueBySomeoneElseCountsAsAClick)
{
    BurnerPanel::Set_Check_Value(panel->Check1, 1);
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("Auto_Command(on)") }));
    BurnerPanel::Set_Check_Value(panel->Check1, 1);   // unchanged: nothing
    EXPECT_TRUE(takeCalls().isEmpty());
    BurnerPanel::Set_Check_Value(panel->Check1, 0);
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("Auto_Command(off)") }));
    // A grey box is "not 1": the switch goes off.
    panel->Check1->setTristate(true);
    panel->Check1->setCheckState(Qt::PartiallyChecked);
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("Auto_Command(off)") }));
}

TEST_F(BurnerPanelTest, KeypadBoxSendsTheStateItShows)
{
    showActive();
    // The command waits with the main window busy; the release of the click may come
    // during that wait or before it.
    bool released = false;
    auto release = [&] {
        if (!released) (released = true, QTest::mouseRelease(panel->Check4, Qt::LeftButton));
    };
    recorder.onCall = [&](const QString&) { recorder.busy = true, release(), recorder.busy = false; };
    for (const auto& [after, call] : { std::pair<int, const char*>{ 1, "DIS_KEY_Command" }, { 0, "EN_KEY_Command" } }) {
        released = false;
        QTest::mousePress(panel->Check4, Qt::LeftButton);
        settle();
        release();
        settle();
        EXPECT_EQ(takeCalls(), QStringList({ QString::fromLatin1(call) }));
        EXPECT_EQ(BurnerPanel::Check_Value(panel->Check4), after);
        EXPECT_EQ(panel->Command6->isEnabled(), after == 1);
    }
    recorder.onCall = nullptr;
    // Space toggles and sends as a click does; another button toggles nothing and sends nothing.
    QTest::keyClick(panel->Check4, Qt::Key_Space);
    QTest::mouseClick(panel->Check4, Qt::RightButton);
    settle();
    EXPECT_EQ(takeCalls(), QStringList({ QStringLiteral("DIS_KEY_Command") }));
    EXPECT_EQ(BurnerPanel::Check_Value(panel->Check4), 1);

    // A status reader setting the box sends nothing.
    BurnerPanel::Set_Check_Value(panel->Check4, 0);
    settle();
    EXPECT_TRUE(takeCalls().isEmpty());

    // Disabled (no administrator rights): a press neither sends nor unlocks the copy key.
    panel->Command1->setFocus(Qt::OtherFocusReason);
    panel->Check4->setEnabled(false);
    panel->Command6->setEnabled(false);
    for (Qt::MouseButton b : { Qt::LeftButton, Qt::RightButton }) QTest::mouseClick(panel->Check4, b);
    settle();
    EXPECT_TRUE(takeCalls().isEmpty());
    EXPECT_FALSE(panel->Command6->isEnabled());
    EXPECT_EQ(BurnerPanel::Check_Value(panel->Check4), 0);
}

TEST_F(BurnerPanelTest, KeypadHandlerCalledDirectly)
{
    struct Case { int value; const char* call; bool command6; };
    const std::vector<Case> cases = { { 1, "DIS_KEY_Command", true }, { 0, "EN_KEY_Command", false }, { 2, "DIS_KEY_Command", true } };
    for (const Case& c : cases) {
        panel->Check4->setTristate(c.value == 2);
        panel->Check4->setCheckState(c.value == 0 ? Qt::Unchecked : c.value == 1 ? Qt::Checked : Qt::PartiallyChecked);
        panel->Check4_Click();
        EXPECT_EQ(takeCalls(), QStringList({ QString::fromLatin1(c.call) })) << c.value;
        EXPECT_EQ(panel->Command6->isEnabled(), c.command6) << c.value;
    }
}

TEST_F(BurnerPanelTest, DirectionOptionsSendTheLetterOfTheOptionChosenByTheMove)
{
    // "N" for element 1 "由高至低", "n" for element 0 "由低至高": the option chosen once the
    // move is over, whether a click, an arrow key (which chooses before the focus comes)
    // or Tab onto the option already chosen.
    QRadioButton* const* o = panel->Option1.data();
    struct Case { const char* name; int chosen; QWidget* from; std::function<void()> move; const char* call; int after; };
    const std::vector<Case> cases = {
        { "click 1", 0, panel->Command1, [&] { QTest::mouseClick(o[1], Qt::LeftButton); }, "SNUM_N_Command", 1 },
        { "click 0", 1, panel->Command1, [&] { QTest::mouseClick(o[0], Qt::LeftButton); }, "SNUM_P_Command", 0 },
        { "click 0 chosen", 0, panel->Command1, [&] { QTest::mouseClick(o[0], Qt::LeftButton); }, "SNUM_P_Command", 0 },
        { "down", 0, o[0], [&] { QTest::keyClick(o[0], Qt::Key_Down); }, "SNUM_N_Command", 1 },
        { "up", 1, o[1], [&] { QTest::keyClick(o[1], Qt::Key_Up); }, "SNUM_P_Command", 0 },
        { "tab onto 0", 0, panel->Command1, [&] { o[0]->setFocus(Qt::TabFocusReason); }, "SNUM_P_Command", 0 },
        { "tab onto 1", 1, panel->Command1, [&] { o[1]->setFocus(Qt::TabFocusReason); }, "SNUM_N_Command", 1 },
        { "backtab onto 1", 1, panel->Command1, [&] { o[1]->setFocus(Qt::BacktabFocusReason); }, "SNUM_N_Command", 1 },
        // A status reply moved the choice away from the option that kept the focus.
        { "click 1 focused", 0, o[1], [&] { QTest::mouseClick(o[1], Qt::LeftButton); }, "SNUM_N_Command", 1 },
        { "space on 1 focused", 0, o[1], [&] { QTest::keyClick(o[1], Qt::Key_Space); }, "SNUM_N_Command", 1 },
        { "click 1 chosen and focused", 1, o[1], [&] { QTest::mouseClick(o[1], Qt::LeftButton); }, "SNUM_N_Command", 1 },
    };
    showActive();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        o[c.chosen]->setChecked(true);
        c.from->setFocus(Qt::OtherFocusReason);
        settle();
        takeCalls();
        c.move();
        settle();
        EXPECT_EQ(takeCalls().join(QLatin1Char(' ')).toStdString(), c.call);
        EXPECT_TRUE(o[c.after]->isChecked());
    }
    // A press dragged off the option chooses nothing.
    o[0]->setChecked(true);
    QTest::mousePress(o[1], Qt::LeftButton);
    QTest::mouseRelease(o[1], Qt::LeftButton, {}, QPoint(-40, -40));
    settle();
    EXPECT_TRUE(takeCalls().isEmpty());
}

TEST_F(BurnerPanelTest, FocusHandedBackIsNoChoice)
{
    // Focus given back when a window or message box closes must not repeat the command
    // (a failing one would otherwise come back for ever).
    showActive();
    panel->Command1->setFocus(Qt::OtherFocusReason);
    for (Qt::FocusReason reason : { Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::OtherFocusReason }) {
        panel->Command1->setFocus(Qt::OtherFocusReason);
        panel->Option1[0]->setFocus(reason);
        settle();
        EXPECT_TRUE(takeCalls().isEmpty()) << reason;
    }
    // Focus that Qt passes on when the program disables or hides the control that has it
    // comes with the Tab reason, but it is no move of the user's.
    for (bool hide : { false, true }) {
        panel->Command1->setEnabled(true);
        panel->Command1->setVisible(true);
        QWidget::setTabOrder(panel->Command1, panel->Option1[0]);
        panel->Command1->setFocus(Qt::OtherFocusReason);
        hide ? panel->Command1->hide() : panel->Command1->setEnabled(false);
        ASSERT_TRUE(panel->Option1[0]->hasFocus()) << hide;
        settle();
        EXPECT_TRUE(takeCalls().isEmpty()) << hide;
    }
    // Status readers select an option without sending anything.
    panel->Option1[1]->setChecked(true);
    panel->Option1[0]->setChecked(true);
    settle();
    EXPECT_TRUE(takeCalls().isEmpty());
}

TEST_F(BurnerPanelTest, HandlersWithoutAMainWindowDoNothing)
{
    Main_Form = nullptr;
    panel->Command1_Click();
    panel->Check4_Click();
    BurnerPanel::Set_Check_Value(panel->Check1, 1);
    panel->Option1_Act(true);
    EXPECT_TRUE(recorder.calls.isEmpty());
}

TEST_F(BurnerPanelTest, ResultPollOutcomeIsShownAsItStands)
{
    host->show();
    Result_Poll_Outcome o;
    o.frameAccepted = true;
    o.countersChanged = true;
    o.successCount = QStringLiteral("6");
    o.failureCount = QStringLiteral("2");
    o.currentSerial = QStringLiteral("00000009");
    for (int k = 0; k < 8; ++k) {
        o.sockets[static_cast<size_t>(k)].failed = k == 0 || k == 2;
        o.sockets[static_cast<size_t>(k)].serial = QStringLiteral("0000000%1").arg(k);
    }
    panel->showResultPoll(o);
    for (size_t i = 0; i < 8; ++i) {
        const bool failed = i == 0 || i == 2;
        EXPECT_EQ(panel->SocketPass[i]->isVisible(), !failed) << i;
        EXPECT_EQ(panel->SocketFail[i]->isVisible(), failed) << i;
        EXPECT_EQ(panel->SocketImage[i]->isVisible(), !failed) << i;
        EXPECT_EQ(panel->SocketSerial[i]->text(), QStringLiteral("0000000%1").arg(i));
    }
    EXPECT_EQ(panel->Label94->text(), QStringLiteral("6"));
    EXPECT_EQ(panel->Label95->text(), QStringLiteral("2"));
    EXPECT_EQ(panel->Label96->text(), QStringLiteral("00000009"));
}
