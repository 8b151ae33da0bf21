// Administrator login and password set-up: the choice at load, the login's rules, the
// set-up's storing, the password-change menu and the dialogs' life.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "platform/qt/qt_registry.h"
#include "shell/frm_login.h"
#include "shell/frm_login1.h"
#include "shell/shell_texts.h"
#include "shell_test_fixture.h"
#include "support/event_wait.h"

namespace {

const QString kFail = QStringLiteral(" *****  密碼錯務，請重新輸入 !  *****");
const QString kMismatch = QStringLiteral(" *****  密碼輸入不一致，請重新輸入 !  *****");

class LoginTest : public ShellWindowTest {
protected:
    void setUpDone(const QString& pass2)
    {
        registry.set(kHistoryKey, QStringLiteral("PASS1"), QStringLiteral("QTX417"));
        registry.set(kHistoryKey, QStringLiteral("PASS2"), pass2);
    }
    // Runs the load with the modal dialog driven by `drive`; returns the dialog shown.
    QDialog* loadWith(std::function<void(QDialog*)> drive)
    {
        QDialog* shown = nullptr;
        dialogs.onModal = [&](QDialog* d) {
            shown = d;
            d->show();   // as the modal display would
            if (drive) drive(d);
            return d->result();
        };
        main->MDIForm_Load();
        dialogs.onModal = nullptr;
        return shown;
    }
    // Enters the passwords in turn into the login; stops when the dialog hides.
    std::function<void(QDialog*)> typing(QStringList entries)
    {
        return [entries](QDialog* d) {
            auto* login = qobject_cast<frmLogin*>(d);
            ASSERT_NE(login, nullptr);
            for (const QString& e : entries) {
                if (!login->isVisible()) break;
                login->txtPassword->setText(e);
                login->cmdOK_Click();
            }
        };
    }
    int failMessages() const { return dialogs.messageTexts().count(kFail); }
};

// ---------------------------------------------------------------- which dialog

TEST_F(LoginTest, WithoutASetUpTheFirstSetUpIsShown)
{
    QString captionWhileShown;
    QDialog* d = loadWith([&](QDialog* dlg) { captionWhileShown = dlg->windowTitle(); });
    ASSERT_NE(qobject_cast<frmLogin1*>(d), nullptr);
    EXPECT_EQ(captionWhileShown, QStringLiteral("第一次密碼設定"));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("密碼設定"));
    EXPECT_FALSE(Admin_LoggedIn);
    // "PASS1" and "PASS2" were missing: written back empty.
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS1")), QString());
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS2")), QString());
}

TEST_F(LoginTest, TheMarkerDecidesWhichDialog)
{
    struct Case { QString pass1; bool login; };
    const Case cases[] = {
        { QStringLiteral("QTX417"), true },
        { QStringLiteral("QTX417 and more"), true },
        { QStringLiteral("qtx417"), false },
        { QStringLiteral("QTX41"), false },
        { QStringLiteral("x"), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pass1.toStdString());
        main = std::make_unique<frmMain>();
        registry.set(kHistoryKey, QStringLiteral("PASS1"), c.pass1);
        QDialog* d = loadWith(nullptr);
        EXPECT_EQ(qobject_cast<frmLogin*>(d) != nullptr, c.login);
        EXPECT_EQ(qobject_cast<frmLogin1*>(d) != nullptr, !c.login);
    }
}

TEST_F(LoginTest, LoginDialogCaptions)
{
    setUpDone(QStringLiteral("abc"));
    QDialog* d = loadWith(nullptr);
    auto* login = qobject_cast<frmLogin*>(d);
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->windowTitle(), QStringLiteral("密碼"));
    EXPECT_EQ(login->lblLabels->text(), QStringLiteral("輸入密碼 :"));
    EXPECT_EQ(login->cmdOK->text(), QStringLiteral("確 認"));
    EXPECT_EQ(login->cmdCancel->text(), QStringLiteral("取 消"));
    EXPECT_TRUE(login->cmdOK->isDefault());
    EXPECT_EQ(login->txtPassword->echoMode(), QLineEdit::Password);
    login->txtPassword->setText(QStringLiteral("ab"));
    EXPECT_EQ(login->txtPassword->displayText(), QStringLiteral("**"));
}

// ---------------------------------------------------------------- the login

TEST_F(LoginTest, FixedPasswordInAnyCaseLogsIn)
{
    for (const QString& entry : { QStringLiteral("QTX417"), QStringLiteral("qtx417"), QStringLiteral("QtX417") }) {
        SCOPED_TRACE(entry.toStdString());
        main = std::make_unique<frmMain>();
        Admin_LoggedIn = false;
        setUpDone(QStringLiteral("mine"));
        QDialog* d = loadWith(typing({ entry }));
        EXPECT_TRUE(Admin_LoggedIn);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Accepted);
        EXPECT_EQ(failMessages(), 0);
    }
}

TEST_F(LoginTest, StoredPasswordMatchesInAnyCase)
{
    for (const QString& entry : { QStringLiteral("Secret9"), QStringLiteral("SECRET9"), QStringLiteral("sEcReT9") }) {
        SCOPED_TRACE(entry.toStdString());
        main = std::make_unique<frmMain>();
        Admin_LoggedIn = false;
        setUpDone(QStringLiteral("Secret9"));
        loadWith(typing({ entry }));
        EXPECT_TRUE(Admin_LoggedIn);
    }
}

TEST_F(LoginTest, ThreeWrongEntriesKeepTheDialogOpenTheFourthClosesIt)
{
    setUpDone(QStringLiteral("right"));
    frmLogin* login = nullptr;
    loadWith([&](QDialog* d) {
        login = qobject_cast<frmLogin*>(d);
        for (int i = 1; i <= 3; ++i) {
            login->txtPassword->setText(QStringLiteral("wrong%1").arg(i));
            login->cmdOK_Click();
            EXPECT_TRUE(login->isVisible()) << i;
            EXPECT_EQ(login->Login_Fails, i);
            EXPECT_EQ(login->txtPassword->selectedText(), QStringLiteral("wrong%1").arg(i));
        }
        login->txtPassword->setText(QStringLiteral("wrong4"));
        login->cmdOK_Click();
    });
    ASSERT_NE(login, nullptr);
    EXPECT_FALSE(login->isVisible());
    EXPECT_FALSE(Admin_LoggedIn);
    EXPECT_EQ(failMessages(), 4);
    const auto* m = dialogs.lastMessage();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->title, QStringLiteral("錯誤"));
    EXPECT_EQ(m->icon, Dialogs::Critical);
    EXPECT_EQ(m->buttons, Dialogs::OkOnly);
}

TEST_F(LoginTest, RightEntryAtTheFourthAttemptIsAccepted)
{
    setUpDone(QStringLiteral("right"));
    loadWith(typing({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("RIGHT") }));
    EXPECT_TRUE(Admin_LoggedIn);
    EXPECT_EQ(failMessages(), 3);
}

TEST_F(LoginTest, CancelLeavesWithoutRights)
{
    setUpDone(QStringLiteral("right"));
    QDialog* d = loadWith([](QDialog* dlg) {
        Admin_LoggedIn = true;   // whatever it was, Cancel clears it
        qobject_cast<frmLogin*>(dlg)->cmdCancel->click();
    });
    EXPECT_FALSE(Admin_LoggedIn);
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(LoginTest, MissingStoredPasswordAcceptsAnEmptyEntry)
{
    registry.set(kHistoryKey, QStringLiteral("PASS1"), QStringLiteral("QTX417"));
    loadWith(typing({ QString() }));
    EXPECT_TRUE(Admin_LoggedIn);
    EXPECT_EQ(PASS2_Value, QString());
}

TEST_F(LoginTest, AOneCharacterStoredPasswordIsTooShortToBeRead)
{
    setUpDone(QStringLiteral("Z"));
    loadWith(typing({ QStringLiteral("Z"), QString() }));
    EXPECT_TRUE(Admin_LoggedIn);
    EXPECT_EQ(failMessages(), 1);
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS2")), QString());
}

TEST_F(LoginTest, ValuesAreReadAsStoredAtLoad)
{
    setUpDone(QStringLiteral("Pw Ω"));
    loadWith(nullptr);
    EXPECT_EQ(PASS1_Value, QStringLiteral("QTX417"));
    EXPECT_EQ(PASS2_Value, QStringLiteral("Pw Ω"));
}

// Real keyboard input on a modal login: Enter presses OK, Esc cancels.
TEST_F(LoginTest, EnterAndEscapeOnTheModalLogin)
{
    PASS2_Value = QStringLiteral("keys");
    frmLogin login;
    QTimer::singleShot(0, &login, [&] {
        QTest::keyClicks(login.txtPassword, QStringLiteral("KEYS"));
        QTest::keyClick(login.txtPassword, Qt::Key_Return);
    });
    EXPECT_EQ(login.exec(), QDialog::Accepted);
    EXPECT_TRUE(Admin_LoggedIn);

    frmLogin second;
    QTimer::singleShot(0, &second, [&] { QTest::keyClick(second.txtPassword, Qt::Key_Escape); });
    EXPECT_EQ(second.exec(), QDialog::Rejected);
    EXPECT_FALSE(Admin_LoggedIn);
}

// ---------------------------------------------------------------- set-up

class PasswordSetupTest : public LoginTest {
protected:
    std::function<void(QDialog*)> entering(QString upper, QString lower)
    {
        return [upper, lower](QDialog* d) {
            auto* setup = qobject_cast<frmLogin1*>(d);
            ASSERT_NE(setup, nullptr);
            setup->txtPassword2->setText(upper);
            setup->txtPassword1->setText(lower);
            setup->cmdOK_Click();
        };
    }
};

TEST_F(PasswordSetupTest, SetUpDialogCaptions)
{
    frmLogin1 setup;
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("密碼設定"));
    EXPECT_EQ(setup.lblLabels2->text(), QStringLiteral("輸入新密碼 :"));
    EXPECT_EQ(setup.lblLabels1->text(), QStringLiteral("確認新密碼 :"));
    EXPECT_EQ(setup.cmdOK->text(), QStringLiteral("確 認"));
    EXPECT_EQ(setup.cmdCancel->text(), QStringLiteral("取 消"));
    EXPECT_TRUE(setup.cmdOK->isDefault());
    EXPECT_EQ(setup.txtPassword1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(setup.txtPassword2->echoMode(), QLineEdit::Password);
    for (QLineEdit* box : { setup.txtPassword1, setup.txtPassword2 }) {
        box->setText(QStringLiteral("abc"));
        EXPECT_EQ(box->displayText(), QStringLiteral("***"));
        box->clear();
    }
    // The upper box comes first; Tab goes on to the lower one.
    setup.show();
    setup.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&setup, Event_Wait_Ms));
    setup.txtPassword2->setFocus();
    QTest::keyClick(setup.txtPassword2, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), setup.txtPassword1);
}

TEST_F(PasswordSetupTest, MatchingEntriesStoreMarkerAndPasswordButDoNotLogIn)
{
    QDialog* d = loadWith(entering(QStringLiteral("NewPw1"), QStringLiteral("NewPw1")));
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS1")), QStringLiteral("QTX417"));
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS2")), QStringLiteral("NewPw1"));
    EXPECT_FALSE(Admin_LoggedIn);
    // Read at load, not changed by the set-up.
    EXPECT_EQ(PASS1_Value, QString());
    EXPECT_EQ(PASS2_Value, QString());
    EXPECT_TRUE(registry.hasKey(Registry::CurrentUser, kSettingsKey));
    // PASS1 is written before PASS2.
    int pass1 = -1, pass2 = -1;
    for (int i = 0; i < registry.writes.size(); ++i) {
        if (registry.writes[i].value == QStringLiteral("QTX417")) pass1 = i;
        if (registry.writes[i].value == QStringLiteral("NewPw1")) pass2 = i;
    }
    EXPECT_GE(pass1, 0);
    EXPECT_GT(pass2, pass1);
}

TEST_F(PasswordSetupTest, NextStartShowsTheLoginAndAcceptsTheNewPassword)
{
    loadWith(entering(QStringLiteral("Later"), QStringLiteral("Later")));
    main = std::make_unique<frmMain>();
    Reset_Password_Values();
    QDialog* d = loadWith(typing({ QStringLiteral("later") }));
    EXPECT_NE(qobject_cast<frmLogin*>(d), nullptr);
    EXPECT_TRUE(Admin_LoggedIn);
}

TEST_F(PasswordSetupTest, DifferentEntriesStoreNothingAndSelectTheLowerBox)
{
    frmLogin1* setup = nullptr;
    loadWith([&](QDialog* d) {
        setup = qobject_cast<frmLogin1*>(d);
        registry.writes.clear();
        setup->txtPassword2->setText(QStringLiteral("Abc"));
        setup->txtPassword1->setText(QStringLiteral("abc"));
        setup->cmdOK_Click();
        EXPECT_TRUE(setup->isVisible());
        EXPECT_EQ(setup->txtPassword1->selectedText(), QStringLiteral("abc"));
        EXPECT_TRUE(registry.writes.isEmpty());
        setup->cmdCancel_Click();
    });
    EXPECT_EQ(dialogs.messageTexts(), QStringList{ kMismatch });
    EXPECT_EQ(dialogs.lastMessage()->title, QStringLiteral("錯誤"));
    EXPECT_EQ(dialogs.lastMessage()->icon, Dialogs::Critical);
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS1")), QString());
}

TEST_F(PasswordSetupTest, CancelStoresNothingSoTheNextStartAsksAgain)
{
    loadWith([](QDialog* d) {
        auto* setup = qobject_cast<frmLogin1*>(d);
        setup->txtPassword2->setText(QStringLiteral("x1"));
        setup->txtPassword1->setText(QStringLiteral("x1"));
        setup->cmdCancel_Click();
    });
    EXPECT_NE(registry.get(kHistoryKey, QStringLiteral("PASS1")), QStringLiteral("QTX417"));
    main = std::make_unique<frmMain>();
    EXPECT_NE(qobject_cast<frmLogin1*>(loadWith(nullptr)), nullptr);
}

// Fewer than two characters would be read back as no password at the next start, and an
// empty entry would then log in: such a password is refused, at set-up and at change.
TEST_F(PasswordSetupTest, PasswordsShorterThanTwoCharactersAreRefused)
{
    for (const QString& tooShort : { QString(), QStringLiteral("Z") }) {
        SCOPED_TRACE(tooShort.toStdString());
        main = std::make_unique<frmMain>();
        registry.clear();
        dialogs.clear();
        bool stayedOpen = false;
        loadWith([&](QDialog* d) {
            entering(tooShort, tooShort)(d);
            stayedOpen = d->isVisible();
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(dialogs.messageTexts(), QStringList{ kPasswordTooShortText });
        EXPECT_NE(registry.get(kHistoryKey, QStringLiteral("PASS1")), QStringLiteral("QTX417"));
    }
    setUpDone(QStringLiteral("old"));
    main = std::make_unique<frmMain>();
    loadWith(typing({ QStringLiteral("old") }));
    ASSERT_TRUE(Admin_LoggedIn);
    dialogs.onModal = [&](QDialog* d) {
        d->show();
        entering(QStringLiteral("Z"), QStringLiteral("Z"))(d);
        EXPECT_TRUE(d->isVisible());
        return 0;
    };
    main->mnuViewpassword_Click();
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS2")), QStringLiteral("old"));
}

TEST_F(PasswordSetupTest, StoredLengthCountsBytesAndTheTerminator)
{
    EXPECT_EQ(Registry_String_Length(QStringLiteral("QTX417")), 7);
    EXPECT_EQ(Registry_String_Length(QStringLiteral("12345678901234567890")), 21);
    EXPECT_EQ(Registry_String_Length(QString()), 1);
    EXPECT_EQ(Registry_String_Length(QStringLiteral("密")), 4);
}

// The settings file holds the password: only its owner may read it.
TEST_F(PasswordSetupTest, RealSettingsFileIsPrivateAfterASetUp)
{
    QTemporaryDir settingsDir;
    const QString userFile = settingsDir.filePath(QStringLiteral("Velmondra inc./Morrowburn.conf"));
    QtRegistry real(userFile, QString());
    setPlatform(Platform{ &com, &real, &dialogs, &shell, &clock });
    const mode_t old = ::umask(022);
    loadWith(entering(QStringLiteral("Top Secret"), QStringLiteral("Top Secret")));
    ::umask(old);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(userFile).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(real.readValue(Registry::CurrentUser, kHistoryKey, QStringLiteral("PASS2")), QStringLiteral("Top Secret"));
}

// A settings path that cannot hold the file (a folder is in its place): the set-up says the
// password was not stored and stays open, and the folder keeps its mode.
TEST_F(PasswordSetupTest, SetUpThatCannotBeStoredSaysSoAndStaysOpen)
{
    QTemporaryDir settingsDir;
    const QString userFile = settingsDir.filePath(QStringLiteral("Morrowburn.conf"));
    ASSERT_TRUE(QDir().mkpath(userFile));
    ASSERT_EQ(::chmod(QFile::encodeName(userFile).constData(), 0755), 0);
    QtRegistry real(userFile, QString());
    setPlatform(Platform{ &com, &real, &dialogs, &shell, &clock });
    bool stayedOpen = false;
    loadWith([&](QDialog* d) {
        entering(QStringLiteral("Top Secret"), QStringLiteral("Top Secret"))(d);
        stayedOpen = d->isVisible();
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{ kPasswordNotStoredText });
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(userFile).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
}

// ---------------------------------------------------------------- password change

TEST_F(PasswordSetupTest, PasswordMenuDoesNothingWithoutRights)
{
    setUpDone(QStringLiteral("pw"));
    loadWith(typing({ QStringLiteral("wrong"), QStringLiteral("wrong"), QStringLiteral("wrong"), QStringLiteral("x") }));
    ASSERT_FALSE(Admin_LoggedIn);
    dialogs.clear();
    main->mnuViewpassword_Click();
    main->mnuViewpassword->trigger();
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(PasswordSetupTest, PasswordMenuChangesThePasswordForTheNextStart)
{
    setUpDone(QStringLiteral("old"));
    loadWith(typing({ QStringLiteral("OLD") }));
    ASSERT_TRUE(Admin_LoggedIn);
    QString caption;
    dialogs.onModal = [&](QDialog* d) {
        caption = d->windowTitle();
        d->show();
        entering(QStringLiteral("fresh"), QStringLiteral("fresh"))(d);
        return d->result();
    };
    main->mnuViewpassword->trigger();
    EXPECT_EQ(caption, QStringLiteral("密碼設定"));
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("PASS2")), QStringLiteral("fresh"));
    EXPECT_EQ(PASS2_Value, QStringLiteral("old"));   // this run keeps the old one
    EXPECT_TRUE(Admin_LoggedIn);
}

TEST_F(PasswordSetupTest, DialogsAreHiddenNotDestroyedSoTypedTextStays)
{
    setUpDone(QStringLiteral("old"));
    QDialog* login = loadWith(typing({ QStringLiteral("old") }));
    QList<QDialog*> shown;
    dialogs.onModal = [&](QDialog* d) {
        shown << d;
        auto* setup = qobject_cast<frmLogin1*>(d);
        if (shown.size() == 1) {
            setup->txtPassword2->setText(QStringLiteral("typed"));
            setup->cmdCancel_Click();
        }
        return 0;
    };
    main->mnuViewpassword_Click();
    main->mnuViewpassword_Click();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(qobject_cast<frmLogin1*>(shown[1])->txtPassword2->text(), QStringLiteral("typed"));
    EXPECT_EQ(shown[1]->parent(), main.get());
    // The login is still loaded, hidden.
    EXPECT_EQ(login, main->m_frmLogin);
    EXPECT_FALSE(login->isVisible());
}

TEST_F(PasswordSetupTest, AfterTheFirstSetUpTheMenuShowsThePlainCaption)
{
    loadWith(nullptr);
    Admin_LoggedIn = true;
    QString caption;
    dialogs.onModal = [&](QDialog* d) {
        caption = d->windowTitle();
        return 0;
    };
    main->mnuViewpassword_Click();
    EXPECT_EQ(caption, QStringLiteral("密碼設定"));
}

}  // namespace
