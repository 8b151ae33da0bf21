// The splash, the About window with its system-information launcher, the error-report mail
// and the web-site command.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "shell/frm_about.h"
#include "shell/frm_splash.h"
#include "shell/mail_link.h"
#include "shell/shell_texts.h"
#include "shell_test_fixture.h"
#include "support/event_wait.h"

namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");
const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

// ---------------------------------------------------------------- mail links

TEST(MailLink, OnlyTheGivenPartsJoinedWithTheFirstAmpersandMadeAQuestionMark)
{
    const QString to = QStringLiteral("a@b.example");
    EXPECT_EQ(Mail_Link(to, {}, {}, {}, {}, {}), QStringLiteral("mailto:a@b.example"));
    EXPECT_EQ(Mail_Link(to, {}, QStringLiteral("hello there"), {}, {}, {}),
              QStringLiteral("mailto:a@b.example?Body=hello there"));
    EXPECT_EQ(Mail_Link(to, QStringLiteral("S p"), {}, {}, {}, QStringLiteral("C:\\x y.spd")),
              QStringLiteral("mailto:a@b.example?Subject=S p&Attach=\"C:\\x y.spd\""));
    EXPECT_EQ(Mail_Link(to, QStringLiteral("s"), QStringLiteral("b"), QStringLiteral("c@d"), QStringLiteral("e@f"),
                        QStringLiteral("g")),
              QStringLiteral("mailto:a@b.example?Subject=s&Body=b&CC=c@d&BCC=e@f&Attach=\"g\""));
    EXPECT_EQ(Mail_Link(to, {}, {}, {}, QStringLiteral("x@y"), {}), QStringLiteral("mailto:a@b.example?BCC=x@y"));
    // Nothing is escaped.
    EXPECT_EQ(Mail_Link(QStringLiteral("a b"), QStringLiteral("100% & ?#"), {}, {}, {}, {}),
              QStringLiteral("mailto:a b?Subject=100% & ?#"));
}

class MailAndWebTest : public ShellWindowTest {};

TEST_F(MailAndWebTest, ErrorReportMailOpensTheSubjectLinkUnencoded)
{
    main->mnuHelpContents_Click();
    ASSERT_EQ(shell.urls.size(), 1);
    EXPECT_EQ(shell.urls[0], QStringLiteral("mailto:") + kMakerSalesMail + QStringLiteral("?Subject=SPD Error Mail"));
    main->tbToolbar_ButtonClick(QStringLiteral("MAIL"));
    main->mnuHelpContents->trigger();
    EXPECT_EQ(shell.urls.size(), 3);
    EXPECT_EQ(shell.urls[2], shell.urls[0]);
}

TEST_F(MailAndWebTest, SendMailHandsTheLinkToTheShellAndReportsNothing)
{
    shell.openUrlResult = false;   // no mail program
    main->SendMail(QStringLiteral("x@y"), {}, QStringLiteral("b"), {}, {}, {});
    EXPECT_EQ(shell.urls, QStringList{ QStringLiteral("mailto:x@y?Body=b") });
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(MailAndWebTest, WebSiteOpensTheMakersAddress)
{
    shell.openUrlResult = false;
    main->mnuViewWebBrowser->trigger();
    EXPECT_EQ(shell.urls, QStringList{ kMakerWebSite });
    EXPECT_TRUE(kMakerWebSite.startsWith(QStringLiteral("http")));
    EXPECT_TRUE(kMakerSalesMail.contains(QLatin1Char('@')));
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

// ---------------------------------------------------------------- About

class AboutTest : public ShellWindowTest {
protected:
    void SetUp() override
    {
        ShellWindowTest::SetUp();
        about = std::make_unique<frmAbout>();
        about->localSysInfoPrograms.clear();
    }
    void TearDown() override
    {
        about.reset();
        ShellWindowTest::TearDown();
    }
    void expectUnavailable()
    {
        ASSERT_EQ(dialogs.messages().size(), 1);
        const auto m = dialogs.messages()[0];
        EXPECT_EQ(m.text, kUnavailable);
        EXPECT_EQ(m.icon, Dialogs::NoIcon);
        EXPECT_EQ(m.buttons, Dialogs::OkOnly);
        EXPECT_EQ(m.caption, QStringLiteral("Morrowbyte"));
    }
    std::unique_ptr<frmAbout> about;
};

TEST_F(AboutTest, Captions)
{
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Morrowburn"));
    EXPECT_EQ(about->lblVersion->text(), QStringLiteral("Version 3.0.0"));
    EXPECT_EQ(about->lblTitle->text(), QStringLiteral("Morrowburn"));
    EXPECT_EQ(about->lblTitle->font().families().value(0), QStringLiteral("Monotype Corsiva"));
    EXPECT_TRUE(about->lblDisclaimer->text().contains(QStringLiteral("Unauthorized reproduction or distribution")));
    EXPECT_EQ(about->cmdOK->text(), QStringLiteral("關   閉"));
    EXPECT_EQ(about->cmdSysInfo->text(), QStringLiteral("系統資訊"));
    EXPECT_FALSE(about->Picture1->pixmap().isNull());
}

TEST_F(AboutTest, CloseButtonClosesTheWindow)
{
    about->show();
    about->cmdOK->click();
    EXPECT_FALSE(about->isVisible());
}

TEST_F(AboutTest, MenuShowsItModallyOverTheMainWindow)
{
    QString caption;
    QObject* owner = nullptr;
    dialogs.onModal = [&](QDialog* d) {
        caption = d->windowTitle();
        owner = d->parent();
        return 0;
    };
    main->mnuHelpAbout->trigger();
    EXPECT_EQ(caption, QStringLiteral("About Morrowburn"));
    EXPECT_EQ(owner, main.get());
}

TEST_F(AboutTest, RegisteredPathIsStartedAsItStands)
{
    registry.set(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), QStringLiteral("C:\\Tools\\msinfo32.exe"));
    registry.set(Registry::LocalMachine, kLocationKey, QStringLiteral("MSINFO"), QStringLiteral("C:\\Other"));
    about->cmdSysInfo->click();
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_EQ(shell.starts[0].path, QStringLiteral("C:\\Tools\\msinfo32.exe"));
    EXPECT_TRUE(shell.existsQueries.isEmpty());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(AboutTest, LocationKeyNeedsTheProgramToExist)
{
    registry.set(Registry::LocalMachine, kLocationKey, QStringLiteral("MSINFO"), QStringLiteral("C:\\Shared"));
    about->StartSysInfo();
    EXPECT_EQ(shell.existsQueries, QStringList{ QStringLiteral("C:\\Shared\\MSINFO32.EXE") });
    EXPECT_TRUE(shell.starts.isEmpty());
    expectUnavailable();

    dialogs.clear();
    shell.existingPrograms.insert(QStringLiteral("C:\\Shared\\MSINFO32.EXE"));
    about->StartSysInfo();
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_EQ(shell.starts[0].path, QStringLiteral("C:\\Shared\\MSINFO32.EXE"));
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(AboutTest, ThisMachinesToolIsUsedWhenTheRegistryNamesNone)
{
    about->localSysInfoPrograms = { { QStringLiteral("/usr/bin/missing-tool"), {} },
                                    { QStringLiteral("/usr/bin/gnome-control-center"),
                                      { QStringLiteral("info-overview") } } };
    shell.existingPrograms.insert(QStringLiteral("/usr/bin/gnome-control-center"));
    about->StartSysInfo();
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_EQ(shell.starts[0].path, QStringLiteral("/usr/bin/gnome-control-center"));
    EXPECT_EQ(shell.starts[0].args, QStringList{ QStringLiteral("info-overview") });
}

TEST_F(AboutTest, NoToolAnywhereSaysSo)
{
    about->StartSysInfo();
    EXPECT_TRUE(shell.starts.isEmpty());
    expectUnavailable();
}

TEST_F(AboutTest, AToolThatFailsToStartSaysSo)
{
    registry.set(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), QStringLiteral("/opt/info"));
    shell.startResult = false;
    about->StartSysInfo();
    EXPECT_EQ(shell.starts.size(), 1);
    expectUnavailable();
}

TEST_F(AboutTest, RegistryFailureSaysSo)
{
    registry.set(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), QStringLiteral("/opt/info"));
    registry.setFailing(true);
    about->StartSysInfo();
    EXPECT_TRUE(shell.starts.isEmpty());
    expectUnavailable();
}

TEST_F(AboutTest, GetKeyValueCutsAtNulAndRefusesTooLongValues)
{
    QString value = QStringLiteral("stale");
    EXPECT_FALSE(frmAbout::GetKeyValue(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), value));
    EXPECT_TRUE(value.isEmpty());

    registry.set(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"),
                 QStringLiteral("abc") + QChar(0) + QStringLiteral("junk"));
    EXPECT_TRUE(frmAbout::GetKeyValue(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), value));
    EXPECT_EQ(value, QStringLiteral("abc"));

    registry.set(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), QString(1023, QLatin1Char('p')));
    EXPECT_TRUE(frmAbout::GetKeyValue(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), value));
    registry.set(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), QString(1024, QLatin1Char('p')));
    EXPECT_FALSE(frmAbout::GetKeyValue(Registry::LocalMachine, kMsinfoKey, QStringLiteral("PATH"), value));
    EXPECT_TRUE(value.isEmpty());
}

// ---------------------------------------------------------------- splash

TEST(Splash, TextsAndFonts)
{
    frmSplash splash;
    EXPECT_EQ(splash.Label2[1]->text(), QStringLiteral("SDRAM"));
    EXPECT_EQ(splash.Label2[0]->text(), QStringLiteral("DDR  I  II  III"));
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("Ver: C 3.0"));
    for (QLabel* l : { splash.Label2[0], splash.Label2[1], splash.Label1 })
        EXPECT_EQ(l->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_FALSE(splash.Image1->pixmap().isNull());
    EXPECT_EQ(splash.Timer1->interval(), 2000);
    EXPECT_TRUE(splash.Timer1->isActive());
}

TEST(Splash, ClickOnThePictureEndsItAtOnce)
{
    frmSplash splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash, Event_Wait_Ms));
    QTest::mouseClick(splash.Image1, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_FALSE(splash.isVisible());
}

TEST(Splash, ClicksOnTheLabelsDoNothing)
{
    frmSplash splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash, Event_Wait_Ms));
    QTest::mouseClick(splash.Label2[1], Qt::LeftButton);
    QTest::mouseClick(splash.Label1, Qt::LeftButton);
    EXPECT_TRUE(splash.isVisible());
}

TEST(Splash, EndsByItselfAfterTwoSeconds)
{
    // Never sooner than its timer allows, timed from before the splash starts its timer: a
    // coarse timer may fire up to 5% of its interval early, and Qt drops the part of its
    // due time below a millisecond. How long it shows on this machine is the benchmark's
    // (BM_SplashShows).
    QElapsedTimer t;
    t.start();
    frmSplash splash;
    splash.exec();
    EXPECT_GE(t.elapsed(), 2000 - 2000 / 20 - 1);
}

}  // namespace
