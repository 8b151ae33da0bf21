#pragma once
// A printer that moves down exactly 20 twips per point of font size after each line (240
// twips for the report's 12-point rows) and passes everything else to the printer it
// wraps. The report pages place their hex column with fixed anchors that line up with
// the description rows only at that pitch; a typeface whose own line spacing is taller
// would leave the hex values lines away from their rows and push the foot of the page
// off the paper.
#include "platform/printer.h"

namespace report {

class FixedPitchPrinter : public Printer {
public:
    explicit FixedPitchPrinter(Printer& target) : target_(target) {}

    // The line advance for a font size, in twips.
    static int pitchFor(double points);

    void setCurrentX(int twips) override { target_.setCurrentX(twips); }
    void setCurrentY(int twips) override { target_.setCurrentY(twips); }
    int currentX() const override { return target_.currentX(); }
    int currentY() const override { return target_.currentY(); }
    void setFontSize(double points) override { target_.setFontSize(points); }
    double fontSize() const override { return target_.fontSize(); }
    void setFontBold(bool on) override { target_.setFontBold(on); }
    void setFontUnderline(bool on) override { target_.setFontUnderline(on); }
    void setForeColor(uint32_t bgr) override { target_.setForeColor(bgr); }
    uint32_t foreColor() const override { return target_.foreColor(); }
    void printLine(const QString& text) override;
    int textWidth(const QString& text) const override { return target_.textWidth(text); }
    void endDoc() override { target_.endDoc(); }

private:
    Printer& target_;
};

} // namespace report
