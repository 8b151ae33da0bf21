#include "shell/shell_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

#include "spd_document/globals.h"

QPixmap Splash_Picture(const QSize& size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0x0B, 0x1E, 0x4A));
    sky.setColorAt(1.0, QColor(0x1D, 0x5C, 0x9E));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // A memory module: green board, eight chips, the SPD EEPROM and gold contacts.
    const QRectF board(w * 0.08, h * 0.46, w * 0.84, h * 0.30);
    p.setPen(QPen(QColor(0x0A, 0x3D, 0x1C), 2));
    p.setBrush(QColor(0x1F, 0x7A, 0x3A));
    p.drawRoundedRect(board, 4, 4);
    const qreal chipW = board.width() / 10.5;
    for (int i = 0; i < 8; ++i) {
        const QRectF chip(board.left() + chipW * 0.5 + i * chipW * 1.2, board.top() + board.height() * 0.14,
                          chipW, board.height() * 0.48);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x15, 0x15, 0x18));
        p.drawRect(chip);
    }
    const QRectF eeprom(board.right() - chipW * 1.1, board.top() + board.height() * 0.66, chipW * 0.55,
                        board.height() * 0.16);
    p.setBrush(QColor(0x30, 0x30, 0x36));
    p.drawRect(eeprom);
    p.setBrush(QColor(0xD4, 0xA5, 0x2C));
    const int pins = 36;
    const qreal pitch = (board.width() - 20) / pins;
    for (int i = 0; i < pins; ++i)
        p.drawRect(QRectF(board.left() + 10 + i * pitch, board.bottom() - board.height() * 0.16, pitch * 0.6,
                          board.height() * 0.14));

    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(static_cast<int>(h * 0.16));
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(QColor(0xF2, 0xF2, 0xF2));
    p.drawText(QRectF(w * 0.06, h * 0.06, w * 0.9, h * 0.22), Qt::AlignLeft | Qt::AlignVCenter, kProgramTitle);
    QFont sub(QStringLiteral("Times New Roman"));
    sub.setPixelSize(static_cast<int>(h * 0.06));
    p.setFont(sub);
    p.setPen(QColor(0xB8, 0xCC, 0xE8));
    p.drawText(QRectF(w * 0.065, h * 0.27, w * 0.9, h * 0.10), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("SPD Editor and Burner"));
    return pixmap;
}

QPixmap Maker_Logo(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    QLinearGradient g(0, 0, s, s);
    g.setColorAt(0.0, QColor(0x1D, 0x5C, 0x9E));
    g.setColorAt(1.0, QColor(0x0B, 0x1E, 0x4A));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    // A "V" of two strokes.
    QPainterPath v;
    v.moveTo(s * 0.24, s * 0.26);
    v.lineTo(s * 0.50, s * 0.76);
    v.lineTo(s * 0.76, s * 0.26);
    p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E), s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
    return pixmap;
}

// ---------------------------------------------------------------- toolbar keys

namespace {

// Every picture is drawn on a 24-unit square, scaled to the requested size. Bright fills
// inside a dark outline read on light and on dark toolbars alike.
const QColor kOutline(0x26, 0x2A, 0x30);
const QColor kPaper(0xFA, 0xFA, 0xF7);

void drawNew(QPainter& p)
{
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14, 2.5);
    page.lineTo(19, 7.5);
    page.lineTo(19, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(14, 2.5), QPointF(14, 7.5));
    p.drawLine(QPointF(14, 7.5), QPointF(19, 7.5));
    // A green plus in the lower corner: a new, empty document.
    p.setBrush(QColor(0x2E, 0x9E, 0x44));
    p.drawEllipse(QPointF(17, 17.5), 5.5, 5.5);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 14.5), QPointF(17, 20.5));
    p.drawLine(QPointF(14, 17.5), QPointF(20, 17.5));
}

void drawOpen(QPainter& p)
{
    p.setBrush(QColor(0xC8, 0x8A, 0x1C));
    QPainterPath back;
    back.moveTo(2.5, 5);
    back.lineTo(9, 5);
    back.lineTo(11, 7);
    back.lineTo(19.5, 7);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.drawPath(back);
    // The opened front flap.
    p.setBrush(QColor(0xF5, 0xC2, 0x42));
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6, 10.5);
    front.lineTo(22.5, 10.5);
    front.lineTo(19.5, 19.5);
    front.closeSubpath();
    p.drawPath(front);
}

void drawSave(QPainter& p)
{
    QPainterPath disk;
    disk.moveTo(3, 3);
    disk.lineTo(18, 3);
    disk.lineTo(21, 6);
    disk.lineTo(21, 21);
    disk.lineTo(3, 21);
    disk.closeSubpath();
    p.setBrush(QColor(0x2F, 0x6F, 0xC0));
    p.drawPath(disk);
    p.setBrush(QColor(0xD8, 0xDD, 0xE4));
    p.drawRect(QRectF(7, 3, 10, 6.5));
    p.setBrush(kOutline);
    p.drawRect(QRectF(13.5, 4.2, 2, 4));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 13, 12, 8));
}

void drawPrint(QPainter& p)
{
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 2.5, 10, 7));
    p.setBrush(QColor(0x8A, 0x93, 0x9E));
    p.drawRoundedRect(QRectF(2.5, 9, 19, 9), 1.5, 1.5);
    p.setBrush(QColor(0x4C, 0xD1, 0x37));
    p.drawEllipse(QPointF(18.5, 12), 1, 1);
    // The printed page coming out, with lines of text.
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 15, 12, 7));
    p.drawLine(QPointF(8, 18), QPointF(16, 18));
    p.drawLine(QPointF(8, 20), QPointF(14, 20));
}

void drawWizard(QPainter& p)
{
    // A wand with a star at its tip.
    p.setPen(QPen(kOutline, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 20), QPointF(14, 10));
    p.setPen(QPen(QColor(0x7B, 0x4F, 0xC9), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 20), QPointF(14, 10));
    p.setPen(QPen(kOutline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath star;
    const QPointF c(16.5, 7.5);
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? 6.0 : 2.6;
        const qreal a = (-90 + i * 36) * 3.14159265358979 / 180.0;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setBrush(QColor(0xFF, 0xD0, 0x2E));
    p.drawPath(star);
}

void drawMail(QPainter& p)
{
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 5.5, 19, 13));
    p.setBrush(QColor(0xE4, 0xE7, 0xEC));
    QPainterPath flap;
    flap.moveTo(2.5, 5.5);
    flap.lineTo(12, 13);
    flap.lineTo(21.5, 5.5);
    p.drawPath(flap);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(2.5, 18.5), QPointF(9.5, 11.5));
    p.drawLine(QPointF(21.5, 18.5), QPointF(14.5, 11.5));
}

void drawConnect(QPainter& p)
{
    // Two arrows chasing each other round a circle: ask the burner again.
    const QRectF ring(4, 4, 16, 16);
    for (int half = 0; half < 2; ++half) {
        const int start = half == 0 ? 100 * 16 : 280 * 16;
        p.setPen(QPen(kOutline, 4.4, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(ring, start, 150 * 16);
        p.setPen(QPen(QColor(0x1F, 0x9E, 0xB8), 2.4, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(ring, start, 150 * 16);
    }
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0x1F, 0x9E, 0xB8));
    // Arrow heads at the end of each arc (250 and 70 degrees, counter-clockwise).
    for (const qreal deg : { 250.0, 70.0 }) {
        const qreal a = deg * 3.14159265358979 / 180.0;
        const QPointF tip(12 + 8 * std::cos(a), 12 - 8 * std::sin(a));
        // The direction of travel along a counter-clockwise arc.
        const QPointF along(-std::sin(a), -std::cos(a));
        const QPointF out(std::cos(a), -std::sin(a));
        QPolygonF head;
        head << tip + along * 3.5 << tip + out * 3.6 << tip - out * 3.6;
        p.drawPolygon(head);
    }
}

QPixmap toolbarPicture(void (*draw)(QPainter&), int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 24.0, side / 24.0);
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    draw(p);
    return pixmap;
}

} // namespace

QIcon Toolbar_Icon(const QString& key)
{
    struct Picture {
        const char* key;
        const char* themeName;
        void (*draw)(QPainter&);
    };
    static const Picture pictures[] = {
        { "NEW", "document-new", drawNew },
        { "OPEN", "document-open", drawOpen },
        { "SAVE", "document-save", drawSave },
        { "PRINT", "document-print", drawPrint },
        { "WIZARD", "tools-wizard", drawWizard },
        { "MAIL", "mail-message-new", drawMail },
        { "CONNECT", "view-refresh", drawConnect },
    };
    for (const Picture& pic : pictures) {
        if (key != QLatin1String(pic.key))
            continue;
        QIcon drawn;
        for (int side : { 16, 22, 24, 32, 48 })
            drawn.addPixmap(toolbarPicture(pic.draw, side));
        return QIcon::fromTheme(QString::fromLatin1(pic.themeName), drawn);
    }
    return QIcon();
}
