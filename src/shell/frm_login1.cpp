#include "shell/frm_login1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "shell/admin_password.h"
#include "shell/frm_login.h"
#include "shell/shell_texts.h"

frmLogin1::frmLogin1(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(kPasswordSetupCaption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblLabels2 = new QLabel(kNewPasswordPrompt, this);
    txtPassword2 = new QLineEdit(this);
    lblLabels1 = new QLabel(kConfirmPasswordPrompt, this);
    txtPassword1 = new QLineEdit(this);
    for (QLineEdit* box : { txtPassword2, txtPassword1 }) {
        Make_Password_Box(box);
        box->setMinimumWidth(180);
    }
    lblLabels2->setBuddy(txtPassword2);
    lblLabels1->setBuddy(txtPassword1);

    cmdOK = new QPushButton(kConfirmButton, this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(kCancelButton, this);
    cmdCancel->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblLabels2, 0, 0);
    grid->addWidget(txtPassword2, 0, 1);
    grid->addWidget(lblLabels1, 1, 0);
    grid->addWidget(txtPassword1, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    setTabOrder(txtPassword2, txtPassword1);
    setTabOrder(txtPassword1, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    txtPassword2->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin1::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin1::cmdCancel_Click);
}

void frmLogin1::cmdOK_Click()
{
    Dialogs* dialogs = platform().dialogs;
    auto refuse = [dialogs](const QString& text, QLineEdit* box) {
        if (dialogs) dialogs->messageBox(text, Dialogs::OkOnly, Dialogs::Critical, kErrorTitle);
        box->setFocus();
        box->selectAll();
    };
    const QString password = txtPassword2->text();
    if (txtPassword1->text() != password) {
        refuse(kPasswordMismatchText, txtPassword1);
        return;
    }
    // A shorter password would be stored but read back as none at the next start, and
    // then an empty entry would log in.
    if (!Password_Long_Enough(password)) {
        refuse(kPasswordTooShortText, txtPassword2);
        return;
    }
    // A set-up that could not be stored stays open: it would otherwise look done and be
    // asked for again at the next start.
    if (!Store_Password(password)) {
        refuse(kPasswordNotStoredText, txtPassword2);
        return;
    }
    done(QDialog::Accepted);
}

void frmLogin1::cmdCancel_Click() { done(QDialog::Rejected); }

void frmLogin1::reject() { cmdCancel_Click(); }
