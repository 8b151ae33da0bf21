// The settings dialog: what it shows, what OK stores and what Cancel leaves alone.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "shell/frm_options.h"
#include "shell_test_fixture.h"

namespace {

class OptionsTest : public ShellWindowTest {
protected:
    int checkedPort(const frmOptions& dlg) const
    {
        int found = 0;
        for (int i = 1; i <= 4; ++i)
            if (dlg.optCom[static_cast<size_t>(i)]->isChecked()) found = found ? -1 : i;
        return found;
    }
};

TEST_F(OptionsTest, Captions)
{
    frmOptions dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("通訊設定"));
    EXPECT_EQ(dlg.FraNumber->title(), QStringLiteral("Input Number"));
    EXPECT_EQ(dlg.OptNum[0]->text(), QStringLiteral("Dec Mode"));
    EXPECT_EQ(dlg.OptNum[1]->text(), QStringLiteral("Hex Mode"));
    EXPECT_EQ(dlg.Frame1->title(), QStringLiteral("連接埠"));
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(dlg.optCom[static_cast<size_t>(i)]->text(), QStringLiteral("Com%1").arg(i));
    EXPECT_EQ(dlg.cmdOK->text(), QStringLiteral("確  定"));
    EXPECT_EQ(dlg.cmdCancel->text(), QStringLiteral("取  消"));
}

TEST_F(OptionsTest, OpensOnTheCurrentChoices)
{
    for (int port = 1; port <= 4; ++port) {
        for (int16_t mode : { int16_t(0), int16_t(1) }) {
            Com_Port = static_cast<uint8_t>(port);
            Num_Mode = mode;
            frmOptions dlg;
            EXPECT_EQ(checkedPort(dlg), port);
            EXPECT_TRUE(dlg.OptNum[static_cast<size_t>(mode)]->isChecked());
            EXPECT_FALSE(dlg.OptNum[static_cast<size_t>(1 - mode)]->isChecked());
        }
    }
}

TEST_F(OptionsTest, PortZeroOpensAsPortOne)
{
    Com_Port = 0;
    frmOptions dlg;
    EXPECT_EQ(Com_Port, 1);
    EXPECT_EQ(checkedPort(dlg), 1);
}

TEST_F(OptionsTest, OptionButtonsOfAFrameExcludeEachOther)
{
    frmOptions dlg;
    dlg.show();
    // Clicked on their round indicators.
    QTest::mouseClick(dlg.optCom[3], Qt::LeftButton, {}, QPoint(8, dlg.optCom[3]->height() / 2));
    QTest::mouseClick(dlg.OptNum[1], Qt::LeftButton, {}, QPoint(8, dlg.OptNum[1]->height() / 2));
    EXPECT_EQ(checkedPort(dlg), 3);
    EXPECT_FALSE(dlg.OptNum[0]->isChecked());
}

TEST_F(OptionsTest, OkStoresThePortClosesTheOpenPortAndSetsTheMode)
{
    com.open();
    ASSERT_TRUE(com.isOpen());
    frmOptions dlg;
    dlg.show();
    dlg.optCom[3]->setChecked(true);
    dlg.OptNum[1]->setChecked(true);
    dlg.cmdOK->click();

    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(Com_Port, 3);
    EXPECT_EQ(Num_Mode, 1);
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(com.portNumber(), 3);
    EXPECT_EQ(registry.get(kSettingsKey, QStringLiteral("CommPort")), QStringLiteral("3"));
    // The next burner command opens the new port.
    EXPECT_TRUE(com.open());
    EXPECT_EQ(com.portNumber(), 3);
}

TEST_F(OptionsTest, OkWithAClosedPortLeavesItClosed)
{
    frmOptions dlg;
    dlg.optCom[2]->setChecked(true);
    dlg.cmdOK_Click();
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(com.openCalls, 0);
    EXPECT_EQ(com.portNumber(), 2);
    EXPECT_EQ(registry.get(kSettingsKey, QStringLiteral("CommPort")), QStringLiteral("2"));
}

TEST_F(OptionsTest, CancelChangesNothing)
{
    com.open();
    Com_Port = 1;
    Num_Mode = 0;
    frmOptions dlg;
    dlg.show();
    dlg.optCom[4]->setChecked(true);
    dlg.OptNum[1]->setChecked(true);
    dlg.cmdCancel->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(Com_Port, 1);
    EXPECT_EQ(Num_Mode, 0);
    EXPECT_TRUE(com.isOpen());
    EXPECT_EQ(com.closeCount, 0);
    EXPECT_TRUE(com.portNumbersSet.isEmpty());
    EXPECT_TRUE(registry.writes.isEmpty());
}

TEST_F(OptionsTest, EscapeCancels)
{
    frmOptions dlg;
    dlg.optCom[4]->setChecked(true);
    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_EQ(Com_Port, 1);
    EXPECT_TRUE(registry.writes.isEmpty());
}

TEST_F(OptionsTest, MenuShowsAFreshModalDialogOwnedByTheMainWindow)
{
    Com_Port = 2;
    QList<QDialog*> shown;
    dialogs.onModal = [&](QDialog* d) {
        shown << d;
        auto* dlg = qobject_cast<frmOptions*>(d);
        EXPECT_NE(dlg, nullptr);
        if (!dlg) return 0;
        EXPECT_EQ(d->parent(), main.get());
        EXPECT_EQ(checkedPort(*dlg), Com_Port);
        dlg->optCom[4]->setChecked(true);
        dlg->cmdOK_Click();
        return d->result();
    };
    main->mnuViewOptions->trigger();
    EXPECT_EQ(Com_Port, 4);
    main->mnuViewOptions_Click();   // opens on port 4 now
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(dialogs.callsOf(FakeDialogs::ModalCall)[0].caption, QStringLiteral("通訊設定"));
}

TEST_F(OptionsTest, ShowsThePortOneFallbackOfTheLoad)
{
    registry.set(kSettingsKey, QStringLiteral("CommPort"), QStringLiteral("3"));
    com.setOpenFails(3);
    main->MDIForm_Load();
    ASSERT_EQ(Com_Port, 1);
    frmOptions dlg;
    EXPECT_EQ(checkedPort(dlg), 1);
}

}  // namespace
