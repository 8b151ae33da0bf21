#pragma once
// The page printer on a QPrinter. Positions are twips from the top-left of the printable
// area; a position names the top of the text. The document begins with the first line
// printed and ends with endDoc(). Text is set in a fixed-pitch face whose Latin characters
// are half the em wide, with CJK glyphs for Chinese names. The page is drawn when the
// document ends: a page whose lines reach past the printable area is scaled down as a
// whole, the same factor for positions and font sizes, so that nothing is cut.
#include "platform/printer.h"

#include <QColor>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <memory>
#include <vector>

class QPrinter;

class QtPrinter : public Printer {
public:
    // The face looked for first; it has Latin at half the em and Traditional Chinese glyphs.
    static const QString Preferred_Family;

    // A printer chosen in the printer dialog.
    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    // A PDF file on the given paper (the default paper when invalid) with the given margin
    // around the printable area (a quarter inch is what most printers cannot reach).
    explicit QtPrinter(const QString& pdfFile, int marginTwips = 360, const QPageSize& paper = QPageSize());
    ~QtPrinter() override;

    void setCurrentX(int twips) override;
    void setCurrentY(int twips) override;
    int currentX() const override;
    int currentY() const override;
    void setFontSize(double points) override;
    double fontSize() const override;
    void setFontBold(bool on) override;
    void setFontUnderline(bool on) override;
    void setForeColor(uint32_t bgr) override;
    uint32_t foreColor() const override;
    void printLine(const QString& text) override;
    int textWidth(const QString& text) const override;
    // Draws the page and ends the document, which sends it; printing again starts a new
    // document.
    void endDoc() override;

    // The fixed-pitch face of the given family, or the system's fixed-pitch face when the
    // family is not installed; either is spaced so that a Latin character is half the em.
    static QFont fixedPitchFont(const QString& family);

    // The height of one line of the current font, in twips.
    int lineHeightTwips() const;
    // True when the printer could not begin a document (nothing printed since).
    bool failed() const { return failed_; }
    // The factor the last page was drawn at (1 when it fitted).
    double lastPageScale() const { return lastScale_; }
    QPrinter* qprinter() const { return printer_.get(); }

private:
    // One printed line, kept until the page is drawn.
    struct Line {
        QFont font;
        QColor colour;
        int x;
        int y;
        QString text;
    };

    QFont currentFont() const;
    double toDevice(int twips) const;
    double toTwips(double device) const;
    void drawPage();

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont face_;
    std::vector<Line> page_;
    int x_ = 0;
    int y_ = 0;
    double points_ = 0;
    bool bold_ = false;
    bool underline_ = false;
    uint32_t color_ = 0;
    bool failed_ = false;
    double lastScale_ = 1.0;
};
