#include "spd_document/ui/byte_grid.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "platform/twips.h"
#include "spd_document/spd_record.h"

namespace {
// Cell i: left 600 + 360 x (i mod 16), top 720 + 240 x (i div 16), 240 x 195 twips.
constexpr int kCellLeft = 600, kCellTop = 720, kCellPitchX = 360, kCellPitchY = 240;
constexpr int kCellW = 240, kCellH = 195;
constexpr int kHeaderTop = 240, kRowHeaderLeft = 120;
}

ByteGrid::ByteGrid(QWidget* parent) : QWidget(parent)
{
    m_dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(8);
    setFont(f);
    for (int c = 0; c < 16; ++c) m_headers[static_cast<size_t>(c)].caption = Hex_Byte_Text(static_cast<uint8_t>(c));
    for (int r = 0; r < 16; ++r)
        m_headers[static_cast<size_t>(16 + r)].caption = Hex_Byte_Text(static_cast<uint8_t>(r * 16));
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QRect ByteGrid::twipsRect(int left, int top, int width, int height) const
{
    return QRect(twipsToPixels(left, m_dpi), twipsToPixels(top, m_dpi), twipsToPixels(width, m_dpi),
                 twipsToPixels(height, m_dpi));
}

QRect ByteGrid::cellRect(int index) const
{
    return twipsRect(kCellLeft + kCellPitchX * (index % 16), kCellTop + kCellPitchY * (index / 16), kCellW, kCellH);
}

QRect ByteGrid::headerRect(int index) const
{
    if (index < 16) return twipsRect(kCellLeft + kCellPitchX * index, kHeaderTop, kCellW, kCellH);
    return twipsRect(kRowHeaderLeft, kCellTop + kCellPitchY * (index - 16), kCellW + 120, kCellH);
}

int ByteGrid::cellAt(const QPoint& p) const
{
    for (int i = 0; i < 256; ++i)
        if (cellRect(i).contains(p)) return i;
    return -1;
}

int ByteGrid::headerAt(const QPoint& p) const
{
    for (int i = 0; i < 32; ++i)
        if (headerRect(i).contains(p)) return i;
    return -1;
}

QSize ByteGrid::sizeHint() const
{
    const QRect last = cellRect(255);
    return QSize(last.right() + twipsToPixels(120, m_dpi), last.bottom() + twipsToPixels(120, m_dpi));
}

void ByteGrid::setCaption(int index, const QString& caption)
{
    Cell& c = m_cells[static_cast<size_t>(index)];
    if (c.caption == caption) return;
    c.caption = caption;
    update(cellRect(index));
}

void ByteGrid::setBackColor(int index, uint32_t bgr)
{
    Cell& c = m_cells[static_cast<size_t>(index)];
    if (c.back == bgr) return;
    c.back = bgr;
    update(cellRect(index));
}

void ByteGrid::setForeColor(int index, uint32_t bgr)
{
    Cell& c = m_cells[static_cast<size_t>(index)];
    if (c.fore == bgr) return;
    c.fore = bgr;
    update(cellRect(index));
}

void ByteGrid::setHeaderBackColor(int index, uint32_t bgr)
{
    Cell& c = m_headers[static_cast<size_t>(index)];
    if (c.back == bgr) return;
    c.back = bgr;
    update(headerRect(index));
}

void ByteGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QPalette pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor text = pal.color(QPalette::ButtonText);
    auto paintCell = [&](const QRect& r, const Cell& c, bool header) {
        if (!r.intersects(event->rect())) return;
        p.fillRect(r, c.back == kDefaultColor ? face : bgrToQColor(c.back));
        if (!header) {
            p.setPen(pal.color(QPalette::Mid));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        p.setPen(c.fore == kDefaultColor ? text : bgrToQColor(c.fore));
        p.drawText(r, Qt::AlignCenter, c.caption);
    };
    for (int i = 0; i < 32; ++i) paintCell(headerRect(i), m_headers[static_cast<size_t>(i)], true);
    for (int i = 0; i < 256; ++i) paintCell(cellRect(i), m_cells[static_cast<size_t>(i)], false);
}

void ByteGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const int cell = cellAt(pos);
    if (cell >= 0) {
        emit cellClicked(cell);
        return;
    }
    const int header = headerAt(pos);
    if (header >= 0) emit headerClicked(header);
}

bool ByteGrid::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int cell = cellAt(help->pos());
        if (cell >= 0 && !m_cells[static_cast<size_t>(cell)].tooltip.isEmpty())
            QToolTip::showText(help->globalPos(), m_cells[static_cast<size_t>(cell)].tooltip, this, cellRect(cell));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
