#include "shell/frm_splash.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

#include "shell/shell_pictures.h"
#include "shell/shell_texts.h"

namespace {
QLabel* makeLabel(const QString& text, int pixelSize, bool bold, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: #F8E9B0; background: transparent;"));
    label->adjustSize();
    return label;
}
}  // namespace

frmSplash::frmSplash(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    const QSize size(480, 300);
    setFixedSize(size);

    Image1 = new QLabel(this);
    Image1->setPixmap(Splash_Picture(size));
    Image1->setGeometry(0, 0, size.width(), size.height());
    Image1->installEventFilter(this);

    // The labels lie over the picture; a click on them does not reach it.
    Label2[1] = makeLabel(kSplashMemoryLine, 26, true, this);
    Label2[1]->move(28, 226);
    Label2[0] = makeLabel(kSplashDdrLine, 26, true, this);
    Label2[0]->move(Label2[1]->x() + Label2[1]->width() + 18, 226);
    Label1 = makeLabel(kSplashVersionLine, 14, false, this);
    Label1->move(size.width() - Label1->width() - 14, size.height() - Label1->height() - 8);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::Image1_Click() { accept(); }

void frmSplash::Timer1_Timer() { accept(); }

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        Image1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
