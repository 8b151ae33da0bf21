#include "report/fixed_pitch_printer.h"

#include <cmath>

namespace report {

int FixedPitchPrinter::pitchFor(double points) { return static_cast<int>(std::lround(points * 20.0)); }

void FixedPitchPrinter::printLine(const QString& text)
{
    const int y = target_.currentY();
    target_.printLine(text);
    target_.setCurrentX(0);
    target_.setCurrentY(y + pitchFor(target_.fontSize()));
}

} // namespace report
