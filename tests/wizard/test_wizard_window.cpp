// The wizard window through its handlers and controls: pages, buttons, the speed and
// timing choices, and what each page leaves in the wizard record.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "spd_document/globals.h"
#include "support/platform_fixture.h"
#include "wizard/ui/frmwarez1.h"
#include "wizard/wizard_lists.h"

namespace {

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

class WizardWindowTest : public PlatformFixture {
protected:
    // A fresh window on a cleared record, as the menu opens it.
    void reopen()
    {
        Warez_Param.fill(0);
        w = std::make_unique<Frmwarez1>();
    }
    std::vector<Wizard_Frame> shownFrames() const
    {
        std::vector<Wizard_Frame> out;
        for (int i = 0; i < Wizard_Frame_Count; ++i)
            if (w->frame(static_cast<Wizard_Frame>(i))->isVisibleTo(w.get())) out.push_back(static_cast<Wizard_Frame>(i));
        return out;
    }
    // Enabled buttons: C(ancel) B(ack) N(ext) F(inish), "-" when disabled.
    std::string buttons() const
    {
        std::string s;
        s += w->Command1->isEnabled() ? 'C' : '-';
        s += w->Command2->isEnabled() ? 'B' : '-';
        s += w->Command3->isEnabled() ? 'N' : '-';
        s += w->Command4->isEnabled() ? 'F' : '-';
        return s;
    }
    std::array<QRadioButton*, 4>& grades(int type)
    {
        std::array<QRadioButton*, 4>* groups[4] = { &w->optRamTypeSDR, &w->optRamTypeDDR, &w->optRamTypeDDR2,
                                                    &w->optRamTypeDDR3 };
        return *groups[type - 1];
    }
    // Memory type 1..4 and Next; then, when given, speed option `grade` and Next again.
    void choose(int type, int grade = -1)
    {
        w->optRamType[static_cast<size_t>(type - 1)]->setChecked(true);
        w->Command3_Click();
        if (grade < 0) return;
        grades(type)[static_cast<size_t>(grade)]->setChecked(true);
        w->Command3_Click();
    }
    void back(int times)
    {
        for (int i = 0; i < times; ++i) w->Command2_Click();
    }
    QStringList timingChoices() const
    {
        return { w->cbotcl->currentText(), w->cbotrcd->currentText(), w->cbotrp->currentText(),
                 w->cbotras->currentText() };
    }

    std::unique_ptr<Frmwarez1> w = std::make_unique<Frmwarez1>();
};

TEST_F(WizardWindowTest, OpensOnTheMemoryTypePage)
{
    EXPECT_EQ(w->windowTitle(), "SPD 精靈");
    EXPECT_EQ(w->Frame1->title(), "模組種類");
    EXPECT_EQ(w->FraDDR3freq->title(), "DDR3模組速度");
    EXPECT_EQ(w->optRamTypeDDR2[2]->text(), "667 MHz(PC2-5200) ");
    EXPECT_EQ(w->fraInfo->title(), "模組製造資訊");
    EXPECT_EQ(QStringList({ w->Command1->text(), w->Command2->text(), w->Command3->text(), w->Command4->text() }),
              QStringList({ "取 消", "上一步", "下一步", "完 成" }));
    EXPECT_TRUE(w->optRamType[0]->isChecked());
    EXPECT_EQ(shownFrames(), std::vector<Wizard_Frame>{ Wizard_Frame::Frame1 });
    EXPECT_EQ(buttons(), "C-N-");
    EXPECT_EQ(w->Text1->text(), "Text1");
    EXPECT_EQ(w->Text2->text(), "Text2");
}

// Next to the last page and Back to the first: one page frame at a time, the buttons of
// each page, and disabled buttons that do nothing when their handler is called.
TEST_F(WizardWindowTest, PagesAndButtonsBothWays)
{
    struct Step {
        void (Frmwarez1::*click)();
        Wizard_Frame frame;
        const char* buttons;
    };
    const Step road[] = {
        { &Frmwarez1::Command2_Click, Wizard_Frame::Frame1, "C-N-" },
        { &Frmwarez1::Command4_Click, Wizard_Frame::Frame1, "C-N-" },
        { &Frmwarez1::Command3_Click, Wizard_Frame::FraDDRFreq, "CBN-" },
        { &Frmwarez1::Command3_Click, Wizard_Frame::fraDramIC, "CBN-" },
        { &Frmwarez1::Command3_Click, Wizard_Frame::fraDramTime, "CBN-" },
        { &Frmwarez1::Command3_Click, Wizard_Frame::fraInfo, "CB-F" },
        { &Frmwarez1::Command3_Click, Wizard_Frame::fraInfo, "CB-F" },
        { &Frmwarez1::Command2_Click, Wizard_Frame::fraDramTime, "CBN-" },
        { &Frmwarez1::Command4_Click, Wizard_Frame::fraDramTime, "CBN-" },
        { &Frmwarez1::Command2_Click, Wizard_Frame::fraDramIC, "CBN-" },
        { &Frmwarez1::Command2_Click, Wizard_Frame::FraDDRFreq, "CBN-" },
        { &Frmwarez1::Command2_Click, Wizard_Frame::Frame1, "C-N-" },
    };
    w->optRamType[1]->setChecked(true);
    for (size_t n = 0; n < std::size(road); ++n) {
        (w.get()->*road[n].click)();
        EXPECT_EQ(shownFrames(), std::vector<Wizard_Frame>{ road[n].frame }) << "step " << n;
        EXPECT_EQ(buttons(), road[n].buttons) << "step " << n;
    }
    EXPECT_EQ(w->pages().Page_Counter, 0);
    EXPECT_FALSE(Warez_OK);
    EXPECT_TRUE(w->optRamType[1]->isChecked());
    EXPECT_EQ(Warez_Param[0], 2);
}

TEST_F(WizardWindowTest, SpeedGradesAndTheirTimings)
{
    // First run with DDR2: the first grade, and its timings on page 3.
    choose(3);
    EXPECT_EQ(shownFrames(), std::vector<Wizard_Frame>{ Wizard_Frame::FraDDR2Freq });
    EXPECT_TRUE(w->optRamTypeDDR2[0]->isChecked());
    w->Command3_Click();
    EXPECT_EQ(Warez_Param[1], 9);
    EXPECT_EQ(timingChoices(), QStringList({ "4T", "4T", "4T", "12T" }));

    // Another type starts at its first grade, with its own items only.
    back(2);
    choose(2);
    EXPECT_EQ(shownFrames(), std::vector<Wizard_Frame>{ Wizard_Frame::FraDDRFreq });
    EXPECT_TRUE(w->optRamTypeDDR[0]->isChecked());
    w->optRamTypeDDR[2]->setChecked(true);
    // A grade of the type survives Back and Next, and no list fills twice.
    for (int i = 0; i < 3; ++i) {
        w->Command3_Click();
        back(1);
    }
    EXPECT_TRUE(w->optRamTypeDDR[2]->isChecked());
    w->Command3_Click();
    EXPECT_EQ(Warez_Param[1], 7);
    EXPECT_EQ(items(w->cbotcl), Timing_List_Items(2, Timing_List::tCL));
    EXPECT_EQ(items(w->cbotras), Timing_List_Items(2, Timing_List::tRAS));
    EXPECT_EQ(items(w->cbotrp), Timing_List_Items(2, Timing_List::tRP));
    EXPECT_EQ(items(w->cbotrcd), Timing_List_Items(2, Timing_List::tRCD));
    EXPECT_EQ(items(w->CboDataWidth), QStringList({ "x 4", "x 8", "x 16" }));

    // DDR3 1333 MHz, then SDRAM: the stored 15 is no SDRAM grade.
    back(2);
    choose(4, 2);
    EXPECT_EQ(Warez_Param[1], 15);
    back(2);
    choose(1);
    EXPECT_TRUE(w->optRamTypeSDR[0]->isChecked());
    w->Command3_Click();
    EXPECT_EQ(Warez_Param[1], 1);
}

TEST_F(WizardWindowTest, TimingChoicesBecomeClocks)
{
    // 166 MHz SDRAM preselects 3-3-3; a list without a choice reads as one clock below the
    // list, and Finish waits for a choice in every list.
    choose(1, 3);
    w->Command3_Click();
    EXPECT_EQ(timingChoices(), QStringList({ "3T", "3T", "3T", "7T" }));
    for (QComboBox* box : { w->cbotcl, w->cbotrp, w->cbotrcd, w->cbotras }) box->setCurrentIndex(-1);
    w->Command3_Click();
    EXPECT_EQ((std::array<int16_t, 4>{ Warez_Param[6], Warez_Param[7], Warez_Param[8], Warez_Param[9] }),
              (std::array<int16_t, 4>{ -1, 1, 1, 3 }));
    EXPECT_FALSE(w->Command4->isEnabled());

    reopen();
    choose(2, 0);
    w->Command3_Click();
    w->cbotcl->setCurrentIndex(7);    // "2T 2.5T"
    w->cbotrp->setCurrentIndex(0);    // 2T
    w->cbotrcd->setCurrentIndex(3);   // 5T
    w->cbotras->setCurrentIndex(7);   // 12T
    w->Command3_Click();
    EXPECT_EQ((std::array<int16_t, 4>{ Warez_Param[6], Warez_Param[7], Warez_Param[8], Warez_Param[9] }),
              (std::array<int16_t, 4>{ 7, 2, 5, 12 }));
}

// The user's width choice, and every return to the page, refill size and sides with the
// type's preselection.
TEST_F(WizardWindowTest, WidthChoiceAndReturnResetSizeAndSides)
{
    const char* sizes[4] = { "16 Mb", "32 Mb", "64 Mb", "64 Mb" };
    for (int type = 1; type <= 4; ++type) {
        reopen();
        choose(type, 0);
        EXPECT_EQ(w->CboSize->currentText(), sizes[type - 1]);
        w->CboSize->setCurrentIndex(5);
        w->CboSide->setCurrentIndex(1);
        QTest::keyClick(w->CboDataWidth, Qt::Key_Down);   // the user's choice: "x 16"
        EXPECT_EQ(w->CboDataWidth->currentText(), "x 16");
        EXPECT_EQ(w->CboSize->currentText(), sizes[type - 1]) << type;
        EXPECT_EQ(w->CboSide->currentText(), "Single Side");
        EXPECT_EQ(items(w->CboSize).size(), 6);
        // "x 4": still a device of the type.
        QTest::keyClick(w->CboDataWidth, Qt::Key_Up), QTest::keyClick(w->CboDataWidth, Qt::Key_Up);
        EXPECT_EQ(w->CboSize->currentText(), type == 4 ? "128 Mb" : sizes[type - 1]) << type;
    }
    w->CboSize->setCurrentIndex(5);
    w->Command3_Click();
    w->cbotcl->setCurrentIndex(0);
    back(1);
    EXPECT_EQ(w->CboDataWidth->currentText(), "x 8");
    EXPECT_EQ(w->CboSize->currentText(), "64 Mb");
    EXPECT_EQ(w->cbotcl->currentText(), "6T");
}

TEST_F(WizardWindowTest, ModuleParametersIntoTheRecord)
{
    struct Case {
        int type, size, width, side;
        bool ecc;
        // (2), (3), (4), (5), (10), (11), (13), (14), (15)
        std::array<int16_t, 9> record;
        const char* said = "";   // where refused: the message's first sentences
    };
    // A size and width that name no device of the type are refused with a message naming
    // the type and its sizes, one the type has but cannot declare with the rank limit;
    // the page stays and nothing is stored (all 0).
    const char* sdram = "SDRAM 沒有這種 DRAM。DRAM 容量 (DRAM Memory Size 乘 DRAM Data Width，如 64 Mb x 8 為 512 Mb) "
                        "在 SDRAM 只有 64 Mb、128 Mb、256 Mb、512 Mb，每面模組最多 512 MB。";
    const Case cases[] = {
        { 1, 5, 1, 1, true, {}, sdram },                             // SDRAM 256 Mb x8: 2 Gbit
        { 1, 0, 0, 0, false, {}, sdram },                            // SDRAM 8 Mb x4: 32 Mbit
        { 1, 4, 0, 0, false, {}, "SDRAM 有這種 DRAM (128 Mb x 4 為 512 Mb)，但每面模組最多 512 MB：x 4 的 DRAM 每面 "
                                 "(64 位元) 要 16 顆，共 1 GB，超過 SPD 第 31 位元組能標示的容量。" },
        { 4, 0, 1, 0, false, {}, "DDR3 沒有這種 DRAM。DRAM 容量 (DRAM Memory Size 乘 DRAM Data Width，如 64 Mb x 8 為 "
                                 "512 Mb) 在 DDR3 只有 512 Mb、1 Gb、2 Gb、4 Gb。" },   // DDR3 8 Mb x8: 64 Mbit
        { 3, 4, 1, 0, false, { 1, 14, 10, 1, 1, 4, 1, 8, 78 } },     // DDR2 128 Mb x8
        { 3, 5, 0, 0, false, { 1, 14, 11, 1, 0, 5, 2, 8, 78 } },     // DDR2 256 Mb x4: 1 Gbit, 8 banks
        { 3, 3, 2, 0, false, { 1, 13, 10, 1, 2, 3, 128, 8, 78 } },   // DDR2 64 Mb x16: 1 Gbit
        { 4, 2, 2, 0, false, { 1, 12, 10, 1, 2, 2, 16, 8, 78 } },    // DDR3 32 Mb x16
    };
    for (const Case& c : cases) {
        reopen();
        choose(c.type, 0);
        w->CboDataWidth->setCurrentIndex(c.width);
        w->CboSize->setCurrentIndex(c.size);
        w->CboSide->setCurrentIndex(c.side);
        w->Check1->setChecked(c.ecc);
        dialogs.clear();
        w->Command3_Click();
        const bool refused = c.record[0] == 0;
        EXPECT_EQ(w->fraDramIC->isVisibleTo(w.get()), refused);
        EXPECT_EQ(dialogs.messages().size(), refused ? 1 : 0);
        const FakeDialogs::Call* said = dialogs.lastMessage();
        EXPECT_TRUE(!refused || (said && said->text == QString::fromUtf8(c.said) + "請另選 DRAM Memory Size 或 DRAM Data Width。"
                                 && said->icon == Dialogs::Exclamation)) << (said ? said->text.toStdString() : "");
        w->Command3_Click();
        back(1);   // Back from page 4 stores the same again
        const std::array<int16_t, 9> got = { Warez_Param[2],  Warez_Param[3],  Warez_Param[4],
                                             Warez_Param[5],  Warez_Param[10], Warez_Param[11],
                                             Warez_Param[13], Warez_Param[14], Warez_Param[15] };
        EXPECT_EQ(got, c.record) << "type " << c.type << " size " << c.size << " width " << c.width;
        EXPECT_EQ(Warez_Param[12], 0);
    }
}

TEST_F(WizardWindowTest, FinishStoresTrimmedTextsCancelStoresNothing)
{
    choose(3, 3);
    w->Command3_Click();
    w->Command3_Click();
    EXPECT_EQ(w->Text1->text(), "");
    w->Text1->setText("FF");
    back(1);
    w->Command3_Click();
    EXPECT_EQ(w->Text1->text(), "");   // Back and Next drop what was typed
    w->Text1->setText("  7F2C  ");
    w->Text2->setText(" MB-800  2G ");
    w->Command4_Click();
    EXPECT_TRUE(Warez_OK);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(Warez_Info[0], "7F2C");
    EXPECT_EQ(Warez_Info[1], "MB-800  2G");

    // Cancel, the close box and Escape end the wizard without storing more.
    for (int how = 0; how < 3; ++how) {
        reopen();
        Warez_OK = false;
        Warez_Info[0] = "kept";
        w->show();
        choose(4, 1);
        w->Command3_Click();
        w->Command3_Click();
        w->Text1->setText("7F");
        const auto stored = Warez_Param;
        if (how == 0) w->Command1_Click();
        if (how == 1) w->close();
        if (how == 2) QTest::keyClick(w.get(), Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible()) << how;
        EXPECT_EQ(w->result(), QDialog::Rejected) << how;
        EXPECT_FALSE(Warez_OK);
        EXPECT_EQ(Warez_Param, stored);
        EXPECT_EQ(Warez_Info[0], "kept");
    }
}

// An ID is taken when it names a JEP106 maker, as the DDR3 panel shows it (bank byte with
// parity, then the ID) or with 7F continuation codes, and a part number when it is
// printable ASCII; anything else keeps the information page open with a message.
TEST_F(WizardWindowTest, FinishRefusesAnIdOrPartNumberItCannotWrite)
{
    const struct { int type; const char* id; bool refused; const char16_t* part = u"M378"; } cases[] = {
        { 4, "00CE", true },                 // bank byte without its parity bit
        { 4, "CE80X", true },
        { 4, "Samsung", true },
        { 4, "7F", true },                   // continuation codes without an ID
        { 4, "7f7F", true },
        { 4, "807F", true },
        { 4, " 80CE ", false },
        { 4, "0198", false },
        { 4, "7F7F9E", false },
        { 4, "7f98", false },                // either case, as the other forms
        { 4, "7F7F7F7F7F7F7F7F9E", false },  // eight continuation codes: bank 9
        { 4, "", true },
        { 4, "00", true },
        { 4, "FF", true },
        { 4, "C", true },                    // C0: even parity
        { 3, "00CE", true },                 // every type: the same forms
        { 1, "7F", true }, { 2, "807F", true }, { 3, "Samsung", true }, { 1, "G5", true }, { 2, "ZZ", true },
        { 3, "", true },
        { 3, "7F7F7F7F7F7F7F7F9E", true },   // bytes 64-71 end before the ID
        { 1, "CE", false }, { 2, "ce", false }, { 3, "7F7F9E", false }, { 1, "80CE", false },
        { 2, "CE", true, u"Caf\u00E9" }, { 4, "CE", true, u"\u578B\u865F" }, { 1, "CE", true, u"MB\t1" },
    };
    for (const auto& c : cases) {
        const QString part = QString::fromUtf16(c.part);
        SCOPED_TRACE(testing::Message() << c.type << " " << c.id << " " << part.toStdString());
        reopen();
        Warez_OK = false;
        Warez_Info[0] = "kept";
        w->show();
        choose(c.type, 0);
        w->Command3_Click();
        w->Command3_Click();
        w->Text1->setText(QString::fromLatin1(c.id));
        w->Text2->setText(part);
        w->Command4_Click();
        EXPECT_EQ(Warez_OK, !c.refused);
        EXPECT_EQ(w->isVisible(), c.refused);
        EXPECT_EQ(w->InfoMessage->isVisibleTo(w.get()), c.refused);
        if (!c.refused) continue;
        EXPECT_TRUE(w->fraInfo->isVisibleTo(w.get()));
        // The ID message names the chosen type and the forms its ID takes.
        const char* said[4] = { "這不是 SDRAM 的", "這不是 DDR 的", "這不是 DDR2 的", "這不是 DDR3 的 JEDEC ID。請輸入 DDR3 面板顯示的形式" };
        EXPECT_EQ(w->InfoMessage->text().contains(QLatin1String("7F7F9E")), part == QLatin1String("M378"));
        EXPECT_TRUE(part != QLatin1String("M378") || w->InfoMessage->text().contains(QString::fromUtf8(said[c.type - 1])));
        EXPECT_EQ(Warez_Info[0], "kept");
        w->Text1->setText(QStringLiteral("80CE"));   // the panel's own form now finishes
        w->Text2->setText(QStringLiteral("M378"));
        w->Command4_Click();
        EXPECT_TRUE(Warez_OK);
        EXPECT_EQ(Warez_Info[0], "80CE");
    }
}

} // namespace
