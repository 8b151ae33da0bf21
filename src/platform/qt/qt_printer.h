#pragma once
// The page printer on a QPrinter. Positions are twips from the top-left of the printable
// area; a position names the top of the text. The document begins with the first line
// printed and ends with endDoc(); the printer's default typeface is used.
#include "platform/printer.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QPrinter;

class QtPrinter : public Printer {
public:
    // A printer chosen in the printer dialog.
    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    // A PDF file on the default paper with the given margin around the printable area
    // (a quarter inch is what most printers cannot reach).
    explicit QtPrinter(const QString& pdfFile, int marginTwips = 360);
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
    // Ends the document, which sends the page; printing again starts a new document.
    void endDoc() override;

    // The height of one line of the current font, in twips.
    int lineHeightTwips() const;
    // True when the printer could not begin a document (nothing printed since).
    bool failed() const { return failed_; }
    QPrinter* qprinter() const { return printer_.get(); }

private:
    QFont currentFont() const;
    double toDevice(int twips) const;

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    int x_ = 0;
    int y_ = 0;
    double points_ = 0;
    bool bold_ = false;
    bool underline_ = false;
    uint32_t color_ = 0;
    bool failed_ = false;
};
