#include "wizard/ui/frmwarez1.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/twips.h"
#include "wizard/wizard_geometry.h"
#include "wizard/wizard_lists.h"

namespace {

// Layout of the window in twips: the picture on the left, the page area beside it and the
// button row below. The page area grows when a font needs more room than that.
constexpr int kImageLeft = 360, kImageTop = 360, kImageWidth = 1800, kImageHeight = 1920;
constexpr int kPageLeft = 2520, kPageTop = 360, kPageWidth = 3615, kPageHeight = 1815;
constexpr int kButtonTop = 2520, kButtonWidth = 1095, kButtonHeight = 375;
constexpr int kButtonLefts[4] = { 1080, 2400, 3720, 5040 };
constexpr int kClientWidth = 6450, kClientHeight = 3120;
constexpr int kPictureSize = 120;   // pixels

// The wizard's picture: a memory module with a spark over it.
QPixmap Wizard_Picture()
{
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, kPictureSize);
    back.setColorAt(0.0, QColor(0x1D, 0x5C, 0x9E));
    back.setColorAt(1.0, QColor(0x0B, 0x1E, 0x4A));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(2, 2, kPictureSize - 4, kPictureSize - 4), 10, 10);

    const QRectF board(12, 62, 96, 34);
    p.setPen(QPen(QColor(0x0A, 0x3D, 0x1C), 1.5));
    p.setBrush(QColor(0x1F, 0x7A, 0x3A));
    p.drawRoundedRect(board, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x15, 0x15, 0x18));
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(board.left() + 6 + i * 23, board.top() + 5, 16, 15));
    p.setBrush(QColor(0xD4, 0xA5, 0x2C));
    for (int i = 0; i < 18; ++i) p.drawRect(QRectF(board.left() + 4 + i * 5, board.bottom() - 7, 3, 5));

    // A four-pointed spark.
    QPainterPath spark;
    const QPointF c(60, 32);
    spark.moveTo(c + QPointF(0, -22));
    spark.quadTo(c, c + QPointF(18, 0));
    spark.quadTo(c, c + QPointF(0, 22));
    spark.quadTo(c, c + QPointF(-18, 0));
    spark.quadTo(c, c + QPointF(0, -22));
    p.setBrush(QColor(0xFF, 0xE0, 0x6A));
    p.drawPath(spark);
    return pixmap;
}

void setItems(QComboBox* box, const Wizard_List& list)
{
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
    if (shown != list.items) {
        box->clear();
        box->addItems(list.items);
    }
    box->setCurrentIndex(list.ListIndex);
}

void setChosen(QButtonGroup* group, int index)
{
    if (group->checkedId() == index) return;
    if (index >= 0) {
        group->button(index)->setChecked(true);
        return;
    }
    // An exclusive group cannot clear its last choice by itself.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(false);
    group->setExclusive(true);
}

// A drop-down list as wide as the longest of the items it may hold, so that the page
// area can be sized before any list is filled.
QComboBox* dropDownList(QWidget* parent, const QStringList& possibleItems)
{
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    int longest = 1;
    for (const QString& item : possibleItems) longest = std::max(longest, static_cast<int>(item.size()));
    box->setMinimumContentsLength(longest);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

// Every item a timing list holds for some memory type.
QStringList All_Timing_Items(Timing_List list)
{
    QStringList items;
    for (int t = Warez_SDRAM; t <= Warez_DDR3; ++t) items << Timing_List_Items(t, list);
    return items;
}

// A form inside a frame, tight enough for the page area.
QFormLayout* frameForm(QGroupBox* frame)
{
    auto* form = new QFormLayout(frame);
    form->setContentsMargins(8, 4, 8, 4);
    form->setVerticalSpacing(3);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

} // namespace

Frmwarez1::Frmwarez1(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Warez_Text::Caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Image1 = new QLabel(this);
    Image1->setPixmap(Wizard_Picture());
    Image1->setAlignment(Qt::AlignCenter);

    Frame1 = new QGroupBox(Warez_Text::Frame1, this);
    auto* typeLayout = new QVBoxLayout(Frame1);
    typeLayout->setSpacing(2);
    m_typeGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        optRamType[static_cast<size_t>(i)] = new QRadioButton(Warez_Text::RamTypes[i], Frame1);
        m_typeGroup->addButton(optRamType[static_cast<size_t>(i)], i);
        typeLayout->addWidget(optRamType[static_cast<size_t>(i)]);
    }
    typeLayout->addStretch(1);

    FraSDRFreq = speedFrame(Warez_SDRAM, Speed_Frame_Caption(Warez_SDRAM), optRamTypeSDR, m_speedGroups[0]);
    FraDDRFreq = speedFrame(Warez_DDR, Speed_Frame_Caption(Warez_DDR), optRamTypeDDR, m_speedGroups[1]);
    FraDDR2Freq = speedFrame(Warez_DDR2, Speed_Frame_Caption(Warez_DDR2), optRamTypeDDR2, m_speedGroups[2]);
    FraDDR3freq = speedFrame(Warez_DDR3, Speed_Frame_Caption(Warez_DDR3), optRamTypeDDR3, m_speedGroups[3]);

    fraDramIC = new QGroupBox(Warez_Text::fraDramIC, this);
    {
        QFormLayout* form = frameForm(fraDramIC);
        CboDataWidth = dropDownList(fraDramIC, Data_Width_Items());
        CboSize = dropDownList(fraDramIC, Dram_Size_Items());
        CboSide = dropDownList(fraDramIC, Module_Side_Items());
        Check1 = new QCheckBox(Warez_Text::EccCheck, fraDramIC);
        form->addRow(Warez_Text::DataWidthLabel, CboDataWidth);
        form->addRow(Warez_Text::SizeLabel, CboSize);
        form->addRow(Warez_Text::SideLabel, CboSide);
        form->addRow(Check1);
    }

    fraDramTime = new QGroupBox(Warez_Text::fraDramTime, this);
    {
        QFormLayout* form = frameForm(fraDramTime);
        cbotcl = dropDownList(fraDramTime, All_Timing_Items(Timing_List::tCL));
        cbotrcd = dropDownList(fraDramTime, All_Timing_Items(Timing_List::tRCD));
        cbotrp = dropDownList(fraDramTime, All_Timing_Items(Timing_List::tRP));
        cbotras = dropDownList(fraDramTime, All_Timing_Items(Timing_List::tRAS));
        QComboBox* lists[4] = { cbotcl, cbotrcd, cbotrp, cbotras };
        for (int i = 0; i < 4; ++i) form->addRow(Warez_Text::TimingLabels[i], lists[i]);
    }

    fraInfo = new QGroupBox(Warez_Text::fraInfo, this);
    {
        QFormLayout* form = frameForm(fraInfo);
        Text1 = new QLineEdit(fraInfo);
        Text2 = new QLineEdit(fraInfo);
        form->addRow(Warez_Text::IdLabel, Text1);
        form->addRow(Warez_Text::PartLabel, Text2);
        InfoMessage = new QLabel(fraInfo);
        InfoMessage->setWordWrap(true);
        InfoMessage->setStyleSheet(QStringLiteral("color: #b00000"));
        InfoMessage->setVisible(false);
        form->addRow(InfoMessage);
    }

    m_frames = { Frame1, FraSDRFreq, FraDDRFreq, FraDDR2Freq, FraDDR3freq, fraDramIC, fraDramTime, fraInfo };

    Command1 = new QPushButton(Warez_Text::Cancel, this);
    Command2 = new QPushButton(Warez_Text::Back, this);
    Command3 = new QPushButton(Warez_Text::Next, this);
    Command4 = new QPushButton(Warez_Text::Finish, this);
    // No button answers Enter: a key typed into the ID or part number must not end the wizard.
    for (QPushButton* b : { Command1, Command2, Command3, Command4 }) b->setAutoDefault(false);

    connect(Command1, &QPushButton::clicked, this, &Frmwarez1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Frmwarez1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Frmwarez1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Frmwarez1::Command4_Click);
    // A width chosen by the user, also the one already shown, refills size and sides.
    connect(CboDataWidth, qOverload<int>(&QComboBox::activated), this, [this](int) { CboDataWidth_Click(); });

    placeControls();
    showState();
    Form_Load();
}

QGroupBox* Frmwarez1::speedFrame(int memType, const QString& caption, std::array<QRadioButton*, 4>& options,
                                 QButtonGroup*& group)
{
    auto* frame = new QGroupBox(caption, this);
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(2);
    group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        options[static_cast<size_t>(i)] = new QRadioButton(Speed_Grade_Caption(Speed_Grade_Code(memType, i)), frame);
        group->addButton(options[static_cast<size_t>(i)], i);
        layout->addWidget(options[static_cast<size_t>(i)]);
    }
    layout->addStretch(1);
    return frame;
}

void Frmwarez1::placeControls()
{
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };

    Image1->setGeometry(px(kImageLeft), px(kImageTop), px(kImageWidth), px(kImageHeight));

    // Every page shares one rectangle, large enough for the fullest of them.
    QSize page(px(kPageWidth), px(kPageHeight));
    for (QGroupBox* f : m_frames) page = page.expandedTo(f->sizeHint());
    for (QGroupBox* f : m_frames) f->setGeometry(px(kPageLeft), px(kPageTop), page.width(), page.height());

    const int buttonTop = std::max(px(kButtonTop), px(kPageTop) + page.height() + px(120));
    const QSize button(px(kButtonWidth), std::max(px(kButtonHeight), Command1->sizeHint().height()));
    QPushButton* buttons[4] = { Command1, Command2, Command3, Command4 };
    for (int i = 0; i < 4; ++i) buttons[i]->setGeometry(QRect(QPoint(px(kButtonLefts[i]), buttonTop), button));

    const int width = std::max(px(kClientWidth), px(kPageLeft) + page.width() + px(315));
    const int height = std::max(px(kClientHeight), buttonTop + button.height() + px(225));
    setFixedSize(width, height);
}

// ---------------------------------------------------------------- state and widgets

void Frmwarez1::takeChoices()
{
    m_pages.optRamType = m_typeGroup->checkedId();
    m_pages.optRamTypeSDR = m_speedGroups[0]->checkedId();
    m_pages.optRamTypeDDR = m_speedGroups[1]->checkedId();
    m_pages.optRamTypeDDR2 = m_speedGroups[2]->checkedId();
    m_pages.optRamTypeDDR3 = m_speedGroups[3]->checkedId();
    const std::pair<QComboBox*, Wizard_List*> lists[] = {
        { CboDataWidth, &m_pages.CboDataWidth }, { CboSize, &m_pages.CboSize }, { CboSide, &m_pages.CboSide },
        { cbotcl, &m_pages.cbotcl },             { cbotrcd, &m_pages.cbotrcd }, { cbotrp, &m_pages.cbotrp },
        { cbotras, &m_pages.cbotras },
    };
    for (const auto& [box, list] : lists) list->Select(box->currentIndex());
    m_pages.Check1 = Check1->isChecked();
    m_pages.Text1 = Text1->text();
    m_pages.Text2 = Text2->text();
}

void Frmwarez1::showState()
{
    for (int i = 0; i < Wizard_Frame_Count; ++i)
        m_frames[static_cast<size_t>(i)]->setVisible(m_pages.Frame_Visible[static_cast<size_t>(i)]);
    Command1->setEnabled(m_pages.Command1_Enabled);
    Command2->setEnabled(m_pages.Command2_Enabled);
    Command3->setEnabled(m_pages.Command3_Enabled);
    Command4->setEnabled(m_pages.Command4_Enabled);

    setChosen(m_typeGroup, m_pages.optRamType);
    setChosen(m_speedGroups[0], m_pages.optRamTypeSDR);
    setChosen(m_speedGroups[1], m_pages.optRamTypeDDR);
    setChosen(m_speedGroups[2], m_pages.optRamTypeDDR2);
    setChosen(m_speedGroups[3], m_pages.optRamTypeDDR3);

    const std::pair<QComboBox*, const Wizard_List*> lists[] = {
        { CboDataWidth, &m_pages.CboDataWidth }, { CboSize, &m_pages.CboSize }, { CboSide, &m_pages.CboSide },
        { cbotcl, &m_pages.cbotcl },             { cbotrcd, &m_pages.cbotrcd }, { cbotrp, &m_pages.cbotrp },
        { cbotras, &m_pages.cbotras },
    };
    for (const auto& [box, list] : lists) {
        const QSignalBlocker block(box);
        setItems(box, *list);
    }
    Check1->setChecked(m_pages.Check1);
    if (Text1->text() != m_pages.Text1) Text1->setText(m_pages.Text1);
    if (Text2->text() != m_pages.Text2) Text2->setText(m_pages.Text2);
    InfoMessage->setText(m_pages.Info_Message);
    InfoMessage->setVisible(!m_pages.Info_Message.isEmpty());
}

// ---------------------------------------------------------------- handlers

void Frmwarez1::Form_Load()
{
    takeChoices();
    m_pages.Form_Load();
    showState();
}

void Frmwarez1::step1()
{
    takeChoices();
    m_pages.step1();
    showState();
}

void Frmwarez1::Command1_Click()
{
    // Nothing is stored: Warez_OK stays as the menu entry left it.
    reject();
}

void Frmwarez1::Command2_Click()
{
    takeChoices();
    m_pages.Command2_Click();
    showState();
}

void Frmwarez1::Command3_Click()
{
    takeChoices();
    m_pages.Command3_Click();
    showState();
    if (!m_pages.Geometry_Message.isEmpty())
        if (Dialogs* dialogs = platform().dialogs)
            dialogs->messageBox(m_pages.Geometry_Message, Dialogs::OkOnly, Dialogs::Exclamation);
}

void Frmwarez1::Command4_Click()
{
    if (!m_pages.Command4_Enabled) return;
    takeChoices();
    m_pages.Command4_Click();
    showState();
    // A refused ID or part number keeps the window open on the information page.
    if (m_pages.Info_Message.isEmpty()) accept();
}

void Frmwarez1::CboDataWidth_Click()
{
    takeChoices();
    m_pages.CboDataWidth_Click();
    showState();
}
