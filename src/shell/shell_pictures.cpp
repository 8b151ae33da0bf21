#include "shell/shell_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

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
