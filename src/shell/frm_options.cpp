#include "shell/frm_options.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/com_port.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "shell/shell_texts.h"
#include "spd_document/globals.h"

frmOptions::frmOptions(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(kOptionsCaption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    FraNumber = new QGroupBox(kNumberFrameCaption, this);
    auto* numberLayout = new QVBoxLayout(FraNumber);
    auto* numberGroup = new QButtonGroup(this);
    const QString numberCaptions[] = { kDecModeCaption, kHexModeCaption };
    for (int i = 0; i < 2; ++i) {
        OptNum[static_cast<size_t>(i)] = new QRadioButton(numberCaptions[i], FraNumber);
        numberGroup->addButton(OptNum[static_cast<size_t>(i)], i);
        numberLayout->addWidget(OptNum[static_cast<size_t>(i)]);
    }

    Frame1 = new QGroupBox(kPortFrameCaption, this);
    auto* portLayout = new QVBoxLayout(Frame1);
    auto* portGroup = new QButtonGroup(this);
    for (int i = 1; i <= 4; ++i) {
        optCom[static_cast<size_t>(i)] = new QRadioButton(QStringLiteral("Com") + QString::number(i), Frame1);
        portGroup->addButton(optCom[static_cast<size_t>(i)], i);
        portLayout->addWidget(optCom[static_cast<size_t>(i)]);
    }

    cmdOK = new QPushButton(kOptionsOkButton, this);
    cmdCancel = new QPushButton(kOptionsCancelButton, this);

    auto* frames = new QHBoxLayout;
    frames->addWidget(FraNumber);
    frames->addWidget(Frame1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);

    Form_Load();
}

void frmOptions::Form_Load()
{
    if (Com_Port == 0) Com_Port = 1;
    // Only the settings dialog and the load set these, so they are in range; should one
    // not be, the dialog still shows one choice per group.
    const int mode = (Num_Mode == 1) ? 1 : 0;
    const int port = (Com_Port >= 1 && Com_Port <= 4) ? Com_Port : 1;
    OptNum[static_cast<size_t>(mode)]->setChecked(true);
    optCom[static_cast<size_t>(port)]->setChecked(true);
}

void frmOptions::cmdOK_Click()
{
    Registry* reg = platform().registry;
    if (reg) {
        reg->createKey(Registry::CurrentUser, kProgramKey);
        reg->createKey(Registry::CurrentUser, kSettingsKey);
    }
    Num_Mode = OptNum[1]->isChecked() ? 1 : 0;
    for (int i = 1; i <= 4; ++i)
        if (optCom[static_cast<size_t>(i)]->isChecked()) Com_Port = static_cast<uint8_t>(i);
    if (ComPort* com = platform().com) {
        if (com->isOpen()) com->close();
        com->setPortNumber(Com_Port);
    }
    if (reg)
        reg->writeValue(Registry::CurrentUser, kSettingsKey, QStringLiteral("CommPort"), QString::number(Com_Port));
    accept();
}

void frmOptions::cmdCancel_Click() { QDialog::reject(); }

void frmOptions::reject() { cmdCancel_Click(); }
