// The speed-dependent bytes of the wizard's images: the SDRAM/DDR/DDR2 rows with tRP, tRCD
// and tRAS, the DDR3 rows with their defaults, and the CAS-latency masks of every tCL item.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "wizard/encode_ddr2.h"
#include "wizard/speed_rows_ddr2.h"
#include "wizard/speed_rows_ddr3.h"

using namespace wizard;

namespace {

Warez_Params record(int type, int grade, int cl, int trp, int trcd, int tras)
{
    Warez_Params p{};
    p[0] = int16_t(type), p[1] = int16_t(grade), p[6] = int16_t(cl);
    p[7] = int16_t(trp), p[8] = int16_t(trcd), p[9] = int16_t(tras);
    return p;
}

// Final value of each byte written (a later write replaces an earlier one).
std::map<int, int> finalBytes(const Byte_Writes& writes)
{
    std::map<int, int> bytes;
    for (const auto& w : writes) bytes[w.index] = w.value;
    return bytes;
}

// Writes as "byte=value" in order, from `first` write on, `count` of them.
std::string rowText(const Byte_Writes& w, size_t first, size_t count)
{
    std::string s;
    for (size_t i = first; i < first + count && i < w.size(); ++i)
        s += (s.empty() ? "" : " ") + std::to_string(w[i].index) + "=" + std::to_string(w[i].value);
    return s;
}

struct Ddr2GradeCase {
    int grade;
    const char* row;              // the constant row in write order
    int counted[5];               // tRP/tRCD for 2..6 clocks (-1: the grade does not test it)
    int other27, other29, tras, byte30;
};

TEST(Ddr2SpeedRows, EveryGradeWritesItsRowThenClockTimes)
{
    const Ddr2GradeCase cases[] = {
        { 1, "9=240 10=112 15=1 23=240 24=96 25=0 26=0 28=20 32=32 33=16 34=32 35=16 41=150",
          { 30, 45, -1, -1, -1 }, 60, 60, 7, 105 },     // tRC: tRAS 105 + tRP 45
        { 2, "9=160 10=96 15=1 23=160 24=96 25=0 26=0 28=20 32=32 33=16 34=32 35=16 41=80",
          { 20, 30, -1, -1, -1 }, 40, 40, 5, 50 },
        { 3, "9=117 10=84 15=1 23=160 24=96 25=0 26=0 28=15 32=21 33=8 34=21 35=8 41=66",
          { 15, 22, -1, -1, -1 }, 30, 30, 5, 37 },      // 22.5 and 37.5 ns floored: 3 and 5 clocks
        { 4, "9=96 10=84 15=1 23=160 24=96 25=0 26=0 28=15 32=21 33=8 34=21 35=8 41=66",
          { 12, 18, -1, -1, -1 }, 24, 24, 4, 24 },
        { 5, "9=160 10=128 15=1 23=160 24=117 25=160 26=128 28=60 32=160 33=160 34=80 35=80 41=150 42=120 43=52 44=50 45=117 47=1",
          { 80, 120, 160, 200, -1 }, 120, 120, 12, 120 },
        { 6, "9=117 10=117 15=1 23=160 24=117 25=160 26=128 28=60 32=160 33=160 34=80 35=80 41=75 42=120 43=52 44=50 45=117 47=1",
          { 60, 90, 120, 150, -1 }, 90, 90, 7, 52 },      // tRC: 52 + 22.5, rounded up
        { 7, "9=96 10=112 15=1 23=117 24=112 25=160 26=128 28=48 32=128 33=128 34=69 35=69 41=60 42=120 43=48 44=45 45=85 47=1",
          { 48, 72, 96, 120, -1 }, 72, 72, 7, 42 },
        { 8, "9=80 10=112 15=1 23=96 24=112 25=117 26=117 28=40 32=96 33=96 34=64 35=64 41=55 42=70 43=48 44=40 45=80 47=1",
          { 40, 60, 80, 100, -1 }, 60, 76, 8, 40 },
        { 9, "9=80 10=96 22=1 23=80 24=96 25=80 26=96 28=40 32=53 33=72 34=21 35=40 36=60 37=40 38=30 39=0 40=0 41=105 42=105 43=128 44=35 45=45 46=45",
          { 40, 60, 80, 100, 120 }, 60, 80, 18, 90 },
        { 10, "9=61 10=80 22=1 23=80 24=80 25=80 26=80 28=30 32=37 33=56 34=16 35=35 36=60 37=30 38=30 39=0 40=16 41=67 42=105 43=128 44=30 45=40 46=0",
          { 30, 45, 60, 75, 90 }, 60, 60, 15, 56 },     // 56.25 ns floored; tRC 56 + 11.25
        { 11, "9=48 10=69 22=3 23=61 24=69 25=80 26=69 28=30 32=32 33=40 34=16 35=24 36=60 37=30 38=30 39=0 40=0 41=60 42=105 43=128 44=24 45=36 46=0",
          { 24, 36, 48, 60, 72 }, 48, 48, 15, 45 },
        { 12, "9=37 10=64 22=3 23=61 24=64 25=80 26=64 28=30 32=32 33=39 34=5 35=23 36=60 37=30 38=30 39=0 40=48 41=57 42=105 43=128 44=20 45=30 46=0",
          { 20, 30, 40, 50, 60 }, 40, 40, 18, 45 },     // tRC 57.5 ns
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        const Byte_Writes w = Ddr2_Speed_Grade_Writes(record(1, c.grade, 0, 3, 3, c.tras));
        ASSERT_GE(w.size(), 3u);
        EXPECT_EQ(rowText(w, 0, w.size() - 3), c.row);
        EXPECT_EQ(rowText(w, w.size() - 3, 3), "27=" + std::to_string(c.counted[1]) + " 29=" + std::to_string(c.counted[1])
                                                   + " 30=" + std::to_string(c.byte30));
        for (int k = -1; k <= 12; ++k) {
            const bool counted = k >= 2 && k <= 6 && c.counted[k - 2] >= 0;
            auto b = finalBytes(Ddr2_Speed_Grade_Writes(record(1, c.grade, 0, k, k, 4)));
            EXPECT_EQ(b[27], counted ? c.counted[k - 2] : c.other27) << k << " clocks";
            EXPECT_EQ(b[29], counted ? c.counted[k - 2] : c.other29) << k << " clocks";
        }
    }
}

TEST(Ddr2SpeedRows, GradeAlonePicksTheRowAndLimitsHold)
{
    // A DDR record with grade 11 gets the DDR2 row.
    EXPECT_EQ(Ddr2_Speed_Grade_Writes(record(2, 11, 0, 4, 4, 9)), Ddr2_Speed_Grade_Writes(record(3, 11, 0, 4, 4, 9)));
    // Grades outside 1..12 write nothing; a tRAS beyond a byte is held at its ends.
    for (int g : { -1, 0, 13, 16, 300 }) EXPECT_TRUE(Ddr2_Speed_Grade_Writes(record(1, g, 0, 2, 2, 4)).empty()) << g;
    EXPECT_EQ(Ddr2_Speed_Grade_Writes(record(1, 1, 0, 2, 2, 20)).back(), (Byte_Write{ 30, 255 }));
    EXPECT_EQ(Ddr2_Speed_Grade_Writes(record(1, 1, 0, 2, 2, -3)).back(), (Byte_Write{ 30, 0 }));
}

struct Ddr3GradeCase {
    int grade, t;
    const char* plain;            // every write when no count is in range and no CAS item is chosen
    int tras12[2], tras24[2];
};

TEST(Ddr3SpeedRows, DefaultsThenChosenCountsInOrder)
{
    const Ddr3GradeCase cases[] = {
        { 13, 20, "12=20 16=120 19=80 23=164 28=1 29=64 20=120 18=120 21=17 22=44", { 16, 240 }, { 33, 224 } },   // tRC 620
        { 14, 15, "12=15 16=105 19=60 23=149 28=1 29=44 20=105 18=105 21=17 22=44", { 16, 180 }, { 17, 104 } },
        { 15, 12, "12=12 16=96 19=48 23=128 28=0 29=240 20=96 18=96 21=17 22=32", { 16, 144 }, { 17, 32 } },
        { 16, 10, "12=10 16=80 19=48 23=90 28=1 29=200 20=100 18=90 21=16 22=240", { 16, 120 }, { 16, 240 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        for (const auto& out : { record(4, c.grade, -1, 12, 3, 29), record(4, c.grade, 13, -1, 0, 11) })
            EXPECT_EQ(rowText(Ddr3_Speed_Grade_Writes(out), 0, 99), c.plain);
        // tAA is the lowest latency of the chosen CAS item in cycles: "4T", "7T", "6T 7T 8T".
        for (const auto& [item, cl] : { std::pair{ 0, 4 }, std::pair{ 3, 7 }, std::pair{ 8, 6 } })
            EXPECT_EQ(rowText(Ddr3_Speed_Grade_Writes(record(4, c.grade, item, 12, 3, 29)), 1, 1),
                      "16=" + std::to_string(cl * c.t)) << "item " << item;
        // In-range counts follow their default with a second write.
        const Byte_Writes low = Ddr3_Speed_Grade_Writes(record(4, c.grade, 0, 4, 10, 12));
        const std::string t4 = std::to_string(4 * c.t), t10 = std::to_string(10 * c.t);
        EXPECT_EQ(rowText(low, 7, 1) + " " + rowText(low, 9, 1), "20=" + t4 + " 18=" + t10);
        EXPECT_EQ(rowText(low, 12, 2), "21=" + std::to_string(c.tras12[0]) + " 22=" + std::to_string(c.tras12[1]));
        EXPECT_EQ(low.size(), 14u);
        auto high = finalBytes(Ddr3_Speed_Grade_Writes(record(4, c.grade, 0, 7, 7, 24)));
        EXPECT_EQ((std::vector<int>{ high[21], high[22] }), (std::vector<int>{ c.tras24[0], c.tras24[1] }));
    }
    auto g13 = finalBytes(Ddr3_Speed_Grade_Writes(record(4, 13, 0, 4, 4, 13)));
    EXPECT_EQ((std::vector<int>{ g13[21], g13[22] }), (std::vector<int>{ 17, 4 }));   // 260 units
    for (int g : { 0, 12, 17 }) EXPECT_TRUE(Ddr3_Speed_Grade_Writes(record(4, g, 0, 4, 4, 12)).empty()) << g;
}

TEST(CasLatencyMasks, EveryItemOfEveryTypeAndTheDefaults)
{
    // Masks by item position; the last entry is what a position without an item gives
    // (-1 for DDR3: no write).
    const std::map<int, std::vector<int>> masks = {
        { 1, { 0x01, 0x02, 0x04, 0x06, 0x06 } },
        { 2, { 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x1C, 0x0C, 0x18, 0x1C } },
        { 3, { 0x04, 0x08, 0x10, 0x20, 0x40, 0x38, 0x30, 0x38 } },
        { 4, { 0x01, 0x02, 0x04, 0x08, 0x10, 0x06, 0x0E, 0x0C, 0x1C, 0x1E, 0x20, 0x40, 0x80, -1 } },
    };
    for (const auto& [type, list] : masks) {
        const int items = int(list.size()) - 1;
        for (int pos = -1; pos <= items + 1; ++pos) {
            const int expected = pos >= 0 && pos < items ? list[size_t(pos)] : list.back();
            if (type == 4) {
                const Byte_Writes w = Ddr3_Cas_Latency_Writes(record(4, 13, pos, 4, 4, 12));
                const Byte_Writes want = expected < 0 ? Byte_Writes{} : Byte_Writes{ { 15, 0 }, { 14, uint8_t(expected) } };
                EXPECT_EQ(w, want) << "DDR3 item " << pos;
            } else {
                EXPECT_EQ(Ddr2_Cas_Latency_Byte(type, pos), expected) << "type " << type << " item " << pos;
            }
        }
    }
}

} // namespace
