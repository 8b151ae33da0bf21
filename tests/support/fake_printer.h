#pragma once
// Recording printer. Every printed line is kept with its position and font state. One line
// moves Y by 20 twips per point of font size (240 twips at 12 pt) and a text is half the
// em wide per character (Printer's own textWidth), so positions in tests do not depend on
// fonts.
#include "platform/printer.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class FakePrinter : public Printer {
public:
    struct Line {
        QString text;
        int x = 0;
        int y = 0;
        double size = 0;
        bool bold = false;
        bool underline = false;
        uint32_t color = 0;
    };
    // Shared by the printer and whoever handed it out, so it outlives the printer.
    struct Log {
        QList<Line> lines;
        int endDocCount = 0;
        int printersCreated = 0;
        // Lines printed since the last endDoc().
        int linesSinceEndDoc = 0;
        // The first line whose text contains `part`, or nullptr.
        const Line* find(const QString& part) const;
        QStringList texts() const;
    };

    FakePrinter();
    explicit FakePrinter(std::shared_ptr<Log> log);

    void setCurrentX(int twips) override { x_ = twips; }
    void setCurrentY(int twips) override { y_ = twips; }
    int currentX() const override { return x_; }
    int currentY() const override { return y_; }
    void setFontSize(double points) override { size_ = points; }
    double fontSize() const override { return size_; }
    void setFontBold(bool on) override { bold_ = on; }
    void setFontUnderline(bool on) override { underline_ = on; }
    void setForeColor(uint32_t bgr) override { color_ = bgr & 0xFFFFFF; }
    uint32_t foreColor() const override { return color_; }
    // Throws std::runtime_error instead of printing line number `failAtLine` (0-based,
    // counted over the log) when that is set, to stand for a printer failure.
    void printLine(const QString& text) override;
    void endDoc() override;

    bool bold() const { return bold_; }
    bool underline() const { return underline_; }
    static int lineHeightFor(double points);

    std::shared_ptr<Log> log;
    int failAtLine = -1;

private:
    int x_ = 0;
    int y_ = 0;
    double size_ = 12;
    bool bold_ = false;
    bool underline_ = false;
    uint32_t color_ = 0;
};
