#include "burner/ui/burner_panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/twips.h"

namespace {
QRect tw(int l, int t, int w, int h)
{
    return QRect(twipsToPixels(l), twipsToPixels(t), twipsToPixels(w), twipsToPixels(h));
}

QPushButton* button(QWidget* parent, const QString& caption, const QString& tip, const QRect& r)
{
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(tip);
    b->setGeometry(r);
    return b;
}

QLabel* label(QWidget* parent, const QString& caption, const QRect& r)
{
    auto* l = new QLabel(caption, parent);
    l->setGeometry(r);
    return l;
}
}

BurnerPanel::BurnerPanel(QWidget* host) : QObject(host)
{
    // Frame4 "SPD 燒錄器" right of the grid.
    Frame4 = new QGroupBox(QStringLiteral("SPD 燒錄器"), host);
    Frame4->setGeometry(tw(6600, 0, 4200, 6600));

    Command1 = button(Frame4, QStringLiteral("下   傳 =>"), QStringLiteral("檔案下傳到SPD燒錄機"), tw(120, 300, 1900, 360));
    Command2 = button(Frame4, QStringLiteral("<= 讀取燒錄機"), QStringLiteral("讀取燒錄機SPD值"), tw(120, 700, 1900, 360));
    Command3 = button(Frame4, QStringLiteral("<=  比  對  =>"), QStringLiteral("電腦與燒錄機做比對"), tw(120, 1100, 1900, 360));
    Command4 = button(Frame4, QStringLiteral("清除 (00) =>"), QStringLiteral("清除燒錄機SPD值"), tw(120, 1500, 1900, 360));
    Command9 = button(Frame4, QStringLiteral("<= 讀取模組"), QStringLiteral("讀取模組SPD值"), tw(120, 1900, 1900, 360));

    Frame6 = new QGroupBox(QStringLiteral("SPD 燒錄機"), Frame4);
    Frame6->setGeometry(tw(2120, 240, 1960, 2880));
    Command5 = button(Frame6, QStringLiteral("讀 取"), QStringLiteral("讀取模組SPD值到燒錄機"), tw(100, 260, 1760, 330));
    Command6 = button(Frame6, QStringLiteral("拷 貝"), QStringLiteral("將燒錄機SPD值拷貝到模組"), tw(100, 620, 1760, 330));
    Command7 = button(Frame6, QStringLiteral("比 對"), QStringLiteral("燒錄機與模組做比對"), tw(100, 980, 1760, 330));
    Command8 = button(Frame6, QStringLiteral("連片複製+比對"), QStringLiteral("燒錄機SPD值拷貝到燒錄連板"), tw(100, 1340, 1760, 330));
    Check1 = new QCheckBox(QStringLiteral("自動產生序號"), Frame6);
    Check1->setGeometry(tw(100, 1720, 1760, 280));
    Check4 = new QCheckBox(QStringLiteral("燒錄機按鍵上鎖"), Frame6);
    Check4->setGeometry(tw(100, 2010, 1760, 280));
    Label96 = label(Frame6, QStringLiteral("00000000"), tw(100, 2300, 1000, 250));
    Label149 = label(Frame6, QString(), tw(1100, 2300, 800, 250));

    Frame12 = new QGroupBox(QStringLiteral("自動序號選擇"), Frame4);
    Frame12->setGeometry(tw(120, 2340, 1900, 800));
    Option1[0] = new QRadioButton(QStringLiteral("由低至高"), Frame12);
    Option1[0]->setGeometry(tw(100, 220, 1700, 260));
    Option1[1] = new QRadioButton(QStringLiteral("由高至低"), Frame12);
    Option1[1]->setGeometry(tw(100, 490, 1700, 260));

    // Frame7 "燒錄狀態": one row per socket.
    Frame7 = new QGroupBox(QStringLiteral("燒錄狀態"), host);
    Frame7->setGeometry(tw(10900, 0, 3300, 4100));
    Label151 = label(Frame7, QStringLiteral("序號"), tw(1900, 220, 1200, 250));
    Label150 = label(Frame7, QStringLiteral("Label150"), tw(120, 220, 1000, 250));
    for (int s = 0; s < 8; ++s) {
        const int y = 520 + s * 420;
        SocketImage[static_cast<size_t>(s)] = label(Frame7, QString(), tw(120, y, 200, 250));
        SocketImage[static_cast<size_t>(s)]->setStyleSheet(QStringLiteral("background: #808080;"));
        SocketName[static_cast<size_t>(s)] = label(Frame7, QStringLiteral("DIMM%1").arg(s + 1), tw(360, y, 700, 250));
        SocketPass[static_cast<size_t>(s)] = label(Frame7, QStringLiteral("PASS"), tw(1060, y, 400, 250));
        SocketFail[static_cast<size_t>(s)] = label(Frame7, QStringLiteral("FAIL"), tw(1460, y, 400, 250));
        SocketSerial[static_cast<size_t>(s)] = label(Frame7, QStringLiteral("00000000"), tw(1900, y, 1200, 250));
    }

    // Frame8 "燒錄次數": success and failure counts.
    Frame8 = new QGroupBox(QStringLiteral("燒錄次數"), host);
    Frame8->setGeometry(tw(10900, 4200, 3300, 1400));
    Label92 = label(Frame8, QStringLiteral("成功 :"), tw(120, 260, 800, 250));
    Label94 = label(Frame8, QStringLiteral("0"), tw(950, 260, 1000, 250));
    Label93 = label(Frame8, QStringLiteral("失敗 :"), tw(120, 580, 800, 250));
    Label95 = label(Frame8, QStringLiteral("0"), tw(950, 580, 1000, 250));
    Command10 = button(Frame8, QStringLiteral("重置"), QString(), tw(2000, 380, 1100, 360));
}

QRect BurnerPanel::frame9Area() const { return tw(120, 3200, 3960, 1100); }
QRect BurnerPanel::frame5Area() const { return tw(120, 4400, 3960, 2100); }

void BurnerPanel::placeAt(int x)
{
    const int dx = x - Frame4->x();
    for (QGroupBox* f : { Frame4, Frame7, Frame8 }) f->move(f->x() + dx, f->y());
}
