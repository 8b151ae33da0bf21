#include "shell/comm_setting.h"

#include <cmath>

#include "spd_document/guided_entry.h"

int Comm_Port_From_Setting(const QString& text)
{
    const double n = Leading_Number(text);
    if (n > 4.0 || n < 1.0) return 1;
    return static_cast<int>(std::nearbyint(n));
}
