// The main window's dialogs: administrator login and password set-up, settings, About,
// the maker's web site and the error-report mail.
#include "shell/frm_main.h"

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shell/admin_password.h"
#include "shell/frm_about.h"
#include "shell/frm_login.h"
#include "shell/frm_login1.h"
#include "shell/frm_options.h"
#include "shell/mail_link.h"
#include "shell/shell_texts.h"

namespace {
void showModal(QDialog* dialog)
{
    if (Dialogs* dialogs = platform().dialogs) dialogs->showModal(dialog);
}
}  // namespace

void frmMain::Admin_Dialog()
{
    if (Admin_Setup_Done(PASS1_Value)) {
        if (!m_frmLogin) m_frmLogin = new frmLogin(this);
        showModal(m_frmLogin);
        return;
    }
    if (!m_frmLogin1) m_frmLogin1 = new frmLogin1(this);
    m_frmLogin1->setWindowTitle(kFirstPasswordSetupCaption);
    showModal(m_frmLogin1);
    // The caption the password-change menu shows from now on.
    m_frmLogin1->setWindowTitle(kPasswordSetupCaption);
}

void frmMain::Password_Change()
{
    if (!m_frmLogin1) m_frmLogin1 = new frmLogin1(this);
    showModal(m_frmLogin1);
}

void frmMain::mnuViewOptions_Click()
{
    // Its OK closes the port that a waiting burner command reads its reply from.
    if (Burner_Busy()) return;
    frmOptions dialog(this);
    showModal(&dialog);
}

void frmMain::mnuHelpAbout_Click()
{
    if (Burner_Busy()) return;
    frmAbout dialog(this);
    showModal(&dialog);
}

void frmMain::mnuViewWebBrowser_Click()
{
    if (Shell* shell = platform().shell) shell->openUrl(kMakerWebSite);
}

void frmMain::mnuHelpContents_Click()
{
    SendMail(kMakerSalesMail, kErrorMailSubject, QString(), QString(), QString(), QString());
}

void frmMain::SendMail(const QString& Recipient, const QString& Subject, const QString& Body, const QString& CC,
                       const QString& BCC, const QString& Attach)
{
    // What the mail program makes of the link is its own business; nothing is reported.
    if (Shell* shell = platform().shell) shell->openUrl(Mail_Link(Recipient, Subject, Body, CC, BCC, Attach));
}
