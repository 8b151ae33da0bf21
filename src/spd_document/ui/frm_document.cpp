#include "spd_document/ui/frm_document.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QLocale>
#include <QPointer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "burner/ui/burner_panel.h"
#include "platform/ui/user_focus.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/twips.h"
#include "spd_decode/ui/decode_panels.h"
#include "spd_document/byte_listing.h"
#include "spd_document/date_code.h"
#include "spd_document/globals.h"
#include "spd_document/guided_entry.h"
#include "spd_document/main_form_api.h"
#include "spd_document/ui/byte_grid.h"

namespace {
constexpr int kKeyEnter = 13;

QRect tw(int l, int t, int w, int h)
{
    return QRect(twipsToPixels(l), twipsToPixels(t), twipsToPixels(w), twipsToPixels(h));
}

// The key code a handler sees: Enter as 13, everything else as Qt's key number.
int keyCodeOf(const QKeyEvent* e)
{
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) ? kKeyEnter : e->key();
}

int shiftOf(const QKeyEvent* e)
{
    int s = 0;
    if (e->modifiers() & Qt::ShiftModifier) s |= 1;
    if (e->modifiers() & Qt::ControlModifier) s |= 2;
    if (e->modifiers() & Qt::AltModifier) s |= 4;
    return s;
}

const QString kDateOutOfRange = QStringLiteral("      *****   今天的日期不在 2000 至 2099 年之間, 無法寫入日期碼 !   *****      ");
const QString kClosePrompt = QStringLiteral(" SPD 檔案已被修改 , 是否儲存該檔案 ?");
const QString kSecurityOnDdr3 = QStringLiteral("      *****   DDR3 的 byte 127 是 CRC 的高位元組, 無法寫入安全碼 !   *****      ");
}

frmDocument::frmDocument(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);

    // Everything sits on one content widget in a scroll area, so a small window loses nothing.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    m_content = new QWidget;
    scroll->setWidget(m_content);

    Frame1 = new QGroupBox(QStringLiteral("SPD 值"), m_content);
    Frame1->setGeometry(tw(60, 0, 6480, 5300));
    grid = new ByteGrid(Frame1);
    grid->setGeometry(0, 0, Frame1->width(), twipsToPixels(4600));
    connect(grid, &ByteGrid::cellClicked, this, [this](int i) { spd_l_value_Click(i); });
    connect(grid, &ByteGrid::headerClicked, this, [this](int i) { value_x_Click(i); });

    Label1 = new QLabel(Frame1);
    Label1->setGeometry(tw(120, 4600, 800, 270));
    Label2 = new QLabel(Frame1);
    Label2->setGeometry(tw(960, 4600, 5400, 270));
    Label3 = new QLabel(Frame1);
    Label3->setGeometry(tw(120, 4900, 600, 270));
    Label4 = new QLabel(Frame1);
    Label4->setGeometry(tw(760, 4900, 480, 270));
    Label4->setToolTip(QStringLiteral("Byte value, press then chang"));
    Label4->installEventFilter(this);
    Text1 = new QLineEdit(Frame1);
    Text1->setGeometry(tw(1320, 4860, 700, 330));
    Text1->installEventFilter(this);
    Text2 = new QLineEdit(Frame1);
    Text2->setGeometry(tw(2160, 4860, 700, 330));
    Text2->setToolTip(QStringLiteral("Fill"));
    Text2->installEventFilter(this);

    m_panels = std::make_unique<DecodePanels>(m_content);
    m_burner = new BurnerPanel(m_content);
    // The burner frames stand right of the grid and of the decoding frames.
    int right = Frame1->geometry().right();
    for (QWidget* f : { static_cast<QWidget*>(m_panels->Frame2), static_cast<QWidget*>(m_panels->Frame3),
                        static_cast<QWidget*>(m_panels->Frame10), static_cast<QWidget*>(m_panels->Frame11) })
        right = std::max(right, f->geometry().right());
    m_burner->placeAt(right + twipsToPixels(120));

    Frame9 = new QGroupBox(QStringLiteral("Checksum  /  CRC"), m_burner->Frame4);
    Frame9->setGeometry(m_burner->frame9Area());
    const QString optCaptions[3] = { QStringLiteral("Checksum"), QStringLiteral("CRC (0-125)"), QStringLiteral("None") };
    // Side by side, each as wide as its caption needs.
    int optX = twipsToPixels(120);
    for (int i = 0; i < 3; ++i) {
        QRadioButton* b = new QRadioButton(optCaptions[i], Frame9);
        Optcrc[static_cast<size_t>(i)] = b;
        const int w = b->sizeHint().width() + twipsToPixels(60);
        b->setGeometry(optX, twipsToPixels(360), w, twipsToPixels(300));
        optX += w + twipsToPixels(60);
        Optcrc[static_cast<size_t>(i)]->installEventFilter(this);
        connect(Optcrc[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Optcrc_Click(i); });
    }
    m_optcrc1Caption = optCaptions[1];

    Frame5 = new QGroupBox(QStringLiteral("電腦"), m_burner->Frame4);
    QRect f5 = m_burner->frame5Area();
    f5.setHeight(std::max(f5.height(), twipsToPixels(2340)));
    Frame5->setGeometry(f5);
    if (f5.bottom() + twipsToPixels(120) > m_burner->Frame4->height())
        m_burner->Frame4->resize(m_burner->Frame4->width(), f5.bottom() + twipsToPixels(120));
    Check3 = new QCheckBox(QStringLiteral("Secrity on SPD(7F)"), Frame5);
    Check3->setGeometry(tw(360, 1680, 1815, 255));
    // Nothing stands right of it in its row: let it take the width its caption needs.
    Check3->resize(std::max(Check3->width(), Check3->sizeHint().width()), Check3->height());
    Check2 = new QCheckBox(QStringLiteral("燒錄日期碼"), Frame5);
    Check2->setGeometry(tw(360, 1920, 1215, 255));
    Label99 = new QLabel(QStringLiteral("00"), Frame5);
    Label99->setGeometry(tw(2640, 1320, 375, 255));
    Label97 = new QLabel(QStringLiteral("000000"), Frame5);
    Label97->setGeometry(tw(1680, 1950, 975, 255));
    Label98 = new QLabel(QStringLiteral("00"), Frame5);
    Label98->setGeometry(tw(2760, 1950, 255, 255));
    m_panels->bindLabel(QStringLiteral("Label99"), Label99);
    connect(Check2, &QCheckBox::clicked, this, &frmDocument::Check2_Click);
    connect(Check3, &QCheckBox::clicked, this, &frmDocument::Check3_Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &frmDocument::Timer1_Timer);

    QRect all;
    for (QObject* o : m_content->children())
        if (auto* w = qobject_cast<QWidget*>(o)) all = all.united(w->geometry());
    m_content->resize(all.right() + 8, all.bottom() + 8);
}

frmDocument::~frmDocument() = default;

void frmDocument::Form_Load()
{
    // Window size 9460 x 7000 twips (the MDI frame takes the size of its widget).
    resize(twipsToPixels(9460), twipsToPixels(7000));
    // Cells: tooltip, zero byte, caption.
    for (int i = 0; i < 256; ++i) {
        grid->setTooltip(i, QStringLiteral("Byte ") + QString::number(i));
        SPD.Spd_Value[static_cast<size_t>(i)] = 0;
        grid->setCaption(i, Hex_Byte_Text(0));
    }
    // Byte 0 starts selected: keep its colour for when the selection moves on.
    Saved_Color = grid->backColor(0);
    // DDR descriptions until an image says otherwise, and byte 0 shown as the selection.
    DDR_LANG();
    Label1->setText(QStringLiteral("Byte0"));
    Label2->setText(Byte_Desc[0]);
    Label3->setText(QStringLiteral("Value"));
    Label4->setText(QStringLiteral("00"));
    // Unmodified, with no check value kept until an image picks one.
    Form_Chang = false;
    set_print_value();
    Optcrc[2]->setChecked(true);
    for (int i = 0; i < 256; ++i) table_chang(i);
    // Copies of the date-code bytes and byte 127, taken while the image is still empty.
    Saved_Date1 = SPD.Spd_Value[93];
    Saved_Date2 = SPD.Spd_Value[94];
    Saved_Byte127 = SPD.Spd_Value[127];
    Get_Date_Code();
    // Ask the burner for its status; its reply is read by the main window's status reader.
    Timer1->start();
    if (Main_Form) {
        // The wait for the reply runs events: the window may be closed before it ends.
        QPointer<frmDocument> self(this);
        Status_Query = 1;
        Main_Form->StopTimer2();
        Main_Form->STATUSIC();
        Status_Query = 0;
        if (!self) return;
    }
    // Without administrator rights the protected bytes 0-63 show red text and neither
    // the hex entry nor the row fill is available until a byte of 64 or more is chosen.
    if (!Admin_LoggedIn) {
        for (int i = 0; i < 64; ++i) grid->setForeColor(i, 0x0000FF);
        Text1->setEnabled(false);
        Text1->setVisible(false);
        Text2->setEnabled(false);
        Text2->setVisible(false);
    }
    // No row chosen for a fill yet: a fill changes byte 255 only.
    Fill_Start = 255;
    grid->setHeaderBackColor(31, Color_Selected);
}

// ---------------------------------------------------------------- public operations

void frmDocument::cal_totalchksum()
{
    // Kept for the window's interface; it computes nothing that anyone reads.
}

void frmDocument::cal_chksum63()
{
    checksum_upkeep(SPD);
    grid->setCaption(63, Hex_Byte_Text(SPD.Spd_Value[63]));
}

void frmDocument::Type_Chang(int16_t Index)
{
    switch (Index) {
    case 0: SD_LANG(); SPD.Mem_Type = Index; break;
    case 1: DDR_LANG(); SPD.Mem_Type = Index; break;
    case 2: DDR2_LANG(); SPD.Mem_Type = Index; break;
    case 3: RAMBUS_LANG(); SPD.Mem_Type = Index; break;
    case 4: DDR3_LANG(); SPD.Mem_Type = Index; break;
    default: break;
    }
    Label1->setText(QStringLiteral("Byte0"));
    Label2->setText(Byte_Desc[0]);
    Label4->setText(Hex_Byte_Text(SPD.Spd_Value[0]));
    set_print_value();
}

void frmDocument::Value_Chang(int16_t I_INDEX, uint8_t I_Value)
{
    if (I_INDEX < 0 || I_INDEX > 255) return;
    SPD.Spd_Value[static_cast<size_t>(I_INDEX)] = I_Value;
    grid->setCaption(I_INDEX, Hex_Byte_Text(I_Value));
    set_print_value();
}

void frmDocument::Dimm_Status(int16_t I_INDEX)
{
    if (I_INDEX % 2 != 0 && m_burner) m_burner->SocketImage[0]->setVisible(false);
    set_print_value();
}

void frmDocument::table_chang(int A)
{
    if (A < 0 || A > 255) return;
    const bool ddr3 = Is_Crc_Layout(SPD);
    DecodePanels& p = *m_panels;
    p.Frame2->setVisible(!ddr3);
    p.Frame3->setVisible(!ddr3);
    p.Frame10->setVisible(ddr3);
    p.Frame11->setVisible(ddr3);
    if (!Optcrc[2]->isChecked()) Optcrc[ddr3 ? 1 : 0]->setChecked(true);
    if (ddr3)
        ddr3_table_chang(A);
    else
        ddr2_table_chang(A);
}

void frmDocument::ddr3_table_chang(int A)
{
    DecodeContext ctx{ SPD, m_model, Security_Value, m_optcrc1Caption };
    ::ddr3_table_chang(ctx, A);
    syncPanels();
}

void frmDocument::ddr2_table_chang(int A)
{
    DecodeContext ctx{ SPD, m_model, Security_Value, m_optcrc1Caption };
    ::ddr2_table_chang(ctx, A);
    syncPanels();
}

void frmDocument::JEDEC_PROG(const QString& JEDEC)
{
    DecodeContext ctx{ SPD, m_model, Security_Value, m_optcrc1Caption };
    ::JEDEC_PROG(ctx, JEDEC);
    syncPanels();
}

void frmDocument::syncPanels()
{
    m_panels->sync(m_model);
    if (Optcrc[1]->text() != m_optcrc1Caption) Optcrc[1]->setText(m_optcrc1Caption);
}

uint8_t frmDocument::Get_Value(int16_t I_INDEX) const
{
    if (I_INDEX < 0 || I_INDEX > 255) return 0;
    return SPD.Spd_Value[static_cast<size_t>(I_INDEX)];
}

void frmDocument::Set_Value_color_same(int16_t I_INDEX)
{
    if (I_INDEX >= 0 && I_INDEX <= 255) grid->setBackColor(I_INDEX, Color_Same);
}

void frmDocument::Set_Value_color_diff2(int16_t I_INDEX)
{
    if (I_INDEX >= 0 && I_INDEX <= 255) grid->setBackColor(I_INDEX, Color_Diff2);
}

void frmDocument::Set_Value_color_diff(int16_t I_INDEX)
{
    if (I_INDEX >= 0 && I_INDEX <= 255) grid->setBackColor(I_INDEX, Color_Diff);
}

void frmDocument::Set_form_chang(bool flag)
{
    Form_Chang = flag;
    QString caption = windowTitle();
    if (flag) {
        if (!caption.endsWith(QLatin1Char('*'))) setWindowTitle(caption + QLatin1Char('*'));
    } else if (caption.endsWith(QLatin1Char('*'))) {
        caption.chop(1);
        setWindowTitle(caption);
    }
}

void frmDocument::SD_LANG() { Byte_Desc = SD_Byte_Name; }
void frmDocument::DDR_LANG() { Byte_Desc = DDR_Byte_Name; }
void frmDocument::DDR2_LANG() { Byte_Desc = DDR2_Byte_Name; }
void frmDocument::DDR3_LANG() { Byte_Desc = DDR3_Byte_Name; }
void frmDocument::RAMBUS_LANG() { Byte_Desc = RAMBUS_Byte_Name; }

void frmDocument::set_print_value()
{
    // The listing is built and dropped: nothing in the program reads it.
    (void)Build_Byte_Listing(SPD.Mem_Type, SPD.Spd_Value, Byte_Desc);
}

int frmDocument::OptcrcChoice() const
{
    for (int i = 0; i < 3; ++i)
        if (Optcrc[static_cast<size_t>(i)]->isChecked()) return i;
    return 2;
}

void frmDocument::SetOptcrc(int index)
{
    if (index >= 0 && index <= 2) Optcrc[static_cast<size_t>(index)]->setChecked(true);
}

void frmDocument::SetOptcrc1Caption(const QString& caption)
{
    m_optcrc1Caption = caption;
    Optcrc[1]->setText(caption);
}

// ---------------------------------------------------------------- grid editing

void frmDocument::recaptionAll()
{
    for (int i = 0; i < 256; ++i) grid->setCaption(i, Hex_Byte_Text(SPD.Spd_Value[static_cast<size_t>(i)]));
}

void frmDocument::showSelection(int index, bool withBlank)
{
    Label1->setText((withBlank ? QStringLiteral("Byte ") : QStringLiteral("Byte")) + QString::number(index));
    Label2->setText(Byte_Desc[static_cast<size_t>(index)]);
    Label4->setText(Hex_Byte_Text(SPD.Spd_Value[static_cast<size_t>(index)]));
}

void frmDocument::spd_l_value_Click(int Index)
{
    if (Index < 0 || Index > 255) return;
    // Give the old cell its colour back; remember the new cell's and paint it selected.
    grid->setBackColor(Sel_Index, Saved_Color);
    Sel_Index = static_cast<int16_t>(Index);
    Saved_Color = grid->backColor(Index);
    grid->setBackColor(Index, Color_Selected);
    // Byte 2 chooses the descriptions.
    switch (SPD.Spd_Value[2]) {
    case 4: Type_Chang(0); break;
    case 7: Type_Chang(1); break;
    case 8: Type_Chang(2); break;
    case 11: Type_Chang(4); break;
    default: break;
    }
    // Bytes 0-63 are the administrator's.
    const bool editable = Admin_LoggedIn || Index >= 64;
    Text1->setEnabled(editable);
    Text1->setVisible(editable);
    showSelection(Index, false);
    if (editable) Text1->setFocus();
}

void frmDocument::Text1_KeyDown(int KeyCode, int Shift)
{
    // Only Enter stores the typed byte. Any other key (an arrow, Tab, a letter still being
    // typed, a shortcut such as Ctrl+S) changes nothing: no byte, no colour, no modified mark,
    // so a look at a byte never rewrites the image's check value.
    if (KeyCode != kKeyEnter) return;
    // An empty entry counts as "00"; a longer one keeps its last two characters.
    if (Text1->text().isEmpty()) Text1->setText(QStringLiteral("00"));
    if (Text1->text().trimmed().size() > 2) Text1->setText(Text1->text().right(2));
    // Store the typed byte and show its cell as edited.
    grid->setBackColor(Sel_Index, Color_Edited);
    SPD.Spd_Value[static_cast<size_t>(Sel_Index)] = Hex_To_Byte(Text1->text());
    // Keep the image's check value up to date; its cells show as edited.
    switch (keepCheckValue()) {
    case Check_Value_Kind::Checksum:
        grid->setBackColor(63, Color_Edited);
        break;
    case Check_Value_Kind::Crc:
        grid->setBackColor(126, Color_Edited);
        grid->setBackColor(127, Color_Edited);
        break;
    case Check_Value_Kind::None:
        break;
    }
    // Move on to the next byte (255 wraps to 0).
    Sel_Index = static_cast<int16_t>((Sel_Index + 1) % 256);
    grid->setBackColor(Sel_Index, Color_Selected);
    if (!Admin_LoggedIn && Sel_Index < 64) {
        Text1->setEnabled(false);
        Text1->setVisible(false);
    }
    showSelection(Sel_Index, true);
    Text1->setText(QString());
    // Redraw and decode the whole image; the document is now modified.
    recaptionAll();
    for (int i = 0; i < 256; ++i) table_chang(i);
    Form_Chang = true;
    if (!windowTitle().endsWith(QLatin1Char('*'))) setWindowTitle(windowTitle() + QLatin1Char('*'));
}

void frmDocument::value_x_Click(int Index)
{
    // Column headers (0-15) start no fill: only rows have a first byte.
    if (Index < 16 || Index > 31) return;
    Fill_Start = static_cast<int16_t>((Index - 16) * 16);
    for (int i = 16; i < 32; ++i) grid->setHeaderBackColor(i, ByteGrid::kDefaultColor);
    grid->setHeaderBackColor(Index, Color_Selected);
    Text2->setText(QString());
    Text2->setFocus();
}

void frmDocument::Text2_KeyDown(int KeyCode, int Shift)
{
    const int start = (Fill_Start >= 0 && Fill_Start <= 255) ? Fill_Start : 255;
    if (KeyCode == kKeyEnter) {
        if (Text2->text().isEmpty()) Text2->setText(QStringLiteral("00"));
        const uint8_t v = Hex_To_Byte(Text2->text());
        for (int i = start; i <= 255; ++i) SPD.Spd_Value[static_cast<size_t>(i)] = v;
        // The fill may cover the check value's bytes or the bytes it is computed over: the
        // image keeps its own check value, as after a typed byte.
        keepCheckValue();
    }
    recaptionAll();
    for (int i = 0; i < 256; ++i) table_chang(i);
    if (KeyCode == kKeyEnter) Set_form_chang(true);
}

void frmDocument::key_in_data()
{
    Dialogs& dlg = *platform().dialogs;
    for (int i = 0; i <= 62; ++i) {
        const QString title = QStringLiteral("Input byte") + QString::number(i) + QStringLiteral(" Value");
        const QString prompt = Num_Mode == 1 ? QStringLiteral("Please input value ,the rang is 0 - FF , Hex Mode")
                                             : QStringLiteral("Please input value ,the rang is 0 - 255 , Dec Mode");
        bool stop = false;
        for (;;) {
            const QString answer = dlg.inputBox(prompt, title);
            if (answer.isEmpty()) {
                if (dlg.messageBox(QStringLiteral("Do you want to exit"), Dialogs::YesNo, Dialogs::NoIcon,
                                   QStringLiteral("Stop")) == Dialogs::Yes) {
                    stop = true;
                    break;
                }
            }
            const std::optional<int> value = Guided_Entry_Value(answer, Num_Mode == 1);
            if (!value) {
                dlg.messageBox(QStringLiteral("Input Error"), Dialogs::OkOnly, Dialogs::NoIcon, QStringLiteral("Error"));
                continue;
            }
            SPD.Spd_Value[static_cast<size_t>(i)] = static_cast<uint8_t>(*value);
            grid->setCaption(i, Hex_Byte_Text(static_cast<uint8_t>(*value)));
            break;
        }
        if (stop) break;
    }
    checksum_upkeep(SPD);
    grid->setCaption(63, Hex_Byte_Text(SPD.Spd_Value[63]));
    set_print_value();
    Set_form_chang(true);
}

void frmDocument::Optcrc_GotFocus(int Index)
{
    // Byte 63 of a DDR3 image maps the edge connector to the DRAM and lies inside the CRC:
    // it is no checksum and is left alone.
    if (Index != 0 || Is_Crc_Layout(SPD)) return;
    const uint8_t before = SPD.Spd_Value[63];
    checksum_upkeep(SPD);
    grid->setCaption(63, Hex_Byte_Text(SPD.Spd_Value[63]));
    // A rewritten byte 63 is a change like any other (on a DDR3 image it is not a checksum).
    if (SPD.Spd_Value[63] != before) Set_form_chang(true);
}

void frmDocument::Timer1_Timer()
{
    Timer1->stop();
    for (int i = 0; i < 256; ++i) table_chang(i);
}

// ---------------------------------------------------------------- date code and security stamp

void frmDocument::Get_Date_Code()
{
    const Clock* clock = platform().clock;
    const QDate today = clock ? clock->today() : QDate::currentDate();
    Label97->setText(clock ? clock->shortDateText() : QLocale().toString(today, QLocale::ShortFormat));
    const int week = Week_Number(today);
    Label98->setText(QString::number(week));
    Date_Week = static_cast<int16_t>(week);
    Date_Year = static_cast<int16_t>(today.year() - 2000);
}

void frmDocument::Check2_Click()
{
    Get_Date_Code();
    if (!Check2->isChecked()) {
        // The saved bytes go back where the stamp wrote them, even when byte 2 has changed
        // since and now names the other position.
        const DateCodePosition pos = m_dateStampAt;
        Restore_Date_Stamp(SPD, pos, Saved_Date1, Saved_Date2);
        // The check value the stamp rewrote comes back with the date bytes, whatever option
        // is chosen now, so an untick gives back every byte the tick replaced.
        Undo_Check_Value(SPD, m_dateStampCheckValue, !Optcrc[2]->isChecked());
        grid->setForeColor(pos.yearIndex, ByteGrid::kDefaultColor);
        grid->setForeColor(pos.weekIndex, ByteGrid::kDefaultColor);
    } else {
        const DateCodePosition pos = Date_Code_Position(SPD);
        const Clock* clock = platform().clock;
        const std::optional<DateCode> code = ::Get_Date_Code(clock ? clock->today() : QDate::currentDate());
        if (!code) {
            // A year without a two-digit BCD form cannot be stamped: the image stays as it is.
            Check2->setChecked(false);
            platform().dialogs->messageBox(kDateOutOfRange, Dialogs::OkOnly, Dialogs::Exclamation);
            return;
        }
        grid->setForeColor(pos.yearIndex, Color_Selected);
        grid->setForeColor(pos.weekIndex, Color_Selected);
        m_dateStampAt = Apply_Date_Stamp(SPD, *code, Saved_Date1, Saved_Date2);
        // The date bytes of a DDR3 image lie inside its CRC: keep the check value as a typed
        // byte does, noting what it replaced for the untick.
        keepCheckValue(&m_dateStampCheckValue);
    }
    recaptionAll();
    grid->setCaption(Sel_Index, Hex_Byte_Text(SPD.Spd_Value[static_cast<size_t>(Sel_Index)]));
    for (int i = 0; i < 256; ++i) table_chang(i);
    Set_form_chang(true);
}

void frmDocument::Check3_Click()
{
    if (Check3->isChecked()) {
        if (Is_Crc_Layout(SPD)) {
            // Byte 127 of a DDR3 image is the high byte of its CRC: a security value there
            // would break the CRC, so nothing is written.
            Check3->setChecked(false);
            platform().dialogs->messageBox(kSecurityOnDdr3, Dialogs::OkOnly, Dialogs::Exclamation);
            return;
        }
        // Keep what byte 127 held, so that unticking gives it back.
        Saved_Byte127 = SPD.Spd_Value[127];
        SPD.Spd_Value[127] = static_cast<uint8_t>(Security_Value & 0xFF);
        grid->setForeColor(127, Color_Selected);
    } else {
        // An image that became DDR3 since the tick keeps its CRC's high byte in 127.
        if (!Is_Crc_Layout(SPD)) SPD.Spd_Value[127] = Saved_Byte127;
        grid->setForeColor(127, ByteGrid::kDefaultColor);
    }
    grid->setCaption(127, Hex_Byte_Text(SPD.Spd_Value[127]));
    // The panel shows the byte as it now is.
    table_chang(127);
    Set_form_chang(true);
}

void frmDocument::Show_Status_Rights(bool admin)
{
    for (QLineEdit* box : { Text1, Text2 }) {
        box->setEnabled(admin);
        box->setVisible(admin);
    }
    Frame9->setEnabled(admin);
    for (QRadioButton* o : Optcrc) o->setEnabled(admin);
}

void frmDocument::Image_Loaded()
{
    // Stamps belong to the image they were made on: both boxes clear without writing, and
    // the new image's own bytes are the ones a later untick gives back.
    Check2->setChecked(false);
    Check3->setChecked(false);
    for (int i : { 93, 94, 120, 121, 127 }) grid->setForeColor(i, ByteGrid::kDefaultColor);
    m_dateStampAt = Date_Code_Position(SPD);
    Saved_Date1 = SPD.Spd_Value[static_cast<size_t>(m_dateStampAt.yearIndex)];
    Saved_Date2 = SPD.Spd_Value[static_cast<size_t>(m_dateStampAt.weekIndex)];
    Saved_Byte127 = SPD.Spd_Value[127];

    // Descriptions of the new type, as a load picks them from byte 2.
    const int type = Type_Key_Map(SPD.Spd_Value[2]);
    if (type >= 0) Type_Chang(static_cast<int16_t>(type));

    // One decode of the whole image: a byte decoded while it arrived may have read bytes of
    // the old image (byte 0 before byte 2 chose the panel, byte 63 before bytes 93-94).
    // Nothing of the old image's decode may stay, including the security value, which only
    // an SDRAM, DDR or DDR2 image sets. The check-value option stays as the loader chose it.
    const int optcrc = OptcrcChoice();
    m_model.reset();
    Security_Value = 0;
    m_optcrc1Caption = kCrcFullCaption;
    for (int i = 0; i < 256; ++i) table_chang(i);
    SetOptcrc(optcrc);
    showSelection(Sel_Index, false);
}

// Recomputes the image's own check value after a change, unless "None" is chosen (see
// Keep_Check_Value); the decode that follows puts the option back in step with byte 2.
// Captions and colours are the caller's.
Check_Value_Kind frmDocument::keepCheckValue(Check_Value_Undo* undo)
{
    return Keep_Check_Value(SPD, !Optcrc[2]->isChecked(), undo);
}

// ---------------------------------------------------------------- closing

bool frmDocument::Form_Unload()
{
    if (!Chk_Form_Chang()) return true;
    // The save acts on the active document: make sure that is this one.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    const Dialogs::Result answer =
        platform().dialogs->messageBox(kClosePrompt, Dialogs::YesNoCancel, Dialogs::NoIcon, windowTitle());
    switch (answer) {
    case Dialogs::No:
        return true;
    case Dialogs::Yes:
        // Close only when the image was really written; a refused or cancelled save keeps
        // the document open so no change is lost.
        if (Main_Form) Main_Form->mnuFileSave_Click();
        return !Chk_Form_Chang();
    default:
        return false;
    }
}

void frmDocument::closeEvent(QCloseEvent* event)
{
    if (Form_Unload())
        event->accept();
    else
        event->ignore();
}

bool frmDocument::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == Text1) {
            Text1_KeyDown(keyCodeOf(key), shiftOf(key));
            return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        }
        if (watched == Text2) {
            Text2_KeyDown(keyCodeOf(key), shiftOf(key));
            return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        }
    } else if (event->type() == QEvent::FocusIn) {
        // Only the user's own move onto an option may rewrite byte 63.
        for (int i = 0; i < 3; ++i)
            if (watched == Optcrc[static_cast<size_t>(i)] && Focus_Moved_By_User(*static_cast<QFocusEvent*>(event)))
                Optcrc_GotFocus(i);
    } else if (event->type() == QEvent::MouseButtonPress && watched == Label4) {
        Label4_Click();
    }
    return QWidget::eventFilter(watched, event);
}
