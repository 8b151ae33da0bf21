#include "shell/frm_login.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "shell/admin_password.h"
#include "shell/shell_texts.h"
#include "spd_document/globals.h"

void Make_Password_Box(QLineEdit* box)
{
    box->setEchoMode(QLineEdit::Password);
    // The style's own mask character (often a bullet) gives way to the program's.
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                           .arg(kPasswordMaskChar.unicode()));
}

frmLogin::frmLogin(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(kLoginCaption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblLabels = new QLabel(kLoginPrompt, this);
    txtPassword = new QLineEdit(this);
    Make_Password_Box(txtPassword);
    txtPassword->setMinimumWidth(180);
    lblLabels->setBuddy(txtPassword);

    cmdOK = new QPushButton(kConfirmButton, this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(kCancelButton, this);
    cmdCancel->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblLabels, 0, 0);
    grid->addWidget(txtPassword, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 1, 0, 1, 2);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    Form_Load();
}

void frmLogin::Form_Load()
{
    Login_Fails = 0;
}

void frmLogin::cmdOK_Click()
{
    if (Login_Accepts(txtPassword->text(), PASS2_Value)) {
        Admin_LoggedIn = true;
        done(QDialog::Accepted);
        return;
    }
    if (Dialogs* dialogs = platform().dialogs)
        dialogs->messageBox(kLoginFailText, Dialogs::OkOnly, Dialogs::Critical, kErrorTitle);
    txtPassword->setFocus();
    txtPassword->selectAll();
    ++Login_Fails;
    if (Login_Fails > 3) {
        Admin_LoggedIn = false;
        done(QDialog::Rejected);
    }
}

void frmLogin::cmdCancel_Click()
{
    Admin_LoggedIn = false;
    done(QDialog::Rejected);
}

void frmLogin::reject() { cmdCancel_Click(); }
