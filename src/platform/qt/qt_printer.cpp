#include "platform/qt/qt_printer.h"

#include "platform/twips.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <cmath>

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer))
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Twips count from the printable area, where the printer's margins put the origin.
    printer_->setFullPage(false);
    points_ = QFont().pointSizeF();
}

QtPrinter::QtPrinter(const QString& pdfFile, int marginTwips)
    : QtPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfFile);
    const double m = std::max(0, marginTwips) / 20.0; // points
    printer_->setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Point);
}

QtPrinter::~QtPrinter()
{
    if (painter_.isActive())
        painter_.end();
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
    QFont f; // the default typeface
    f.setPointSizeF(points_);
    f.setBold(bold_);
    f.setUnderline(underline_);
    return f;
}

double QtPrinter::toDevice(int twips) const
{
    return twips * static_cast<double>(printer_->resolution()) / 1440.0;
}

int QtPrinter::lineHeightTwips() const
{
    const QFontMetricsF fm(currentFont(), printer_.get());
    return static_cast<int>(std::lround(fm.lineSpacing() * 1440.0 / printer_->resolution()));
}

void QtPrinter::printLine(const QString& text)
{
    if (!painter_.isActive()) {
        failed_ = !painter_.begin(printer_.get());
    }
    if (painter_.isActive()) {
        const QFont font = currentFont();
        painter_.setFont(font);
        painter_.setPen(bgrToQColor(color_));
        // The metrics of the font as the painter uses it on this device.
        const QFontMetricsF fm(painter_.font(), painter_.device());
        painter_.drawText(QPointF(toDevice(x_), toDevice(y_) + fm.ascent()), text);
    }
    x_ = 0;
    y_ += lineHeightTwips();
}

void QtPrinter::endDoc()
{
    if (painter_.isActive())
        painter_.end();
}
