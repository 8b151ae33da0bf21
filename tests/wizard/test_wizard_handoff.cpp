// The wizard's menu road end to end: the main window shows the wizard through the dialog
// double, which drives it like a user; Finish makes a new document that the encoder of the
// memory type fills, Cancel makes nothing.
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "shell/frm_main.h"
#include "spd_document/byte_names.h"
#include "spd_document/globals.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_document/ui/frm_document.h"
#include "support/platform_fixture.h"
#include "wizard/ui/frmwarez1.h"

namespace {

struct Wizard_Run {
    int type = 1;           // 1 SDRAM .. 4 DDR3
    int grade = 0;          // speed option 0..3
    QString id;             // typed into "JEDEC ID"
    QString part;           // typed into "Part Num"
    int cancelOnPage = -1;  // Cancel on this page instead of Finish
};

class WizardHandoffTest : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        Fill_Byte_Name_Tables();
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
        main->show();
    }
    void TearDown() override
    {
        clock.onProcessEvents = nullptr;
        for (frmDocument* d : main->Documents()) d->Set_form_chang(false);
        main.reset();
        Main_Form = nullptr;
        PlatformFixture::TearDown();
    }

    // The user's way through the wizard that the menu shows next.
    void script(const Wizard_Run& run)
    {
        dialogs.onModal = [this, run](QDialog* dialog) {
            auto* w = qobject_cast<Frmwarez1*>(dialog);
            if (!w) {
                ADD_FAILURE() << "not the wizard";
                return 0;
            }
            recordAtOpen = Warez_Param;
            okAtOpen = Warez_OK;
            w->optRamType[static_cast<size_t>(run.type - 1)]->setChecked(true);
            for (int page = 0; page <= 4; ++page) {
                if (page == run.cancelOnPage) {
                    w->Command1_Click();
                    return w->result();
                }
                if (page == 1) speedOptions(*w, run.type)[static_cast<size_t>(run.grade)]->setChecked(true);
                if (page < 4) w->Command3_Click();
            }
            w->Text1->setText(run.id);
            w->Text2->setText(run.part);
            w->Command4_Click();
            return w->result();
        };
    }
    static std::array<QRadioButton*, 4>& speedOptions(Frmwarez1& w, int type)
    {
        switch (type) {
        case 1: return w.optRamTypeSDR;
        case 2: return w.optRamTypeDDR;
        case 3: return w.optRamTypeDDR2;
        default: return w.optRamTypeDDR3;
        }
    }
    std::unique_ptr<frmMain> main;
    std::array<int16_t, 16> recordAtOpen{};
    bool okAtOpen = true;
};

TEST_F(WizardHandoffTest, CancelOnAnyPageCreatesNoDocument)
{
    for (int page = 0; page <= 4; ++page) {
        Warez_Param.fill(9);
        Warez_OK = true;
        script({ 4, 2, "7F", "X", page });
        main->mnuFileWarez_Click();
        EXPECT_EQ(recordAtOpen, (std::array<int16_t, 16>{})) << page;
        EXPECT_FALSE(okAtOpen);
        EXPECT_FALSE(Warez_OK);
        EXPECT_TRUE(main->Documents().isEmpty()) << page;
        EXPECT_EQ(main->Doc_Count, 0);
    }
    const QList<FakeDialogs::Call> shown = dialogs.callsOf(FakeDialogs::ModalCall);
    ASSERT_EQ(shown.size(), 5);
    for (const FakeDialogs::Call& c : shown) {
        EXPECT_EQ(c.dialogClass, "Frmwarez1");
        EXPECT_EQ(c.caption, "SPD 精靈");
    }

    // The toolbar key runs the same road; the first document made is number 1.
    script({ 1, 0, "CE", "" });
    main->toolbarButton("WIZARD")->trigger();
    ASSERT_EQ(main->Documents().size(), 1);
    EXPECT_EQ(main->Documents()[0]->windowTitle(), "SPD_File 1*");
}

// Cells 0-63 (0-127 for DDR3) show Color_Diff whatever the encoder wrote, the others keep
// their colour; byte 2 tells which encoder ran.
TEST_F(WizardHandoffTest, FinishMakesAModifiedDocumentWithTheEncodersCells)
{
    struct Case {
        int type;
        int lastPainted;
        int byte2;
        int optcrc;   // the check value the image's type keeps: 0 checksum, 1 CRC
    };
    const Case cases[] = { { 1, 63, 4, 0 }, { 2, 63, 7, 0 }, { 3, 63, 8, 0 }, { 4, 127, 11, 1 } };
    main->mnuFilenew_Click();   // a document of its own stays as it is
    int n = 1;
    for (const Case& c : cases) {
        script({ c.type, 1, "  7F98  ", " MB 1 " });
        main->mnuFileWarez->trigger();
        ++n;
        ASSERT_EQ(main->Documents().size(), n);
        frmDocument* doc = main->ActiveForm();
        ASSERT_EQ(doc, main->Documents().last());
        EXPECT_EQ(doc->windowTitle(), QStringLiteral("SPD_File %1*").arg(n));
        EXPECT_TRUE(doc->Chk_Form_Chang());
        EXPECT_EQ(doc->Get_Value(2), c.byte2) << c.type;
        EXPECT_EQ(doc->OptcrcChoice(), c.optcrc) << c.type;
        EXPECT_EQ(Warez_Info[1], "MB 1");
        EXPECT_EQ(Warez_Param[12], 0);
        for (int i = 0; i < 256; ++i) {
            const bool painted = doc->grid->backColor(i) == Color_Diff;
            ASSERT_EQ(painted, i <= c.lastPainted) << "type " << c.type << " cell " << i;
        }
    }
    frmDocument* first = main->Documents().first();
    EXPECT_EQ(first->windowTitle(), "SPD_File 1");
    for (int i = 0; i < 256; ++i) ASSERT_NE(first->grid->backColor(i), Color_Diff) << i;
}

// The new document closed while its load waits for the burner: the image goes nowhere,
// and the document that is left is neither painted, written nor marked.
TEST_F(WizardHandoffTest, NewDocumentGoneBeforeTheHandOffLeavesOthersAlone)
{
    main->mnuFilenew_Click();
    main->Timer2->stop();
    frmDocument* kept = main->ActiveForm();
    bool closed = false;
    clock.onProcessEvents = [&] {
        if (closed || main->Documents().size() < 2) return;
        closed = true;
        main->Documents().last()->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    script({ 2, 0, "CE", "MB" });
    main->mnuFileWarez_Click();
    clock.onProcessEvents = nullptr;
    ASSERT_TRUE(closed);
    ASSERT_EQ(main->Documents(), QList<frmDocument*>{ kept });
    EXPECT_EQ(kept->windowTitle(), "SPD_File 1");
    EXPECT_FALSE(kept->Chk_Form_Chang());
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(kept->Get_Value(static_cast<int16_t>(i)), 0) << i;
        ASSERT_NE(kept->grid->backColor(i), Color_Diff) << i;
    }
}

} // namespace
