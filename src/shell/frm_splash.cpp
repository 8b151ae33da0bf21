#include "shell/frm_splash.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "spd_document/globals.h"

frmSplash::frmSplash(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    auto* layout = new QVBoxLayout(this);
    lblProductName = new QLabel(kProgramTitle, this);
    QFont f = lblProductName->font();
    f.setPointSize(24);
    f.setBold(true);
    lblProductName->setFont(f);
    lblProductName->setAlignment(Qt::AlignCenter);
    lblVersion = new QLabel(QStringLiteral("Version 3.0.0"), this);
    lblVersion->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblProductName);
    layout->addWidget(lblVersion);
    resize(420, 220);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::Timer1_Timer() { accept(); }

void frmSplash::mousePressEvent(QMouseEvent*) { accept(); }

void frmSplash::keyPressEvent(QKeyEvent*) { accept(); }
