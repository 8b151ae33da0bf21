// The DDR3 decoder: time base and timing texts, speed, CAS latencies, organisation lists,
// the CRC caption from byte 0, hex fields and the DRAM manufacturer.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <map>
#include <set>

#include "decode_harness.h"

namespace {

using L = PanelLabel;
const QString kStale = QStringLiteral("<stale>");

struct Ddr3TimingCase {
    uint8_t b10, b11, b12;
    std::vector<std::pair<int, uint8_t>> bytes;
    int decoded;
    L label;
    const char* expected;
};

TEST(Ddr3Decode, TimingTextsFromTheMediumTimeBase)
{
    const Ddr3TimingCase cases[] = {
        { 1, 8, 10, { { 18, 105 } }, 18, L::Label129, "13.125 ns (11T)" },
        { 1, 8, 10, { { 19, 48 } }, 19, L::Label128, "6 ns (5T)" },
        { 1, 8, 10, { { 20, 100 } }, 20, L::Label127, "12.5 ns (10T)" },        // exact: no extra clock
        { 1, 8, 10, { { 21, 0x11 }, { 22, 0x20 } }, 21, L::Label130, "36 ns (29T)" },   // upper nibble of 21 unused
        { 1, 8, 10, { { 21, 0x11 }, { 22, 0x20 } }, 22, L::Label130, "36 ns (29T)" },
        { 1, 8, 10, { { 21, 0xFF }, { 22, 0xFF } }, 22, L::Label130, "511.875 ns (410T)" },
        { 1, 8, 0, { { 20, 110 } }, 20, L::Label127, "13.75 ns (0T)" },          // no tCK: no clock count
        { 1, 15, 38, { { 18, 7 } }, 18, L::Label129, "0.462 ns (1T)" },           // MTB truncated to 66 ps
        { 1, 0, 2, { { 18, 13 } }, 18, L::Label129, "13 ns (7T)" },               // divisor 0: MTB 1000 ps
        { 0, 8, 10, { { 18, 105 } }, 18, L::Label129, "0 ns (11T)" },             // no time base
        { 1, 8, 10, { { 18, 0 } }, 18, L::Label129, "0 ns (0T)" },
        { 2, 16, 12, { { 18, 0x6C } }, 18, L::Label129, "13.5 ns (9T)" },
        { 255, 1, 1, { { 19, 255 } }, 19, L::Label128, "65025 ns (255T)" },
        // Fine corrections (time base in byte 9, signed counts in 34, 36, 37).
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 18, 105 } }, 18, L::Label129, "13.125 ns (13T)" },   // tCK 1071 ps
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 18, 0x70 }, { 36, 0xA6 } }, 18, L::Label129, "13.91 ns (13T)" },
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 18, 0x70 }, { 36, 0xB5 } }, 18, L::Label129, "13.925 ns (13T)" },   // 2 ps of noise
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 19, 40 } }, 19, L::Label128, "5 ns (5T)" },
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 21, 0x11 }, { 22, 0x10 } }, 22, L::Label130, "34 ns (32T)" },
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 21, 0x00 }, { 22, 0xF0 } }, 22, L::Label130, "30 ns (28T)" },   // 28 true cycles
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 21, 0x01 }, { 22, 0x68 } }, 22, L::Label130, "45 ns (42T)" },
        // Counted against the true 15/14 ns, not the stored 1.071 ns: 63, 70 and 84 exact cycles.
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 21, 0x02 }, { 22, 0x1C } }, 22, L::Label130, "67.5 ns (63T)" },
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 21, 0x02 }, { 22, 0x58 } }, 22, L::Label130, "75 ns (70T)" },
        { 1, 8, 9, { { 9, 0x11 }, { 34, 0xCA }, { 21, 0x02 }, { 22, 0xD0 } }, 22, L::Label130, "90 ns (84T)" },
        { 1, 8, 0, { { 9, 0x11 }, { 34, 0x01 }, { 18, 0x70 }, { 36, 0x3C } }, 18, L::Label129, "14.06 ns (0T)" },   // no tCK
        { 1, 8, 10, { { 9, 0x11 }, { 20, 81 }, { 37, 0x83 } }, 20, L::Label127, "10 ns (8T)" },
        { 1, 8, 10, { { 9, 0x52 }, { 18, 105 }, { 36, 0xFF } }, 18, L::Label129, "13.1225 ns (11T)" },   // FTB 2.5 ps
        { 1, 8, 10, { { 9, 0x11 }, { 18, 0 }, { 36, 0x80 } }, 18, L::Label129, "0 ns (0T)" },
        { 1, 8, 10, { { 9, 0x10 }, { 18, 105 }, { 36, 0x80 } }, 18, L::Label129, "13.125 ns (11T)" },   // no fine divisor
    };
    for (const auto& c : cases) {
        DecodeHarness h;
        h.set({ { 2, 11 }, { 10, c.b10 }, { 11, c.b11 }, { 12, c.b12 } });
        for (const auto& [i, v] : c.bytes) h.set(i, v);
        h.ddr3(c.decoded);
        EXPECT_EQ(h.cap(c.label), QString::fromLatin1(c.expected))
            << "MTB " << int(c.b10) << "/" << int(c.b11) << " tCK " << int(c.b12) << " byte " << c.decoded;
    }
}

struct SpeedCase {
    uint8_t b10, b11, b12;
    const char* expected;
    uint8_t b9 = 0, b34 = 0;
};

TEST(Ddr3Decode, ModuleSpeedNamesOnlyTheStandardCycleTimes)
{
    const SpeedCase cases[] = {
        { 1, 8, 20, "800 MHz(2.5ns)" }, { 1, 8, 15, "1066 MHz(1.875ns)" },
        { 1, 8, 12, "1333 MHz(1.5ns)" }, { 1, 8, 10, "1600 MHz(1.25ns)" },
        { 2, 16, 10, "1600 MHz(1.25ns)" },
        { 1, 8, 9, "Reserved" },        // 1866: not in the list
        { 1, 15, 38, "Reserved" },      // 66 ps x 38 = 2508 ps
        { 0, 8, 10, "Reserved" },       // no time base
        { 1, 8, 0, "Reserved" },
        { 1, 0, 2, "Reserved" },
        { 1, 8, 9, "1866 MHz(1.071ns)", 0x11, 0xCA },   // 1125 - 54 ps
        { 1, 8, 8, "2133 MHz(0.938ns)", 0x11, 0xC2 },   // 1000 - 62 ps
        { 1, 8, 9, "1866 MHz(1.071ns)", 0x52, 0xEA },   // FTB 2.5 ps: 1070 ps
        { 1, 8, 9, "1866 MHz(1.071ns)", 0x52, 0xEB },   // 1072.5 ps
        { 1, 8, 8, "2133 MHz(0.938ns)", 0x52, 0xE7 },   // 937.5 ps
        { 1, 8, 10, "1600 MHz(1.25ns)", 0x11, 0x00 },
        { 1, 8, 10, "Reserved", 0x11, 0x01 },             // 1251 ps
        { 1, 8, 9, "Reserved", 0x10, 0xCA },              // no fine divisor: 1125 ps
    };
    for (const auto& c : cases) {
        DecodeHarness h;
        h.set({ { 9, c.b9 }, { 10, c.b10 }, { 11, c.b11 }, { 12, c.b12 }, { 34, c.b34 } });
        h.ddr3(12);
        EXPECT_EQ(h.cap(L::Label119), QString::fromLatin1(c.expected))
            << int(c.b10) << "/" << int(c.b11) << " x " << int(c.b12);
    }
}

TEST(Ddr3Decode, CasLatenciesInRisingOrder)
{
    const struct {
        uint8_t b14, b15;
        const char* expected;
    } cases[] = {
        { 0x7C, 0x00, "6 7 8 9 10 " },
        { 0x00, 0x00, "" },
        { 0x01, 0x00, "4 " },
        { 0x80, 0x01, "11 12 " },
        { 0xFF, 0xFF, "4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 " },   // bit 7 of byte 15 unused
        { 0x00, 0x80, "" },
        { 0xFC, 0x02, "6 7 8 9 10 11 13 " },
    };
    for (const auto& c : cases) {
        for (int decoded : { 14, 15 }) {
            DecodeHarness h;
            h.panel.setCaption(L::Label126, kStale);
            h.set({ { 14, c.b14 }, { 15, c.b15 } });
            h.ddr3(decoded);
            EXPECT_EQ(h.cap(L::Label126), QString::fromLatin1(c.expected)) << int(c.b14) << "," << int(c.b15);
        }
    }
}

struct ListCase {
    std::vector<std::pair<int, uint8_t>> bytes;
    int decoded;
    std::map<L, const char*> expected;
};

TEST(Ddr3Decode, OrganisationLists)
{
    const ListCase cases[] = {
        { { { 2, 0 } }, 2, { { L::Label120, "Reserved" } } },
        { { { 2, 9 } }, 2, { { L::Label120, "DDR2 FB-DIMM" } } },
        { { { 2, 11 } }, 2, { { L::Label120, "DDR3 SDRAM" } } },
        { { { 2, 12 } }, 2, { { L::Label120, "-" } } },
        { { { 3, 0x00 } }, 3, { { L::Label116, "Undefined" } } },
        { { { 3, 0x02 } }, 3, { { L::Label116, "Unbuffer-DIMM" } } },
        { { { 3, 0x13 } }, 3, { { L::Label116, "SO-DIMM" } } },
        { { { 3, 0x06 } }, 3, { { L::Label116, "Mini-UDIMM" } } },
        { { { 3, 0x07 } }, 3, { { L::Label116, "Mini-CDIMM" } } },
        { { { 3, 0x08 } }, 3, { { L::Label116, "72b-SO-UDIMM" } } },
        { { { 3, 0x0B } }, 3, { { L::Label116, "LRDIMM" } } },
        { { { 3, 0x2D } }, 3, { { L::Label116, "32b-SO-DIMM" } } },
        { { { 3, 0x0E } }, 3, { { L::Label116, "Reservd" } } },
        { { { 3, 0x0F } }, 3, { { L::Label116, "Reservd" } } },
        { { { 4, 0x03 }, { 7, 0x01 }, { 8, 0x03 } }, 4, { { L::Label121, "2 Gb" }, { L::Label117, "2 GB" }, { L::Label122, "8 Banks" } } },
        { { { 4, 0x04 }, { 7, 0x03 }, { 8, 0x03 } }, 4, { { L::Label117, "1 GB" } } },
        { { { 4, 0x05 }, { 7, 0x02 }, { 8, 0x03 } }, 4, { { L::Label117, "4 GB" } } },
        { { { 4, 0x06 }, { 7, 0x00 }, { 8, 0x03 } }, 4, { { L::Label117, "32 GB" } } },
        { { { 4, 0x02 }, { 7, 0x09 }, { 8, 0x03 } }, 4, { { L::Label121, "1 Gb" }, { L::Label117, "1 GB" }, { L::Label122, "8 Banks" } } },
        { { { 4, 0x10 }, { 7, 0x00 }, { 8, 0x03 } }, 4, { { L::Label121, "256 Mb" }, { L::Label117, "512 MB" }, { L::Label122, "16 Banks" } } },
        { { { 4, 0x21 }, { 7, 0x03 }, { 8, 0x03 } }, 4, { { L::Label121, "512 Mb" }, { L::Label117, "128 MB" }, { L::Label122, "32 Banks" } } },
        { { { 4, 0x32 }, { 7, 0x02 }, { 8, 0x03 } }, 4, { { L::Label121, "1 Gb" }, { L::Label117, "512 MB" }, { L::Label122, "64 Banks" } } },
        { { { 4, 0x46 }, { 7, 0x01 }, { 8, 0x03 } }, 4, { { L::Label121, "16 Gb" }, { L::Label117, "16 GB" }, { L::Label122, "Reserved" } } },
        { { { 4, 0x07 }, { 8, 0x03 } }, 4, { { L::Label121, "Reserved" }, { L::Label117, "Reserved" } } },
        { { { 4, 0x00 }, { 7, 0x04 }, { 8, 0x03 } }, 4, { { L::Label117, "Reserved" } } },
        { { { 4, 0x04 }, { 7, 0x02 }, { 8, 0x02 } }, 4, { { L::Label117, "1 GB" } } },   // 32-bit bus, x16 chips
        { { { 4, 0x00 }, { 7, 0x03 }, { 8, 0x08 } }, 4, { { L::Label117, "8 MB" } } },
        { { { 4, 0x03 }, { 7, 0x01 }, { 8, 0x04 } }, 4, { { L::Label117, "Reserved" } } },
        { { { 5, 0x19 } }, 5, { { L::Label124, "10 " }, { L::Label123, "15 " } } },
        { { { 5, 0x07 } }, 5, { { L::Label124, "Reserved" }, { L::Label123, "12 " } } },
        { { { 5, 0x02 } }, 5, { { L::Label124, "11" } } },
        { { { 5, 0x0B } }, 5, { { L::Label124, "12 " }, { L::Label123, "13 " } } },
        { { { 5, 0x20 } }, 5, { { L::Label124, "9 " }, { L::Label123, "16 " } } },
        { { { 5, 0x28 } }, 5, { { L::Label123, "Reserved" } } },
        { { { 5, 0xC0 } }, 5, { { L::Label124, "9 " }, { L::Label123, "12 " } } },
        { { { 7, 0x00 } }, 7, { { L::Label125, "4 bit" }, { L::Label118, "1 Rank" } } },
        { { { 7, 0x0A } }, 7, { { L::Label125, "16 bit" }, { L::Label118, "2 Ranks" } } },
        { { { 7, 0x13 } }, 7, { { L::Label125, "32 bit" }, { L::Label118, "3 Ranks" } } },
        { { { 7, 0x1C } }, 7, { { L::Label125, "Reserved" }, { L::Label118, "4 Ranks" } } },
        { { { 7, 0x21 } }, 7, { { L::Label125, "8 bit" }, { L::Label118, "Reserved" } } },
        { { { 7, 0xC1 } }, 7, { { L::Label125, "8 bit" }, { L::Label118, "1 Rank" } } },
        { { { 8, 0x03 } }, 8, { { L::Label133, "64 bit" } } },
        { { { 8, 0x0B } }, 8, { { L::Label133, "72 bit(ECC)" } } },
        { { { 8, 0xE3 } }, 8, { { L::Label133, "64 bit" } } },
        { { { 8, 0x04 } }, 8, { { L::Label133, "Reserved" } } },
        { { { 8, 0x13 } }, 8, { { L::Label133, "Reserved" } } },
        { { { 8, 0x00 } }, 8, { { L::Label133, "8 bit" } } },
        { { { 8, 0x01 } }, 8, { { L::Label133, "16 bit" } } },
        { { { 8, 0x02 } }, 8, { { L::Label133, "32 bit" } } },
        { { { 8, 0x08 } }, 8, { { L::Label133, "16 bit(ECC)" } } },
        { { { 8, 0x09 } }, 8, { { L::Label133, "24 bit(ECC)" } } },
        { { { 8, 0x0A } }, 8, { { L::Label133, "40 bit(ECC)" } } },
        { { { 119, 0x0A } }, 119, { { L::Label141, "0A" } } },
        { { { 120, 0x12 }, { 121, 0x05 } }, 121, { { L::Label142, "1205" } } },
        { { { 122, 0x01 }, { 123, 0x02 }, { 124, 0xAB }, { 125, 0x00 } }, 124, { { L::Label143, "0102AB00" } } },
        { { { 126, 0x4F }, { 127, 0x0B } }, 126, { { L::Label131, "4F0B" } } },
        { { { 146, 0x00 }, { 147, 0x01 } }, 147, { { L::Label145, "0001" } } },
    };
    for (const auto& c : cases) {
        DecodeHarness h;
        for (const auto& [i, v] : c.bytes) h.set(i, v);
        h.ddr3(c.decoded);
        for (const auto& [id, text] : c.expected)
            EXPECT_EQ(h.cap(id), QString::fromLatin1(text))
                << PanelModel::nameOf(id).toStdString() << " after byte " << c.decoded;
    }
}

TEST(Ddr3Decode, CrcCaptionFollowsBit7OfByte0)
{
    for (uint8_t b0 : { 0x92, 0x80, 0xFF }) {
        DecodeHarness h;
        h.set(0, b0);
        h.ddr3(0);
        EXPECT_EQ(h.optcrc1, "CRC (0-116)") << int(b0);
        EXPECT_EQ(h.cap(L::Label115), "CRC (0-116)") << int(b0);
    }
    for (uint8_t b0 : { 0x12, 0x00, 0x7F }) {
        DecodeHarness h;
        h.optcrc1 = kCrcShortCaption;
        h.panel.setCaption(L::Label115, kCrcShortCaption);
        h.set(0, b0);
        h.ddr3(0);
        EXPECT_EQ(h.optcrc1, "CRC (0-125)") << int(b0);
        EXPECT_EQ(h.cap(L::Label115), "CRC (0-125)") << int(b0);
    }
}

TEST(Ddr3Decode, CapacityKeepsTheDeviceWidthOfItsOwnDecode)
{
    DecodeHarness h;
    h.set({ { 4, 0x02 }, { 7, 0x09 }, { 8, 0x03 } });
    h.ddr3(4);
    h.ddr3(7);
    ASSERT_EQ(h.cap(L::Label117), "1 GB");
    h.set(7, 0x0A);
    h.ddr3(7);
    EXPECT_EQ(h.cap(L::Label125), "16 bit");
    EXPECT_EQ(h.cap(L::Label117), "1 GB");
    h.ddr3(4);
    EXPECT_EQ(h.cap(L::Label117), "512 MB");
}

TEST(Ddr3Decode, TimingsKeepTheTimeBaseOfTheirOwnDecode)
{
    DecodeHarness h;
    h.set({ { 10, 1 }, { 11, 8 }, { 12, 10 }, { 18, 105 } });
    h.ddr3(18);
    ASSERT_EQ(h.cap(L::Label129), "13.125 ns (11T)");
    h.set({ { 11, 16 }, { 12, 20 } });
    for (int a : { 10, 11, 12 }) h.ddr3(a);
    EXPECT_EQ(h.cap(L::Label129), "13.125 ns (11T)");
    EXPECT_EQ(h.cap(L::Label119), "Reserved");          // 20 x 62 ps = 1240 ps
    h.ddr3(18);
    EXPECT_EQ(h.cap(L::Label129), "6.51 ns (6T)");     // 105 x 62 ps; 105 / 20 rounded up
}

TEST(Ddr3Decode, SpecificDataUsesBareHexDigits)
{
    DecodeHarness h;
    h.ddr3(150);
    EXPECT_EQ(h.cap(L::Label147), QString(26, QLatin1Char('0')));
    h.setRun(150, { 0x0A, 0x0B, 0xC0 });
    h.set(175, 0xFF);
    h.ddr3(175);
    EXPECT_EQ(h.cap(L::Label147), "ABC0" + QString(22, QLatin1Char('0')) + "FF");
}

TEST(Ddr3Decode, PartNumberRebuiltWholeWithTrailingBlanks)
{
    DecodeHarness h;
    const char pn[] = "M378B5173DB0-CK0  ";
    for (int i = 0; i < 18; ++i) h.set(128 + i, static_cast<uint8_t>(pn[i]));
    h.ddr3(131);
    EXPECT_EQ(h.cap(L::Label144), QString::fromLatin1(pn, 18));
    h.set(145, 0x00);
    h.ddr3(140);
    EXPECT_EQ(h.cap(L::Label144), QString::fromLatin1(pn, 17) + QChar(0));
}

struct DramMakerCase {
    uint8_t b148, b149;
    const char* name;   // "" when nothing is shown
};

TEST(Ddr3Decode, DramManufacturerFromBytes148And149)
{
    const DramMakerCase cases[] = {
        { 0x80, 0xCE, "(SAMSUNG)" },
        { 0x00, 0xCE, "(SAMSUNG)" },                 // parity bit of 148 not used
        { 0x01, 0x98, "(KINGSTON)" },
        { 0x80, 0x2C, "(MICRON TECHNOLOGY)" },
        { 0x80, 0xAD, "(HYUNDAI ELECTRONICS)" },
        { 0x03, 0x0B, "(NANYA TECHNOLOGY)" },
        { 0x85, 0xDC, "Hexon Technology Pte Ltd" },
        { 0x06, 0x9D, "(Rambus Inc.)" },
        { 0x06, 0x9E, "" },                          // bank 7 code 30: no row
        { 0x00, 0x00, "" },
        { 0x80, 0x18, "" },                          // wrong parity
        { 0x07, 0x01, "" },                          // 7 continuation codes: no lookup
        { 0xFF, 0xCE, "" },
    };
    for (const auto& c : cases) {
        for (int decoded : { 148, 149 }) {
            DecodeHarness h;
            // An earlier lookup (here or in another document) left a name behind.
            h.panel.setCaption(L::Label59, QStringLiteral("(AMD)"));
            h.panel.setCaption(L::Label148, QStringLiteral("(AMD)"));
            jedec_name = QStringLiteral("(AMD)");
            h.set({ { 148, c.b148 }, { 149, c.b149 } });
            h.ddr3(decoded);
            EXPECT_EQ(h.cap(L::Label146), Hex_Byte_Text(c.b148) + Hex_Byte_Text(c.b149));
            EXPECT_EQ(h.cap(L::Label148), QString::fromLatin1(c.name)) << int(c.b148) << " " << int(c.b149);
            if (*c.name) {
                EXPECT_EQ(jedec_name, QString::fromLatin1(c.name));
                EXPECT_EQ(h.cap(L::Label59), QString::fromLatin1(c.name));
            } else {
                EXPECT_EQ(jedec_name, "(AMD)");
                EXPECT_EQ(h.cap(L::Label59), "(AMD)");
            }
        }
    }
}

std::set<L> ddr3Owners(int a)
{
    switch (a) {
    case 0: return { L::Label115 };
    case 2: return { L::Label120 };
    case 3: return { L::Label116 };
    case 4: return { L::Label121, L::Label117, L::Label122 };
    case 5: return { L::Label124, L::Label123 };
    case 7: return { L::Label125, L::Label118 };
    case 8: return { L::Label133 };
    case 12: return { L::Label119 };
    case 14: case 15: return { L::Label126 };
    case 18: return { L::Label129 };
    case 19: return { L::Label128 };
    case 20: return { L::Label127 };
    case 21: case 22: return { L::Label130 };
    case 119: return { L::Label141 };
    case 120: case 121: return { L::Label142 };
    case 126: case 127: return { L::Label131 };
    case 146: case 147: return { L::Label145 };
    case 148: case 149: return { L::Label146, L::Label148, L::Label59 };
    default: break;
    }
    if (a >= 122 && a <= 125) return { L::Label143 };
    if (a >= 128 && a <= 145) return { L::Label144 };
    if (a >= 150 && a <= 175) return { L::Label147 };
    return {};
}

TEST(Ddr3Decode, EachByteWritesOnlyItsOwnLabels)
{
    QRandomGenerator rng(99);
    for (int round = 0; round < 40; ++round) {
        DecodeHarness h;
        for (auto& b : h.rec.Spd_Value) b = static_cast<uint8_t>(rng.bounded(256));
        h.set(2, 11);
        h.all();
        for (auto& b : h.rec.Spd_Value) b = static_cast<uint8_t>(rng.bounded(256));
        h.set(2, 11);
        for (int a = -3; a < 300; ++a) {
            h.panel.clearDirty();
            const QString optcrc = h.optcrc1;
            h.ddr3(a);
            const std::set<L> owners = ddr3Owners(a);
            for (L id : h.panel.dirty())
                EXPECT_TRUE(owners.count(id)) << "byte " << a << " wrote " << PanelModel::nameOf(id).toStdString();
            if (a != 0) {
                EXPECT_EQ(h.optcrc1, optcrc) << "byte " << a;
            }
        }
        EXPECT_EQ(h.security, 0);   // never written by the DDR3 decoder
    }
}

} // namespace
