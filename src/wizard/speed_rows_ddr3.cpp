#include "wizard/speed_rows_ddr3.h"

#include "spd_document/globals.h"
#include "wizard/wizard_lists.h"

#include <algorithm>

namespace wizard {

namespace {

// One DDR3 grade: tCK and the fixed timings in 1/8 ns, and the defaults that stand when the
// wizard's clock counts are out of range.
struct Ddr3_Row {
    uint8_t tck;         // byte 12
    uint8_t taa;         // byte 16
    uint8_t trrd;        // byte 19
    uint8_t trcLow;      // byte 23; the grade's tRC is 256 more (upper nibble 1 in byte 21)
    uint8_t tfawHigh;    // byte 28
    uint8_t tfawLow;     // byte 29
    uint8_t trp;         // byte 20 default
    uint8_t trcd;        // byte 18 default
    uint8_t rasRcHigh;   // byte 21 default
    uint8_t trasLow;     // byte 22 default
};

constexpr Ddr3_Row kRows[4] = {
    { 20, 120, 80, 164, 1, 64, 120, 120, 17, 44 },    // 800 MHz
    { 15, 105, 60, 149, 1, 44, 105, 105, 17, 44 },    // 1066 MHz
    { 12, 96, 48, 128, 0, 240, 96, 96, 17, 32 },      // 1333 MHz
    { 10, 80, 40, 90, 1, 200, 100, 90, 16, 240 },     // 1600 MHz
};

// JEDEC's least tRRD (max(4 nCK, t)) and tFAW of each grade, in 1/8 ns, for devices with a
// page of 1 KB or less and for a 2 KB page: 800 10 ns and 40/50 ns, 1066 7.5/10 and
// 37.5/50, 1333 6/7.5 and 30/45, 1600 6/7.5 and 30/40. The rows' own values stand where
// they are longer.
constexpr int kTrrd[4][2] = { { 80, 80 }, { 60, 80 }, { 48, 60 }, { 48, 60 } };
constexpr int kTfaw[4][2] = { { 320, 400 }, { 300, 400 }, { 240, 360 }, { 240, 320 } };

constexpr int kFirstGrade = 13;

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

// The clock count of the last item of a DDR3 timing list.
int lastClocks(Timing_List list)
{
    return Timing_List_First_Clocks(Warez_DDR3, list) + static_cast<int>(Timing_List_Items(Warez_DDR3, list).size()) - 1;
}

} // namespace

Byte_Writes Ddr3_Speed_Grade_Writes(const Warez_Params& param)
{
    const int grade = param[WP_Speed_Grade];
    Byte_Writes writes;
    if (!inRange(grade, kFirstGrade, kFirstGrade + 3)) return writes;
    const Ddr3_Row& row = kRows[grade - kFirstGrade];
    const int t = row.tck;
    const int lastRp = lastClocks(Timing_List::tRP);
    const int lastRcd = lastClocks(Timing_List::tRCD);
    const int lastRas = lastClocks(Timing_List::tRAS);
    const int page = Two_Kb_Page(param) ? 1 : 0;

    Add_Write(writes, 12, row.tck);
    // tAA follows the chosen CAS-latency item, as tRP and tRCD follow their counts: its
    // lowest latency times tCK, so the latency that tAA asks for at this speed is one the
    // image declares (the grade's own tAA would need CL 7 at 1066 and CL 8 at 1333 and
    // 1600, above the preselected 6 and 7). Without an item the grade's value stands.
    const auto mask = Cas_Latency_Mask(Warez_DDR3, param[WP_Cas_Item]);
    int taa = row.taa;
    if (mask && *mask != 0) {
        int lowest = 0;
        while (!(*mask & (1 << lowest))) ++lowest;
        taa = (lowest + 4) * t;
    }
    Add_Write(writes, 16, taa);
    Add_Write(writes, 19, std::max<int>(row.trrd, kTrrd[grade - kFirstGrade][page]));
    // tRP and tRAS as they end up below. tRC is at least their sum, since a bank cannot be
    // activated again before it has been open for tRAS and precharged for tRP; the
    // grade's own tRC stands when it is longer. Its upper nibble goes with every byte 21.
    const int trp = inRange(param[WP_tRP], 4, lastRp) ? param[WP_tRP] * t : row.trp;
    const int defaultTras = (row.rasRcHigh & 0x0F) * 256 + row.trasLow;
    const int tras = inRange(param[WP_tRAS], 12, lastRas) ? param[WP_tRAS] * t : defaultTras;
    const int trc = std::max(256 + row.trcLow, tras + trp);
    const int trcHigh = (trc >> 8) << 4;
    Add_Write(writes, 23, trc & 0xFF);
    const int tfaw = std::max(row.tfawHigh * 256 + row.tfawLow, kTfaw[grade - kFirstGrade][page]);
    Add_Write(writes, 28, tfaw >> 8);
    Add_Write(writes, 29, tfaw & 0xFF);

    // Each timing first gets the grade's default, then the chosen count when it is valid.
    Add_Write(writes, 20, row.trp);
    if (inRange(param[WP_tRP], 4, lastRp)) Add_Write(writes, 20, param[WP_tRP] * t);
    Add_Write(writes, 18, row.trcd);
    if (inRange(param[WP_tRCD], 4, lastRcd)) Add_Write(writes, 18, param[WP_tRCD] * t);

    Add_Write(writes, 21, trcHigh | (defaultTras >> 8));
    Add_Write(writes, 22, row.trasLow);
    if (inRange(param[WP_tRAS], 12, lastRas)) {
        Add_Write(writes, 21, trcHigh | (tras >> 8));   // tRC and tRAS upper nibbles
        Add_Write(writes, 22, tras % 256);
    }
    return writes;
}

Byte_Writes Ddr3_Cas_Latency_Writes(const Warez_Params& param)
{
    Byte_Writes writes;
    const auto mask = Cas_Latency_Mask(Warez_DDR3, param[WP_Cas_Item]);
    if (!mask) return writes;
    Add_Write(writes, 15, 0);
    Add_Write(writes, 14, *mask);
    return writes;
}

} // namespace wizard
