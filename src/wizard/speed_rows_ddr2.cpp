#include "wizard/speed_rows_ddr2.h"

#include "spd_document/globals.h"

#include <algorithm>
#include <cmath>

namespace wizard {

namespace {

// The bytes each family writes from its constant row, in write order, and the row values
// of its four grades in the same order.
// Byte 15 (tCCD) is one clock for every grade.
constexpr int kSdramBytes[13] = { 9, 10, 15, 23, 24, 25, 26, 28, 32, 33, 34, 35, 41 };
constexpr uint8_t kSdramRows[4][13] = {
    { 0xF0, 0x70, 1, 0xF0, 0x60, 0, 0, 20, 0x20, 0x10, 0x20, 0x10, 70 },   // 66 MHz; CL2 runs no faster than CL3
    { 0xA0, 0x60, 1, 0xA0, 0x60, 0, 0, 20, 0x20, 0x10, 0x20, 0x10, 70 },   // 100 MHz
    { 0x75, 0x54, 1, 0xA0, 0x60, 0, 0, 15, 0x15, 0x08, 0x15, 0x08, 66 },   // 133 MHz
    { 0x60, 0x54, 1, 0xA0, 0x60, 0, 0, 15, 0x15, 0x08, 0x15, 0x08, 66 },   // 166 MHz: tAC 5.4 ns as at 133
};

constexpr int kDdrBytes[18] = { 9, 10, 15, 23, 24, 25, 26, 28, 32, 33, 34, 35, 41, 42, 43, 44, 45, 47 };
// Every grade gives a cycle time one clock below the highest CAS latency (bytes 25, 26):
// 10 ns with tAC 0.8 ns up to 333 MHz, 7.5 ns at 400 MHz.
constexpr uint8_t kDdrRows[4][18] = {
    { 0xA0, 0x80, 1, 0xA0, 0x75, 0xA0, 0x80, 60, 0xA0, 0xA0, 0x50, 0x50, 65, 120, 0x34, 50, 0x75, 1 },   // 200 MHz
    { 0x75, 0x75, 1, 0xA0, 0x75, 0xA0, 0x80, 60, 0xA0, 0xA0, 0x50, 0x50, 65, 120, 0x34, 50, 0x75, 1 },   // 266 MHz
    { 0x60, 0x70, 1, 0x75, 0x70, 0xA0, 0x80, 48, 0x80, 0x80, 0x45, 0x45, 60, 120, 0x30, 45, 0x55, 1 },   // 333 MHz
    { 0x50, 0x70, 1, 0x60, 0x70, 0x75, 0x75, 40, 0x60, 0x60, 0x40, 0x40, 55, 70, 0x30, 40, 0x50, 1 },    // 400 MHz
};

constexpr int kDdr2Bytes[23] = { 9, 10, 22, 23, 24, 25, 26, 28, 32, 33, 34, 35,
                                 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46 };
// Every grade gives a cycle time two clocks below the highest CAS latency (bytes 25, 26):
// 5 ns, CL 3. Setup and hold times (32-35) are no shorter than JEDEC's tIS, tIH, tDS and
// tDH of the grade, rounded up to hundredths (tIH 0.475 ns at 400 MHz is 0x48).
constexpr uint8_t kDdr2Rows[4][23] = {
    { 0x50, 0x60, 0x01, 0x50, 0x60, 0x50, 0x60, 40, 0x35, 0x48, 0x15, 0x28,
      60, 40, 30, 0, 0, 55, 105, 0x80, 35, 45, 45 },                     // 400 MHz
    { 0x3D, 0x50, 0x01, 0x50, 0x50, 0x50, 0x50, 30, 0x25, 0x38, 0x10, 0x23,
      60, 30, 30, 0, 0, 60, 105, 0x80, 30, 40, 0 },                      // 533 MHz
    { 0x30, 0x45, 0x03, 0x3D, 0x45, 0x50, 0x45, 24, 0x20, 0x28, 0x10, 0x18,
      60, 30, 30, 0, 0, 60, 105, 0x80, 24, 36, 0 },                      // 667 MHz
    { 0x25, 0x40, 0x03, 0x3D, 0x40, 0x50, 0x40, 20, 0x20, 0x27, 0x05, 0x17,
      60, 30, 30, 0, 0x30, 57, 105, 0x80, 20, 30, 0 },                   // 800 MHz: tRC 57.5 ns
};

// tRP and tRCD of one grade: the value for each clock count the grade knows (2 clocks
// first), and the values any other count takes for byte 27 and for byte 29. SDRAM counts
// whole ns, DDR and DDR2 quarter ns. A clock count is held as the longest time in the
// byte's unit that is still that many clocks: n x tCK floored (3 clocks of 7.5 ns are
// 22 ns, which a controller reads as 3 clocks; 23 ns would be 4).
struct Clock_Row {
    double tck;
    int lastCount;          // counts 2..lastCount have their own value
    uint8_t counted[5];
    uint8_t other27;
    uint8_t other29;
};

constexpr Clock_Row kClockRows[12] = {
    { 15, 3, { 30, 45 }, 60, 60 },
    { 10, 3, { 20, 30 }, 40, 40 },
    { 7.5, 3, { 15, 22 }, 30, 30 },
    { 6, 3, { 12, 18 }, 24, 24 },
    { 10, 5, { 80, 120, 160, 200 }, 120, 120 },
    { 7.5, 5, { 60, 90, 120, 150 }, 90, 90 },
    { 6, 5, { 48, 72, 96, 120 }, 72, 72 },
    { 5, 5, { 40, 60, 80, 100 }, 60, 76 },            // other tRCD: 19 ns
    { 5, 6, { 40, 60, 80, 100, 120 }, 60, 80 },       // other tRP: 3 clocks, other tRCD: 4
    { 3.75, 6, { 30, 45, 60, 75, 90 }, 60, 60 },
    { 3, 6, { 24, 36, 48, 60, 72 }, 48, 48 },
    { 2.5, 6, { 20, 30, 40, 50, 60 }, 40, 40 },
};

template <size_t N>
void addRow(Byte_Writes& writes, const int (&bytes)[N], const uint8_t (&values)[N])
{
    for (size_t i = 0; i < N; ++i) Add_Write(writes, bytes[i], values[i]);
}

uint8_t clockByte(const Clock_Row& row, int count, uint8_t other)
{
    if (count >= 2 && count <= row.lastCount) return row.counted[count - 2];
    return other;
}

bool knownGrade(int grade) { return grade >= 1 && grade <= 12; }

// DDR2 byte 40 bits 6:4 add a fraction to tRC and bits 3:1 one to tRFC: codes 0-5 stand
// for .0, .25, .33, .5, .66 and .75 ns. The fraction in quarters (rounded down), and the
// code of each quarter.
constexpr int kFractionQuarters[8] = { 0, 1, 1, 2, 2, 3, 0, 0 };
constexpr uint8_t kQuarterFraction[4] = { 0, 1, 3, 5 };

Byte_Write* findWrite(Byte_Writes& writes, int index)
{
    for (Byte_Write& w : writes)
        if (w.index == index) return &w;
    return nullptr;
}

// tRRD (byte 28, quarter ns) and tRFC (byte 42, whole ns; DDR2 with byte 40's fraction and
// 256 ns bit) are raised to JEDEC's least for the devices the record describes where the
// grade's own value is shorter. DDR2 tRRD is 7.5 ns, or 10 ns for a 2 KB page, at every
// grade. tRFC by device density: DDR 70 ns up to 512 Mbit and 120 ns from 1 Gbit; DDR2 75,
// 105, 127.5, 197.5 and 327.5 ns for 256 Mbit to 4 Gbit.
void raiseToJedec(Byte_Writes& writes, int grade, const Warez_Params& param)
{
    const long long megabits = Device_Megabits(param);
    Byte_Write* b28 = findWrite(writes, 28);
    Byte_Write* b40 = findWrite(writes, 40);
    Byte_Write* b42 = findWrite(writes, 42);
    if (grade >= 5 && grade <= 8 && b42) {
        b42->value = std::max<uint8_t>(b42->value, megabits <= 512 ? 70 : 120);
        return;
    }
    if (grade < 9 || !b28 || !b40 || !b42) return;
    b28->value = std::max<uint8_t>(b28->value, Two_Kb_Page(param) ? 40 : 30);
    const int quarters = megabits <= 256 ? 300 : megabits <= 512 ? 420 : megabits <= 1024 ? 510
                       : megabits <= 2048 ? 790 : 1310;
    const int own = ((b40->value & 1) * 256 + b42->value) * 4 + kFractionQuarters[(b40->value >> 1) & 7];
    if (quarters <= own) return;
    const int whole = quarters / 4;
    b42->value = static_cast<uint8_t>(whole & 0xFF);
    b40->value = static_cast<uint8_t>((b40->value & 0xF0) | (kQuarterFraction[quarters % 4] << 1) | (whole >> 8));
}

// A bank cannot be activated again before it has been open for tRAS and precharged for
// tRP, so tRC (byte 41, whole ns; for DDR2 with byte 40's fraction) is raised to tRAS +
// tRP, given in quarter ns and rounded up to what the bytes can hold, when the grade's
// own tRC is shorter. The bytes keep their places in the row.
void raiseTrc(Byte_Writes& writes, bool ddr2, int quarters)
{
    Byte_Write* b40 = nullptr;
    Byte_Write* b41 = nullptr;
    for (Byte_Write& w : writes) {
        if (w.index == 40) b40 = &w;
        if (w.index == 41) b41 = &w;
    }
    if (!b41) return;
    const bool fraction = ddr2 && b40;
    const int own = b41->value * 4 + (fraction ? kFractionQuarters[(b40->value >> 4) & 7] : 0);
    if (quarters <= own) return;
    if (fraction) {
        b41->value = Clamp_Byte(quarters / 4);
        b40->value = static_cast<uint8_t>((b40->value & 0x8F) | (kQuarterFraction[quarters % 4] << 4));
    } else {
        b41->value = Clamp_Byte((quarters + 3) / 4);
    }
}

} // namespace

Byte_Writes Ddr2_Speed_Grade_Writes(const Warez_Params& param)
{
    const int grade = param[WP_Speed_Grade];
    Byte_Writes writes;
    if (!knownGrade(grade)) return writes;

    const int column = (grade - 1) % 4;
    if (grade <= 4)
        addRow(writes, kSdramBytes, kSdramRows[column]);
    else if (grade <= 8)
        addRow(writes, kDdrBytes, kDdrRows[column]);
    else
        addRow(writes, kDdr2Bytes, kDdr2Rows[column]);

    raiseToJedec(writes, grade, param);

    const Clock_Row& row = kClockRows[grade - 1];
    const uint8_t trp = clockByte(row, param[WP_tRP], row.other27);
    // tRAS in whole ns, floored like tRP and tRCD so that it reads as the chosen clocks;
    // a product beyond a byte is held at 0 or 255.
    const uint8_t tras = Clamp_Byte(static_cast<long long>(std::floor(param[WP_tRAS] * row.tck)));
    // SDRAM counts tRP in whole ns, DDR and DDR2 in quarter ns.
    raiseTrc(writes, grade >= 9, tras * 4 + (grade <= 4 ? trp * 4 : trp));
    Add_Write(writes, 27, trp);
    Add_Write(writes, 29, clockByte(row, param[WP_tRCD], row.other29));
    Add_Write(writes, 30, tras);
    return writes;
}

} // namespace wizard
