#include "shell/frm_about.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shell/shell_pictures.h"
#include "shell/shell_texts.h"
#include "spd_document/globals.h"

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Picture1 = new QLabel(this);
    Picture1->setPixmap(Maker_Logo(64));
    Picture1->setFixedSize(64, 64);

    lblTitle = new QLabel(this);
    QFont titleFont;
    titleFont.setFamilies({ QStringLiteral("Monotype Corsiva"), QStringLiteral("URW Chancery L"),
                            QStringLiteral("Z003"), QStringLiteral("TeX Gyre Chorus") });
    titleFont.setPointSize(24);
    titleFont.setItalic(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(this);
    lblDisclaimer = new QLabel(this);
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setMinimumWidth(300);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    cmdOK = new QPushButton(kAboutCloseButton, this);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(kAboutSysInfoButton, this);
    cmdSysInfo->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Picture1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2, Qt::AlignTop);
    grid->addWidget(rule, 2, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 3, 0, 2, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);
    grid->addLayout(buttons, 3, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    resize(520, 260);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    localSysInfoPrograms = Find_Local_SysInfo_Programs();
    Form_Load();
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version ") + QString::number(kVersionMajor) + QLatin1Char('.') +
                        QString::number(kVersionMinor) + QLatin1Char('.') + QString::number(kVersionRevision));
    lblDisclaimer->setText(kAboutDisclaimer);
    setWindowTitle(QStringLiteral("About ") + kProgramTitle);
    lblTitle->setText(kProgramTitle);
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

QList<frmAbout::SysInfoProgram> frmAbout::Find_Local_SysInfo_Programs()
{
    // Desktop tools that show the hardware and system summary, best first.
    const SysInfoProgram candidates[] = {
        { QStringLiteral("hardinfo2"), {} },
        { QStringLiteral("hardinfo"), {} },
        { QStringLiteral("kinfocenter"), {} },
        { QStringLiteral("gnome-control-center"), { QStringLiteral("info-overview") } },
        { QStringLiteral("lshw-gtk"), {} },
    };
    QList<SysInfoProgram> found;
    for (const SysInfoProgram& c : candidates) {
        const QString path = QStandardPaths::findExecutable(c.path);
        if (!path.isEmpty()) found.append({ path, c.args });
    }
    return found;
}

bool frmAbout::GetKeyValue(Registry::Root KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                           QString& KeyVal)
{
    KeyVal.clear();
    Registry* reg = platform().registry;
    if (!reg) return false;
    const std::optional<QString> value = reg->readValue(KeyRoot, KeyName, SubKeyRef);
    if (!value) return false;
    // The value is read into a buffer of 1024 bytes: a longer one cannot be read.
    if (value->toUtf8().size() + 1 > 1024) return false;
    const int nul = static_cast<int>(value->indexOf(QChar(0)));
    KeyVal = nul >= 0 ? value->left(nul) : *value;
    return true;
}

void frmAbout::StartSysInfo()
{
    Shell* shell = platform().shell;
    QString path;
    QStringList args;
    if (GetKeyValue(Registry::LocalMachine, kSysInfoKey, kSysInfoValue, path)) {
        // The registered path is started as it stands.
    } else if (GetKeyValue(Registry::LocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, path) && shell &&
               shell->programExists(path + kSysInfoProgramName)) {
        path += kSysInfoProgramName;
    } else {
        path.clear();
        for (const SysInfoProgram& p : localSysInfoPrograms) {
            if (shell && shell->programExists(p.path)) {
                path = p.path;
                args = p.args;
                break;
            }
        }
    }
    if (path.isEmpty() || !shell || !shell->startProgram(path, args)) showUnavailable();
}

void frmAbout::showUnavailable()
{
    if (Dialogs* dialogs = platform().dialogs) dialogs->messageBox(kSysInfoUnavailable, Dialogs::OkOnly, Dialogs::NoIcon);
}
