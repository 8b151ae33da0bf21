#include "platform/qt/qt_printer.h"

#include "platform/twips.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <cmath>

const QString QtPrinter::Preferred_Family = QStringLiteral("Noto Sans Mono CJK TC");

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer))
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Twips count from the printable area, where the printer's margins put the origin.
    printer_->setFullPage(false);
    face_ = fixedPitchFont(Preferred_Family);
    points_ = QFont().pointSizeF();
}

QtPrinter::QtPrinter(const QString& pdfFile, int marginTwips, const QPageSize& paper)
    : QtPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfFile);
    if (paper.isValid())
        printer_->setPageSize(paper);
    const double m = std::max(0, marginTwips) / 20.0; // points
    printer_->setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Point);
}

QtPrinter::~QtPrinter()
{
    endDoc();
}

QFont QtPrinter::fixedPitchFont(const QString& family)
{
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setKerning(false);
    // A face whose digits are not half the em wide gets its spacing changed to that pitch,
    // so that the page's fixed columns still line up.
    const double size = 100.0;
    font.setPointSizeF(size);
    const QFontMetricsF fm(font);
    const double reference = size * fm.fontDpi() / 72.0; // the em in pixels
    const double digit = fm.horizontalAdvance(QLatin1Char('0'));
    if (digit > 0 && std::abs(digit * 2 - reference) > reference * 0.01)
        font.setLetterSpacing(QFont::PercentageSpacing, 100.0 * reference / (2 * digit));
    return font;
}

void QtPrinter::setCurrentX(int twips) { x_ = twips; }
void QtPrinter::setCurrentY(int twips) { y_ = twips; }
int QtPrinter::currentX() const { return x_; }
int QtPrinter::currentY() const { return y_; }

void QtPrinter::setFontSize(double points)
{
    if (points > 0)
        points_ = points;
}

double QtPrinter::fontSize() const { return points_; }
void QtPrinter::setFontBold(bool on) { bold_ = on; }
void QtPrinter::setFontUnderline(bool on) { underline_ = on; }
void QtPrinter::setForeColor(uint32_t bgr) { color_ = bgr & 0xFFFFFF; }
uint32_t QtPrinter::foreColor() const { return color_; }

QFont QtPrinter::currentFont() const
{
    QFont f = face_;
    f.setPointSizeF(points_);
    f.setBold(bold_);
    f.setUnderline(underline_);
    return f;
}

double QtPrinter::toDevice(int twips) const
{
    return twips * static_cast<double>(printer_->resolution()) / 1440.0;
}

double QtPrinter::toTwips(double device) const
{
    return device * 1440.0 / printer_->resolution();
}

int QtPrinter::lineHeightTwips() const
{
    const QFontMetricsF fm(currentFont(), printer_.get());
    return static_cast<int>(std::lround(toTwips(fm.lineSpacing())));
}

int QtPrinter::textWidth(const QString& text) const
{
    const QFontMetricsF fm(currentFont(), printer_.get());
    return static_cast<int>(std::lround(toTwips(fm.horizontalAdvance(text))));
}

void QtPrinter::printLine(const QString& text)
{
    if (!painter_.isActive()) {
        failed_ = !painter_.begin(printer_.get());
    }
    if (painter_.isActive())
        page_.push_back({currentFont(), bgrToQColor(color_), x_, y_, text});
    x_ = 0;
    y_ += lineHeightTwips();
}

void QtPrinter::drawPage()
{
    // How far the lines reach, in device pixels; blanks at a line's end print nothing.
    double right = 0, bottom = 0;
    for (const Line& line : page_) {
        const QFontMetricsF fm(line.font, printer_.get());
        QString shown = line.text;
        while (!shown.isEmpty() && shown.back().isSpace()) shown.chop(1);
        right = std::max(right, toDevice(line.x) + fm.horizontalAdvance(shown));
        bottom = std::max(bottom, toDevice(line.y) + fm.height());
    }
    const QRectF printable = printer_->pageRect(QPrinter::DevicePixel);
    double scale = 1.0;
    if (right > printable.width()) scale = std::min(scale, printable.width() / right);
    if (bottom > printable.height()) scale = std::min(scale, printable.height() / bottom);
    lastScale_ = scale;

    painter_.save();
    painter_.scale(scale, scale);
    for (const Line& line : page_) {
        painter_.setFont(line.font);
        painter_.setPen(line.colour);
        // The metrics of the font as the painter uses it on this device.
        const QFontMetricsF fm(painter_.font(), painter_.device());
        painter_.drawText(QPointF(toDevice(line.x), toDevice(line.y) + fm.ascent()), line.text);
    }
    painter_.restore();
    page_.clear();
}

void QtPrinter::endDoc()
{
    if (painter_.isActive()) {
        drawPage();
        painter_.end();
    }
    page_.clear();
}
