#include "wizard/wizard_lists.h"

QString Speed_Grade_Caption(int code)
{
    static const char* const captions[16] = {
        "66 MHz(PC-66)",     "100 MHz(PC-100)",    "133 MHz(PC-133)",     "166 MHz(PC-166)",
        "200 MHz(PC-1600)",  "266 MHz(PC-2100)",   "333 MHz(PC-2700)",    "400 MHz(PC-3200)",
        "400 MHz(PC2-3200)", "533 MHz(PC2-4200)",  "667 MHz(PC2-5200) ",  "800 MHz(PC2-6400)",
        "800 MHz(PC3-6400)", "1066 MHz(PC3-8500)", "1333 MHz(PC3-10600)", "1600 MHz(PC3-12000)",
    };
    if (code < 1 || code > 16) return QString();
    return QString::fromLatin1(captions[code - 1]);
}

QString Speed_Frame_Caption(int memType)
{
    switch (memType) {
    case Warez_SDRAM: return QStringLiteral("SDRAM模組速度");
    case Warez_DDR: return QStringLiteral("DDR 模組速度");
    case Warez_DDR2: return QStringLiteral("DDR2 模組速度");
    case Warez_DDR3: return QStringLiteral("DDR3模組速度");
    default: return QString();
    }
}

namespace {

// "nT" for n = first .. last.
QStringList clockRun(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n) items << QStringLiteral("%1T").arg(n);
    return items;
}

} // namespace

QStringList Timing_List_Items(int memType, Timing_List list)
{
    if (memType < Warez_SDRAM || memType > Warez_DDR3) return {};
    if (list == Timing_List::tCL) {
        switch (memType) {
        case Warez_SDRAM: return { "1T", "2T", "3T", "2T 3T" };
        case Warez_DDR: return { "1T", "1.5T", "2T", "2.5T", "3T", "3.5T", "2T 2.5T 3T", "2T 2.5T", "2.5T 3T" };
        case Warez_DDR2: return { "2T", "3T", "4T", "5T", "6T", "3T 4T 5T", "4T 5T" };
        // CL 9 to 11 follow the older items, so that every DDR3-1333 and DDR3-1600 bin
        // can be made without moving an item.
        default: return { "4T", "5T", "6T", "7T", "8T", "5T 6T", "5T 6T 7T", "6T 7T", "6T 7T 8T", "5T 6T 7T 8T",
                          "9T", "10T", "11T" };
        }
    }
    // DDR3 runs to 11 clocks (DDR3-1600K) and tRAS to 28 (35 ns at DDR3-1600).
    static const int lastRpRcd[4] = { 4, 5, 6, 11 };
    static const int lastRas[4] = { 7, 12, 18, 28 };
    const int first = Timing_List_First_Clocks(memType, list);
    const int last = list == Timing_List::tRAS ? lastRas[memType - 1] : lastRpRcd[memType - 1];
    return clockRun(first, last);
}

int Timing_List_First_Clocks(int memType, Timing_List list)
{
    if (memType < Warez_SDRAM || memType > Warez_DDR3) return 0;
    static const int firstRpRcd[4] = { 2, 2, 3, 4 };
    static const int firstRas[4] = { 4, 5, 7, 12 };
    switch (list) {
    case Timing_List::tRP:
    case Timing_List::tRCD: return firstRpRcd[memType - 1];
    case Timing_List::tRAS: return firstRas[memType - 1];
    default: return 0;
    }
}

std::optional<std::array<int, 4>> Timing_Preselection(int code)
{
    // Each grade's timings meet a JEDEC bin of the grade, tRAS included: SDRAM 3-3-3 (166 MHz:
    // 18 ns, tRAS 42 ns), DDR2-800 5-5-5 with 45 ns, DDR3-1066 6-6-6 and DDR3-1333 7-7-7
    // with 37.5 and 36 ns, DDR3-1600 8-8-8 with 35 ns.
    if (code < 1 || code > 16) return std::nullopt;
    if (code <= 4) return std::array<int, 4>{ 2, 1, 1, 3 };
    if (code == 5 || code == 6 || code == 7) return std::array<int, 4>{ 3, 1, 1, 2 };
    if (code == 8) return std::array<int, 4>{ 4, 2, 2, 3 };
    if (code == 9 || code == 10) return std::array<int, 4>{ 2, 1, 1, 5 };
    if (code == 11) return std::array<int, 4>{ 3, 2, 2, 8 };
    if (code == 12) return std::array<int, 4>{ 3, 2, 2, 11 };
    if (code == 13) return std::array<int, 4>{ 2, 2, 2, 6 };
    if (code == 14) return std::array<int, 4>{ 2, 2, 2, 8 };
    if (code == 15) return std::array<int, 4>{ 3, 3, 3, 12 };
    return std::array<int, 4>{ 4, 4, 4, 16 };
}

QStringList Data_Width_Items() { return { QStringLiteral("x 4"), QStringLiteral("x 8"), QStringLiteral("x 16") }; }
