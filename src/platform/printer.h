#pragma once
// A page printer addressed in twips (1440 per inch) from the top-left of the printable page.
#include <QString>
#include <cstdint>

class Printer {
public:
    virtual ~Printer() = default;
    virtual void setCurrentX(int twips) = 0;
    virtual void setCurrentY(int twips) = 0;
    virtual int currentX() const = 0;
    virtual int currentY() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual double fontSize() const = 0;
    virtual void setFontBold(bool on) = 0;         // the file-name emphasis
    virtual void setFontUnderline(bool on) = 0;    // the web-address emphasis
    virtual void setForeColor(uint32_t bgr) = 0;   // 0xBBGGRR
    virtual uint32_t foreColor() const = 0;
    // Prints text at (X, Y); then X = 0 and Y moves one line of the current font down.
    virtual void printLine(const QString& text) = 0;
    // The width of a text in the current font, in twips. Text is set in a fixed-pitch face
    // whose Latin characters are half the em wide (10 twips per point); a printer that cannot
    // measure its glyphs answers with that pitch.
    virtual int textWidth(const QString& text) const
    {
        return static_cast<int>(text.size() * fontSize() * 10.0 + 0.5);
    }
    virtual void endDoc() = 0;
};
