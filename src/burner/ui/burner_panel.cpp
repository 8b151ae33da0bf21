#include "burner/ui/burner_panel.h"
#include "platform/ui/user_focus.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "burner/burner_frames.h"
#include "burner/ui/result_poll.h"
#include "platform/twips.h"
#include "spd_document/globals.h"
#include "spd_document/main_form_api.h"

namespace {
QRect tw(int l, int t, int w, int h)
{
    return QRect(twipsToPixels(l), twipsToPixels(t), twipsToPixels(w), twipsToPixels(h));
}

QPushButton* button(QWidget* parent, const QString& caption, const QString& tip, const QRect& r)
{
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(tip);
    b->setGeometry(r);
    return b;
}

QLabel* label(QWidget* parent, const QString& caption, const QRect& r)
{
    auto* l = new QLabel(caption, parent);
    l->setGeometry(r);
    return l;
}

// The picture of a socket: a memory module seen from the front.
QPixmap socketPicture(const QSize& size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const int w = size.width();
    const int h = size.height();
    const QRect board(0, h / 6, w - 1, h * 2 / 3);
    p.fillRect(board, QColor(0x1f, 0x7a, 0x3a));
    p.setPen(QColor(0x0e, 0x40, 0x1d));
    p.drawRect(board);
    const int chips = 4;
    const int chipW = qMax(2, (w - 2) / chips - 2);
    for (int c = 0; c < chips; ++c)
        p.fillRect(QRect(2 + c * (chipW + 2), board.top() + 2, chipW, board.height() / 2), QColor(0x20, 0x20, 0x20));
    for (int x = 1; x < w - 1; x += 2)
        p.fillRect(QRect(x, board.bottom() - 2, 1, 2), QColor(0xd4, 0xaf, 0x37));
    return pm;
}

template <typename Fn>
void forwardToMain(Fn fn)
{
    if (Main_Form) fn(*Main_Form);
}

// The main window refuses burner commands while one waits; the panel's own controls then
// keep what they show, so that they never show a setting the burner was not given.
bool mainBusy()
{
    return Main_Form && Main_Form->Burner_Busy();
}

bool isUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}
}

BurnerPanel::BurnerPanel(QWidget* host) : QObject(host)
{
    // Frame4 "SPD 燒錄器" right of the grid.
    Frame4 = new QGroupBox(QStringLiteral("SPD 燒錄器"), host);
    Frame4->setGeometry(tw(6600, 0, 4200, 6600));

    Command1 = button(Frame4, QStringLiteral("下   傳 =>"), QStringLiteral("檔案下傳到SPD燒錄機"), tw(120, 300, 1900, 360));
    Command2 = button(Frame4, QStringLiteral("<= 讀取燒錄機"), QStringLiteral("讀取燒錄機SPD值"), tw(120, 700, 1900, 360));
    Command3 = button(Frame4, QStringLiteral("<=  比  對  =>"), QStringLiteral("電腦與燒錄機做比對"), tw(120, 1100, 1900, 360));
    Command4 = button(Frame4, QStringLiteral("清除 (00) =>"), QStringLiteral("清除燒錄機SPD值"), tw(120, 1500, 1900, 360));
    Command9 = button(Frame4, QStringLiteral("<= 讀取模組"), QStringLiteral("讀取模組SPD值"), tw(120, 1900, 1900, 360));

    Frame6 = new QGroupBox(QStringLiteral("SPD 燒錄機"), Frame4);
    Frame6->setGeometry(tw(2120, 240, 1960, 2880));
    Command5 = button(Frame6, QStringLiteral("讀 取"), QStringLiteral("讀取模組SPD值到燒錄機"), tw(100, 260, 1760, 330));
    Command6 = button(Frame6, QStringLiteral("拷 貝"), QStringLiteral("將燒錄機SPD值拷貝到模組"), tw(100, 620, 1760, 330));
    Command7 = button(Frame6, QStringLiteral("比 對"), QStringLiteral("燒錄機與模組做比對"), tw(100, 980, 1760, 330));
    Command8 = button(Frame6, QStringLiteral("連片複製+比對"), QStringLiteral("燒錄機SPD值拷貝到燒錄連板"), tw(100, 1340, 1760, 330));
    Check1 = new QCheckBox(QStringLiteral("自動產生序號"), Frame6);
    Check1->setGeometry(tw(100, 1720, 1760, 280));
    Check4 = new QCheckBox(QStringLiteral("燒錄機按鍵上鎖"), Frame6);
    Check4->setGeometry(tw(100, 2010, 1760, 280));
    Label96 = label(Frame6, QStringLiteral("00000000"), tw(100, 2300, 1000, 250));
    Label149 = label(Frame6, QString(), tw(1100, 2300, 800, 250));
    // The frame's picture: the burner itself.
    auto* burnerPicture = new QLabel(Frame6);
    burnerPicture->setGeometry(tw(100, 2580, 1760, 240));
    burnerPicture->setPixmap(socketPicture(QSize(twipsToPixels(420), twipsToPixels(240))));

    Frame12 = new QGroupBox(QStringLiteral("自動序號選擇"), Frame4);
    Frame12->setGeometry(tw(120, 2340, 1900, 800));
    Option1[0] = new QRadioButton(QStringLiteral("由低至高"), Frame12);
    Option1[0]->setGeometry(tw(100, 220, 1700, 260));
    Option1[1] = new QRadioButton(QStringLiteral("由高至低"), Frame12);
    Option1[1]->setGeometry(tw(100, 490, 1700, 260));

    // Frame7 "燒錄狀態": one row per socket.
    Frame7 = new QGroupBox(QStringLiteral("燒錄狀態"), host);
    Frame7->setGeometry(tw(10900, 0, 3600, 4100));
    Label151 = label(Frame7, QStringLiteral("序號"), tw(2280, 220, 1200, 250));
    Label150 = label(Frame7, QString(), tw(120, 220, 1000, 250));   // filled by a status
    const QSize pictureSize(twipsToPixels(300), twipsToPixels(200));
    for (int s = 0; s < 8; ++s) {
        const size_t i = static_cast<size_t>(s);
        const int y = 520 + s * 420;
        SocketImage[i] = label(Frame7, QString(), tw(100, y + 25, 300, 200));
        SocketImage[i]->setPixmap(socketPicture(pictureSize));
        SocketName[i] = label(Frame7, QStringLiteral("DIMM%1").arg(s + 1), tw(460, y, 720, 250));
        SocketPass[i] = label(Frame7, QStringLiteral("PASS"), tw(1200, y, 540, 250));
        SocketPass[i]->setStyleSheet(QStringLiteral("color: #008000; font-weight: bold;"));
        SocketFail[i] = label(Frame7, QStringLiteral("FAIL"), tw(1740, y, 540, 250));
        SocketFail[i]->setStyleSheet(QStringLiteral("color: #ff0000; font-weight: bold;"));
        SocketSerial[i] = label(Frame7, QStringLiteral("00000000"), tw(2280, y, 1200, 250));
        SocketSpare[i] = label(Frame7, QString(), tw(3480, y, 60, 250));
    }

    // Frame8 "燒錄次數": success and failure counts.
    Frame8 = new QGroupBox(QStringLiteral("燒錄次數"), host);
    Frame8->setGeometry(tw(10900, 4200, 3600, 1400));
    Label92 = label(Frame8, QStringLiteral("成功 :"), tw(120, 260, 800, 250));
    Label94 = label(Frame8, QStringLiteral("0"), tw(950, 260, 1000, 250));
    Label93 = label(Frame8, QStringLiteral("失敗 :"), tw(120, 580, 800, 250));
    Label95 = label(Frame8, QStringLiteral("0"), tw(950, 580, 1000, 250));
    Command10 = button(Frame8, QStringLiteral("重置"), QString(), tw(2280, 380, 1100, 360));

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
    // Every change of the value counts as a click, whoever made it.
    connect(Check1, &QCheckBox::stateChanged, this, [this] { Check1_Click(); });
    // clicked comes only from the user (a mouse release on the box or Space), after the
    // toggle, so the box already shows what is sent; a status reader's change is silent.
    connect(Check4, &QCheckBox::clicked, this, [this] { Check4_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(Option1[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    Check1->installEventFilter(this);
    Check4->installEventFilter(this);
    for (QRadioButton* o : Option1) o->installEventFilter(this);
}

QRect BurnerPanel::frame9Area() const { return tw(120, 3200, 3960, 1100); }
QRect BurnerPanel::frame5Area() const { return tw(120, 4400, 3960, 2100); }

void BurnerPanel::placeAt(int x)
{
    const int dx = x - Frame4->x();
    for (QGroupBox* f : { Frame4, Frame7, Frame8 }) f->move(f->x() + dx, f->y());
}

int BurnerPanel::Check_Value(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    default: return 2;
    }
}

void BurnerPanel::Set_Check_Value(QCheckBox* box, int value)
{
    box->setCheckState(value == 0 ? Qt::Unchecked : Qt::Checked);
}

// ---------------------------------------------------------------- handlers

void BurnerPanel::Command1_Click()
{
    // A download is followed by the read-back comparison, whose message reports it. A
    // download whose frames could not be sent has reported its failure already: a
    // read-back would only add a second failure message.
    forwardToMain([](MainFormApi& m) {
        if (m.ProgramIC()) m.VcopyIc();
    });
}

void BurnerPanel::Command2_Click() { forwardToMain([](MainFormApi& m) { m.ReadIC(); }); }
void BurnerPanel::Command3_Click() { forwardToMain([](MainFormApi& m) { m.VerifyIc(); }); }
void BurnerPanel::Command4_Click() { forwardToMain([](MainFormApi& m) { m.EraseIC(); }); }
void BurnerPanel::Command5_Click() { forwardToMain([](MainFormApi& m) { m.Read_Command(); }); }
void BurnerPanel::Command6_Click() { forwardToMain([](MainFormApi& m) { m.Copy_Command(); }); }
void BurnerPanel::Command7_Click() { forwardToMain([](MainFormApi& m) { m.Verify_Command(); }); }
void BurnerPanel::Command9_Click() { forwardToMain([](MainFormApi& m) { m.ReadModule(); }); }

void BurnerPanel::Command8_Click()
{
    if (mainBusy()) return;
    // The marks of the last run go; the result poll shows one mark per socket again.
    for (size_t i = 0; i < 8; ++i) {
        SocketPass[i]->setVisible(false);
        SocketFail[i]->setVisible(false);
    }
    forwardToMain([](MainFormApi& m) { m.Mcopy_Command(); });
}

void BurnerPanel::Command10_Click()
{
    Label95->setText(QStringLiteral("0"));
    Label94->setText(QStringLiteral("0"));
}

void BurnerPanel::Check1_Click()
{
    const int value = Check_Value(Check1);
    if (mainBusy()) {
        // The switch cannot be sent now: the box goes back to what the burner has.
        const QSignalBlocker quiet(Check1);
        Set_Check_Value(Check1, value == 1 ? 0 : 1);
        return;
    }
    const bool show = value != 0;
    Label96->setVisible(show);
    for (QLabel* serial : SocketSerial) serial->setVisible(show);
    Label151->setVisible(show);
    for (QLabel* serial : SocketSerial) serial->setText(QStringLiteral("00000000"));
    forwardToMain([value](MainFormApi& m) { m.Auto_Command(value == 1); });
}

void BurnerPanel::Check4_Click()
{
    if (mainBusy()) return;
    // The command waits with the event loop running; the document (and this panel) may
    // be closed meanwhile.
    QPointer<BurnerPanel> self(this);
    if (Check_Value(Check4) != 0) {
        forwardToMain([](MainFormApi& m) { m.DIS_KEY_Command(); });
        if (self) Command6->setEnabled(true);
    } else {
        forwardToMain([](MainFormApi& m) { m.EN_KEY_Command(); });
        if (self) Command6->setEnabled(false);
    }
}

void BurnerPanel::queueOption1Act()
{
    if (m_optionActQueued) return;
    m_optionActQueued = true;
    // Run after the event, once the option that the move chose is checked.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_optionActQueued = false;
            Option1_Act(Option1[0]->isChecked());
        },
        Qt::QueuedConnection);
}

void BurnerPanel::Option1_Click(int Index)
{
    Q_UNUSED(Index);   // both elements act alike
    queueOption1Act();
}

void BurnerPanel::Option1_Act(bool lowToHighSelected)
{
    if (lowToHighSelected)
        forwardToMain([](MainFormApi& m) { m.SNUM_P_Command(); });
    else
        forwardToMain([](MainFormApi& m) { m.SNUM_N_Command(); });
}

void BurnerPanel::showResultPoll(const Result_Poll_Outcome& outcome)
{
    if (outcome.frameAccepted) {
        for (size_t i = 0; i < 8; ++i) {
            const Result_Poll_Socket& s = outcome.sockets[i];
            SocketSerial[i]->setText(s.serial);
            SocketImage[i]->setVisible(!s.failed);
            SocketPass[i]->setVisible(!s.failed);
            SocketFail[i]->setVisible(s.failed);
        }
        Label96->setText(outcome.currentSerial);
    }
    if (outcome.countersChanged) {
        Label94->setText(outcome.successCount);
        Label95->setText(outcome.failureCount);
    }
}

void BurnerPanel::Show_Result(const std::optional<Burner_Status_Frame>& frame, int statusQuery)
{
    showResultPoll(Result_Poll(frame, statusQuery, Label94->text(), Label95->text()));
}

bool BurnerPanel::Show_Status(const Burner_Status_Frame& f, bool admin)
{
    if (!Show_Settings(Panel_Settings(f))) return false;
    Label96->setVisible(f.autoSerialOn());
    if (f.autoSerialOn()) Label96->setText(f.currentSerial);
    Label149->setText(f.versionCaption());
    Check1->setEnabled(admin);
    Check4->setEnabled(admin);
    for (QGroupBox* frame : { Frame4, Frame7, Frame8 }) frame->setVisible(true);
    return true;
}

bool BurnerPanel::Show_Settings(const Burner_Panel_Settings& s)
{
    const QPointer<BurnerPanel> self(this);
    Set_Check_Value(Check1, s.autoSerialOn ? 1 : 0);
    if (!self) return false;
    const QString gang = Gang_Mode_Caption(s.gangCode);
    if (!gang.isNull()) Command8->setText(gang);
    Set_Check_Value(Check4, s.keypadLocked ? 1 : 0);
    Label150->setText(s.directionCode);
    Option1[s.lowToHigh ? 0 : 1]->setChecked(true);
    return true;
}

void BurnerPanel::Hide_Frames()
{
    for (QGroupBox* frame : { Frame4, Frame7, Frame8 }) frame->setVisible(false);
}

bool BurnerPanel::eventFilter(QObject* watched, QEvent* event)
{
    // While the main window refuses commands, the boxes and the options take no input: a
    // toggle the burner is not told of would leave the panel showing a setting the burner
    // does not have. The commands themselves start on a release or a focus change that
    // has already passed here, so this never eats the release of their own click.
    if (isUserInput(event) && (watched == Check1 || watched == Check4 || watched == Option1[0] || watched == Option1[1])
        && mainBusy())
        return true;
    if ((watched == Option1[0] || watched == Option1[1]) && event->type() == QEvent::FocusIn) {
        // Only the user moving onto an option counts: focus handed back when a window or a
        // message box closes is no new choice (and would repeat the command endlessly
        // when it fails), and focus that Qt passes on when the rights disable a control
        // would change the burner's setting by itself. A click chooses on its release
        // (the option's clicked), so the press that gives the focus sends nothing.
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::MouseFocusReason && Focus_Moved_By_User(*focus)) queueOption1Act();
    }
    return QObject::eventFilter(watched, event);
}
