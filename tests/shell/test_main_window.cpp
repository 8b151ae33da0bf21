// The main window through its handlers, with the platform doubles.
#include <QAction>
#include <QCoreApplication>
#include <QLocale>
#include <QTime>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "shell/comm_setting.h"
#include "shell/frm_main.h"
#include "spd_document/byte_names.h"
#include "spd_document/globals.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_document/ui/frm_document.h"
#include "support/platform_fixture.h"

namespace {

class MainWindowTest : public PlatformFixture {
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
        // Nothing may stay modified, or closing would ask.
        for (frmDocument* d : main->Documents()) d->Set_form_chang(false);
        main.reset();
        PlatformFixture::TearDown();
    }
    QStringList captions() const
    {
        QStringList out;
        for (frmDocument* d : main->Documents()) out << d->windowTitle();
        return out;
    }
    std::unique_ptr<frmMain> main;
};

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts)
{
    EXPECT_EQ(main->windowTitle(), "Morrowburn");
    EXPECT_EQ(main->mnuFile->title(), "檔案");
    EXPECT_EQ(main->mnuView->title(), "檢視");
    EXPECT_EQ(main->mnuWindow->title(), "視窗");
    EXPECT_EQ(main->mnuHelp->title(), "說明");
    EXPECT_EQ(main->mnuFileClose->text(), "關    閉");
    EXPECT_EQ(main->mnuFilePrint->text(), "列    印");
    EXPECT_EQ(main->mnuFileWarez->text(), "精    靈");
    EXPECT_EQ(main->mnuFileExit->text(), "離    開");
    EXPECT_EQ(main->mnuHelpContents->text(), "郵     件");
    EXPECT_EQ(main->mnuHelpAbout->text(), "關      於");
    EXPECT_EQ(main->mnuViewToolbar->text(), "工 具 列");
    EXPECT_EQ(main->mnuFilenew->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(main->mnuFileOpen->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(main->mnuFileSave->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(main->mnuFilePrint->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_FALSE(main->mnuFileBar5->isVisible());
    EXPECT_TRUE(main->mnuViewToolbar->isChecked());
    EXPECT_TRUE(main->mnuViewStatusBar->isChecked());
    const QStringList keys = { "NEW", "OPEN", "SAVE", "PRINT", "WIZARD", "MAIL", "CONNECT" };
    const QStringList tips = { "開新檔案", "開啟舊檔", "儲存", "列印", "精靈", "郵件", "重新連線" };
    for (int i = 0; i < keys.size(); ++i) {
        QAction* a = main->toolbarButton(keys[i]);
        ASSERT_NE(a, nullptr) << keys[i].toStdString();
        EXPECT_EQ(a->toolTip(), tips[i]);
    }
}

TEST_F(MainWindowTest, DocumentsAreNumberedAndNumbersAreNeverReused)
{
    main->mnuFilenew_Click();
    main->tbToolbar_ButtonClick("NEW");
    main->Load_New_Document();
    EXPECT_EQ(captions(), QStringList({ "SPD_File 1", "SPD_File 2", "SPD_File 3" }));
    main->mdiArea->setActiveSubWindow(main->mdiArea->subWindowList(QMdiArea::CreationOrder)[1]);
    main->mnuFileClose_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main->Load_New_Document();
    EXPECT_EQ(captions(), QStringList({ "SPD_File 1", "SPD_File 3", "SPD_File 4" }));
    EXPECT_EQ(main->ActiveForm()->windowTitle(), "SPD_File 4");
}

TEST_F(MainWindowTest, CloseAndCloseAllWithoutDocumentsDoNothing)
{
    main->mnuFileClose_Click();
    main->mnuFileCloseAll_Click();
    EXPECT_TRUE(main->Documents().isEmpty());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(MainWindowTest, CloseAllAsksEachModifiedDocumentAndStopsAtOneKeptOpen)
{
    for (int i = 0; i < 3; ++i) main->Load_New_Document();
    dialogs.clear();   // the status replies that did not come
    for (frmDocument* d : main->Documents()) d->Set_form_chang(true);
    // First asked: No (closes); second: Cancel (stays, and the loop stops there).
    dialogs.messageAnswers = { Dialogs::No, Dialogs::Cancel };
    main->mnuFileCloseAll_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->Documents().size(), 2);
    EXPECT_EQ(dialogs.messages().size(), 2);
    // Now everything may go.
    dialogs.messageAnswers = { Dialogs::No, Dialogs::No };
    main->mnuFileCloseAll_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main->Documents().isEmpty());
}

TEST_F(MainWindowTest, ExitStopsWhileADocumentStaysOpen)
{
    main->Load_New_Document();
    main->ActiveForm()->Set_form_chang(true);
    dialogs.messageAnswers = { Dialogs::Cancel };
    main->mnuFileExit_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->Documents().size(), 1);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowTest, MinimiseAllMinimisesEveryDocument)
{
    for (int i = 0; i < 3; ++i) main->Load_New_Document();
    main->mnuWindowIconAll_Click();
    for (QMdiSubWindow* w : main->mdiArea->subWindowList()) EXPECT_TRUE(w->isMinimized());
    main->mnuWindowArrangeIcons_Click();
    main->mnuWindowCascade_Click();
}

TEST_F(MainWindowTest, ToolbarAndStatusBarToggles)
{
    main->mnuViewToolbar_Click();
    EXPECT_FALSE(main->mnuViewToolbar->isChecked());
    EXPECT_FALSE(main->tbToolbar->isVisible());
    main->mnuViewToolbar_Click();
    EXPECT_TRUE(main->mnuViewToolbar->isChecked());
    EXPECT_TRUE(main->tbToolbar->isVisible());
    // Through the menu item itself: Qt's own toggle must not count twice.
    main->mnuViewStatusBar->trigger();
    EXPECT_FALSE(main->mnuViewStatusBar->isChecked());
    EXPECT_FALSE(main->sbStatusBar->isVisible());
    main->mnuViewStatusBar->trigger();
    EXPECT_TRUE(main->mnuViewStatusBar->isChecked());
    EXPECT_TRUE(main->sbStatusBar->isVisible());
}

TEST_F(MainWindowTest, WizardCancelledCreatesNothingFinishedCreatesModifiedDocument)
{
    Warez_Param[3] = 7;
    main->mnuFileWarez_Click();
    EXPECT_TRUE(main->Documents().isEmpty());
    EXPECT_EQ(Warez_Param[3], 0);

    ASSERT_EQ(dialogs.callsOf(FakeDialogs::ModalCall).size(), 1);
    EXPECT_EQ(dialogs.callsOf(FakeDialogs::ModalCall)[0].dialogClass, "Frmwarez1");

    // The wizard ends with Finish; the hand-off paints the new document's cells.
    dialogs.onModal = [](QDialog*) {
        Warez_OK = true;
        return 1;
    };
    main->mnuFileWarez_Click();
    ASSERT_EQ(main->Documents().size(), 1);
    EXPECT_EQ(main->ActiveForm()->grid->backColor(0), Color_Diff);
    EXPECT_EQ(main->ActiveForm()->windowTitle(), "SPD_File 1*");
}

TEST_F(MainWindowTest, PasswordChangeNeedsRightsAndUnknownToolbarKeyDoesNothing)
{
    Admin_LoggedIn = false;
    main->mnuViewpassword_Click();
    main->tbToolbar_ButtonClick("new");
    main->tbToolbar_ButtonClick("SOMETHING");
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_TRUE(main->Documents().isEmpty());
}

// ---- burner port setting at load

TEST(CommPortSetting, NumberTheTextStartsWith)
{
    EXPECT_EQ(Comm_Port_From_Setting("1"), 1);
    EXPECT_EQ(Comm_Port_From_Setting("3"), 3);
    EXPECT_EQ(Comm_Port_From_Setting("4"), 4);
    EXPECT_EQ(Comm_Port_From_Setting("7"), 1);
    EXPECT_EQ(Comm_Port_From_Setting("4.5"), 1);
    EXPECT_EQ(Comm_Port_From_Setting("2x"), 2);
    EXPECT_EQ(Comm_Port_From_Setting(""), 1);
    EXPECT_EQ(Comm_Port_From_Setting("abc"), 1);
    EXPECT_EQ(Comm_Port_From_Setting("0"), 1);
}

TEST_F(MainWindowTest, LoadWritesDefaultPortWhenMissing)
{
    main->MDIForm_Load();
    EXPECT_EQ(registry.readValue(Registry::CurrentUser, kSettingsKey, "CommPort"), QString("1"));
    EXPECT_EQ(com.portNumber(), 1);
    EXPECT_EQ(Com_Port, 1);
    EXPECT_TRUE(com.isOpen());
}

TEST_F(MainWindowTest, LoadUsesStoredPortAndFallsBackWithoutChangingIt)
{
    registry.writeValue(Registry::CurrentUser, kSettingsKey, "CommPort", "3");
    main->MDIForm_Load();
    EXPECT_EQ(com.portNumber(), 3);
    EXPECT_EQ(Com_Port, 3);
    EXPECT_TRUE(com.isOpen());

    auto second = std::make_unique<frmMain>();
    com.close();
    registry.writeValue(Registry::CurrentUser, kSettingsKey, "CommPort", "2");
    com.setOpenFails(2);
    second->MDIForm_Load();
    EXPECT_EQ(com.portNumber(), 1);
    EXPECT_EQ(Com_Port, 1);
    EXPECT_TRUE(com.isOpen());
    EXPECT_EQ(registry.readValue(Registry::CurrentUser, kSettingsKey, "CommPort"), QString("2"));
}

TEST_F(MainWindowTest, LoadTreatsPortAboveFourAsPortOneAndKeepsTheValue)
{
    registry.writeValue(Registry::CurrentUser, kSettingsKey, "CommPort", "7");
    main->MDIForm_Load();
    EXPECT_EQ(com.portNumber(), 1);
    EXPECT_EQ(registry.readValue(Registry::CurrentUser, kSettingsKey, "CommPort"), QString("7"));
}

}  // namespace

TEST(StatusTimeFormat, EveryLocaleGivesATimeWithoutStrayLetters)
{
    // zh_TW's short time format uses the day-period letter "B" that Qt prints literally.
    for (const QLocale& l : { QLocale(QLocale::Chinese, QLocale::Taiwan), QLocale(QLocale::English, QLocale::UnitedStates),
                              QLocale(QLocale::German, QLocale::Germany), QLocale::c() }) {
        const QString afternoon = l.toString(QTime(17, 5), Status_Time_Format(l));
        EXPECT_FALSE(afternoon.contains(QLatin1Char('B'))) << afternoon.toStdString();
        EXPECT_TRUE(afternoon.contains(QStringLiteral("05"))) << afternoon.toStdString();
    }
    const QLocale tw(QLocale::Chinese, QLocale::Taiwan);
    EXPECT_EQ(tw.toString(QTime(17, 5), Status_Time_Format(tw)), QStringLiteral("下午 5:05"));
}
