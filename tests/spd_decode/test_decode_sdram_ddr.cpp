// The SDRAM, DDR and DDR2 decoder: every field rule, the cycle-time based texts, the
// manufacturer key scan, the checksum / security value and the rule that a label changes
// only when its own byte is decoded.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <map>
#include <set>

#include "decode_harness.h"

namespace {

using L = PanelLabel;
const QString kStale = QStringLiteral("<stale>");

constexpr uint8_t SDR = 4, DDR = 7, DDR2 = 8;

TEST(Ddr2Decode, AllZeroImageShowsTheNewDocumentTexts)
{
    DecodeHarness h;
    h.all();
    const std::map<L, QString> expected = {
        { L::Label29, "Reserved" },
        { L::Label30, "Undefined(B1)/" },
        { L::Label31, "Undefined(B1)/" },
        { L::Label32, "Undefined" },
        { L::Label34, "TTL" },
        { L::Label35, "Undefined" },
        { L::Label37, "Unbuffered" },
        { L::Label38, "15.625us" },
        { L::Label39, "N/A" },
        { L::Label42, "Undefined" },
        { L::Label44, "Undefined" },
        { L::Label14, "Undefined" },
        { L::Label43, "Undefined" },
        { L::Label45, "Undefined" },
        { L::Label41, "Undefined" },
        { L::Label46, "00" },
        { L::Label99, "00" },
        { L::Label6, QString(16, QLatin1Char('0')) },
        { L::Label36, "00" },
        { L::Label47, "0000" },
        { L::Label49, "0000" },
        { L::Label26, "00000000" },
        { L::Label28, QString(29, QLatin1Char('0')) },
        { L::Label18, QString(18, QChar(0)) },
    };
    for (const auto& [id, text] : expected) EXPECT_EQ(h.cap(id), text) << PanelModel::nameOf(id).toStdString();
    EXPECT_EQ(h.security, 0);
    EXPECT_FALSE(h.panel.isVisible(L::Label59));
    // The DDR3 labels are not touched by this decoder.
    EXPECT_EQ(h.cap(L::Label116), "Label116");
    EXPECT_EQ(h.optcrc1, kCrcFullCaption);
}

struct SpeedCase {
    uint8_t b2;
    uint8_t b9;
    const char* expected;   // nullptr: the label keeps its caption
};

TEST(Ddr2Decode, SpeedGradeFollowsCycleTimeAndType)
{
    const SpeedCase cases[] = {
        // SDRAM: limits 6.00, 7.50, 10.00, 16.00 ns
        { SDR, 0x00, "166 MHz(PC-166)" }, { SDR, 0x60, "166 MHz(PC-166)" },
        { SDR, 0x61, "133 MHz(PC-133)" }, { SDR, 0x75, "133 MHz(PC-133)" },
        { SDR, 0x76, "100 MHz(PC-100)" }, { SDR, 0xA0, "100 MHz(PC-100)" },
        { SDR, 0xA1, "66 MHz(PC-66)" }, { SDR, 0xF5, "66 MHz(PC-66)" },
        { SDR, 0xFE, nullptr }, { SDR, 0xFF, nullptr },
        // DDR: limits 5.00, 6.00, 7.50, 10.00 ns
        { DDR, 0x00, "400 MHz(PC-3200)" }, { DDR, 0x50, "400 MHz(PC-3200)" },
        { DDR, 0x51, "333 MHz(PC-2700)" }, { DDR, 0x60, "333 MHz(PC-2700)" },
        { DDR, 0x6A, "266 MHz(PC-2100)" }, { DDR, 0x75, "266 MHz(PC-2100)" },
        { DDR, 0x7D, "200 MHz(PC-1600)" }, { DDR, 0xA0, "200 MHz(PC-1600)" },
        { DDR, 0xA1, nullptr },
        // DDR2: 2.50, 3.00, 3.75, then "at least 5.00"; 3.76-4.99 has no grade
        { DDR2, 0x00, "800 MHz(PC2-6400)" }, { DDR2, 0x25, "800 MHz(PC2-6400)" },
        { DDR2, 0x2B, "800 MHz(PC2-6400)" }, { DDR2, 0x26, "667 MHz(PC2-5300)" },
        { DDR2, 0x30, "667 MHz(PC2-5300)" }, { DDR2, 0x3B, "533 MHz(PC2-4200)" },
        { DDR2, 0x3D, "533 MHz(PC2-4200)" }, { DDR2, 0x3E, nullptr },
        { DDR2, 0x40, nullptr }, { DDR2, 0x4F, "400 MHz(PC2-3200)" },
        { DDR2, 0x50, "400 MHz(PC2-3200)" }, { DDR2, 0x80, "400 MHz(PC2-3200)" },
        // any other type
        { 0, 0x75, "Undefined" }, { 1, 0x00, "Undefined" }, { 11, 0x25, "Undefined" }, { 255, 0x50, "Undefined" },
    };
    for (const auto& c : cases) {
        DecodeHarness h;
        h.panel.setCaption(L::Label35, kStale);
        h.set({ { 2, c.b2 }, { 9, c.b9 } });
        h.ddr2(9);
        const QString want = c.expected ? QString::fromLatin1(c.expected) : kStale;
        EXPECT_EQ(h.cap(L::Label35), want) << "b2=" << int(c.b2) << " b9=" << int(c.b9);
    }
}

struct TimingCase {
    uint8_t b2;
    uint8_t b9;
    int byteNo;
    uint8_t value;
    const char* expected;
};

TEST(Ddr2Decode, TimingsInNanosecondsAndClocks)
{
    const TimingCase cases[] = {
        // SDRAM: bytes 27-30 in whole ns
        { SDR, 0x75, 29, 20, "20 ns  (3T)" },
        { SDR, 0x75, 27, 0x14, "20 ns  (3T)" },
        { SDR, 0x75, 28, 0x0F, "15 ns  (2T)" },
        { SDR, 0x75, 30, 0x2C, "44 ns  (6T)" },
        { SDR, 0xA0, 29, 20, "20 ns  (2T)" },          // exact division: no extra clock
        // DDR / DDR2: bytes 27-29 in quarter ns, byte 30 in whole ns
        { DDR, 0x50, 29, 0x48, "18 ns  (4T)" },
        { DDR, 0x60, 27, 0x4B, "18.75 ns  (4T)" },
        { DDR, 0x50, 28, 0x1E, "7.5 ns  (2T)" },
        { DDR, 0x50, 30, 0x28, "40 ns  (8T)" },
        { DDR2, 0x25, 27, 0x32, "12.5 ns  (5T)" },
        { DDR2, 0x25, 30, 0x2D, "45 ns  (18T)" },
        { 0, 0x50, 27, 0x49, "18.25 ns  (4T)" },       // other types use quarters too
        // the fraction nibbles A-E of byte 9, told apart by the clock count
        { DDR2, 0x2A, 27, 0x24, "9 ns  (4T)" },         // 2.25 ns
        { DDR2, 0x2B, 27, 0x25, "9.25 ns  (4T)" },      // 2.33 ns (2.30 would give 5T)
        { DDR2, 0x2C, 27, 0x35, "13.25 ns  (5T)" },     // 2.66 ns (2.60 would give 6T)
        { DDR2, 0x2D, 27, 0x2C, "11 ns  (4T)" },        // 2.75 ns
        { DDR2, 0x2E, 27, 0x44, "17 ns  (5T)" },        // 2 + 1.4 ns
        { DDR2, 0x2F, 27, 0x50, "20 ns  (6T)" },        // 2 + 1.5 ns
        // nothing to show: zero timing or zero cycle time
        { DDR, 0x50, 27, 0, "Undefined" },
        { DDR, 0x00, 27, 0x3C, "Undefined" },
        { SDR, 0x00, 30, 0x2C, "Undefined" },
    };
    const std::map<int, L> labelOf = { { 27, L::Label44 }, { 28, L::Label14 }, { 29, L::Label43 }, { 30, L::Label45 } };
    for (const auto& c : cases) {
        DecodeHarness h;
        h.set({ { 2, c.b2 }, { 9, c.b9 }, { c.byteNo, c.value } });
        h.ddr2(c.byteNo);
        EXPECT_EQ(h.cap(labelOf.at(c.byteNo)), QString::fromLatin1(c.expected))
            << "b2=" << int(c.b2) << " b9=" << int(c.b9) << " byte " << c.byteNo << "=" << int(c.value);
    }
}

struct CasCase {
    uint8_t b2;
    uint8_t b18;
    const char* expected;
};

TEST(Ddr2Decode, CasLatencyListsHighestFirstAfterOneBlank)
{
    const CasCase cases[] = {
        { DDR, 0x1C, " 3T 2.5T 2T " },
        { DDR, 0x40, " 3.5T " },
        { DDR, 0xE0, " 3.5T " },                       // bits 5-7 together add 3.5T once
        { DDR, 0x3F, " 3.5T 3T 2.5T 2T 1.5T 1 " },
        { DDR, 0x01, " 1 " },
        { DDR, 0x00, "Undefined" },
        { SDR, 0x06, " 3T 2T " },
        { SDR, 0x80, " 7T " },
        { SDR, 0xFE, " 7T 6T 5T 4T 3T 2T " },
        { SDR, 0x01, "Undefined" },                    // bit 0 adds nothing
        { DDR2, 0x38, " 5T 4T 3T " },
        { DDR2, 0xC0, " 6T " },
        { DDR2, 0x7C, " 6T 5T 4T 3T 2T " },
        { DDR2, 0x03, "Undefined" },                   // bits 0 and 1 add nothing
        { 0, 0xFF, "Undefined" },
        { 11, 0x1C, "Undefined" },
    };
    for (const auto& c : cases) {
        DecodeHarness h;
        h.set({ { 2, c.b2 }, { 18, c.b18 } });
        h.ddr2(18);
        EXPECT_EQ(h.cap(L::Label42), QString::fromLatin1(c.expected)) << "b2=" << int(c.b2) << " b18=" << int(c.b18);
    }
}

struct FieldCase {
    uint8_t b2;
    int byteNo;
    uint8_t value;
    L label;
    const char* expected;   // nullptr: unchanged
};

TEST(Ddr2Decode, SingleByteFieldLists)
{
    const FieldCase cases[] = {
        { 0, 2, 0, L::Label29, "Reserved" }, { 4, 2, 4, L::Label29, "SDRAM" },
        { 0, 2, 3, L::Label29, "Pipelined Nibble" }, { 7, 2, 7, L::Label29, "DDR SDRAM" },
        { 8, 2, 8, L::Label29, "DDR2 SDRAM" }, { 10, 2, 10, L::Label29, "DDR2 FB-DIMM P" },
        { 11, 2, 11, L::Label29, "DDR3 SDRAM" }, { 12, 2, 12, L::Label29, "-" }, { 255, 2, 255, L::Label29, "-" },
        { SDR, 3, 0x00, L::Label30, "Undefined(B1)/" }, { SDR, 3, 0x0D, L::Label30, "13" },
        { SDR, 3, 0x1F, L::Label30, "15" }, { SDR, 3, 0xF0, L::Label30, "Undefined(B1)/" },
        { DDR2, 4, 0x0A, L::Label31, "10" }, { DDR2, 4, 0x80, L::Label31, "Undefined(B1)/" },
        { DDR, 5, 0x00, L::Label32, "Undefined" }, { DDR2, 5, 0x00, L::Label32, "Undefined" },
        { DDR, 5, 0x61, L::Label32, "1" }, { DDR2, 5, 0x61, L::Label32, "2" },
        { SDR, 5, 0x02, L::Label32, "2" }, { SDR, 5, 0x10, L::Label32, "0" }, { DDR2, 5, 0x10, L::Label32, "1" },
        { 0, 8, 0, L::Label34, "TTL" }, { 0, 8, 4, L::Label34, "SSTL 2.5V" }, { 0, 8, 5, L::Label34, "SSTL 1.8V" },
        { 0, 8, 6, L::Label34, "TBD" }, { 0, 8, 7, L::Label34, "-" }, { 0, 8, 255, L::Label34, "-" },
        { 0, 11, 0, L::Label37, "Unbuffered" }, { 0, 11, 1, L::Label37, "Parity" }, { 0, 11, 2, L::Label37, "ECC" },
        { 0, 11, 3, L::Label37, "TBD" }, { 0, 11, 255, L::Label37, "TBD" },
        { 0, 12, 0, L::Label38, "15.625us" }, { 0, 12, 5, L::Label38, "125us" }, { 0, 12, 6, L::Label38, "TBD" },
        { 0, 12, 127, L::Label38, "TBD" }, { 0, 12, 128, L::Label38, "15.625us(self-refresh)" },
        { 0, 12, 0x82, L::Label38, "7.8us(self-refresh)" }, { 0, 12, 133, L::Label38, "125us(self-refresh)" },
        { 0, 12, 0x86, L::Label38, "TBD" }, { 0, 12, 255, L::Label38, "TBD" },
        { 0, 13, 0, L::Label39, "N/A" }, { 0, 13, 1, L::Label39, "1" }, { 0, 13, 72, L::Label39, "72" },
        { 0, 13, 127, L::Label39, "127" }, { 0, 13, 128, L::Label39, "N/A" }, { 0, 13, 255, L::Label39, "N/A" },
        { 0, 31, 0, L::Label41, "Undefined" }, { 0, 31, 1, L::Label41, "1 GB" }, { 0, 31, 2, L::Label41, "2 GB" },
        { 0, 31, 4, L::Label41, "16 MB" }, { 0, 31, 8, L::Label41, "32 MB" }, { 0, 31, 16, L::Label41, "64 MB" },
        { 0, 31, 32, L::Label41, "128 MB" }, { 0, 31, 64, L::Label41, "256 MB" }, { 0, 31, 128, L::Label41, "512 MB" },
        { 0, 31, 3, L::Label41, nullptr }, { 0, 31, 6, L::Label41, nullptr }, { 0, 31, 255, L::Label41, nullptr },
        // Each type's own sizes where JEDEC gives the low bits another meaning.
        { SDR, 31, 1, L::Label41, "4 MB" }, { SDR, 31, 2, L::Label41, "8 MB" }, { SDR, 31, 4, L::Label41, "16 MB" },
        { SDR, 31, 128, L::Label41, "512 MB" }, { SDR, 31, 3, L::Label41, nullptr },
        { DDR, 31, 1, L::Label41, "1 GB" }, { DDR, 31, 2, L::Label41, "2 GB" }, { DDR, 31, 4, L::Label41, "16 MB" },
        { DDR2, 31, 1, L::Label41, "1 GB" }, { DDR2, 31, 2, L::Label41, "2 GB" }, { DDR2, 31, 4, L::Label41, "4 GB" },
        { DDR2, 31, 8, L::Label41, "8 GB" }, { DDR2, 31, 16, L::Label41, "16 GB" }, { DDR2, 31, 32, L::Label41, "128 MB" },
        { DDR2, 31, 0, L::Label41, "Undefined" }, { DDR2, 31, 24, L::Label41, nullptr },
        { 0, 72, 0x0C, L::Label36, "0C" }, { 0, 72, 0xAB, L::Label36, "AB" },
    };
    for (const auto& c : cases) {
        DecodeHarness h;
        h.panel.setCaption(c.label, kStale);
        h.set({ { 2, c.b2 }, { c.byteNo, c.value } });
        h.ddr2(c.byteNo);
        const QString want = c.expected ? QString::fromLatin1(c.expected) : kStale;
        EXPECT_EQ(h.cap(c.label), want) << "b2=" << int(c.b2) << " byte " << c.byteNo << "=" << int(c.value);
    }
}

TEST(Ddr2Decode, ChecksumAndSecurityValueComeOnlyFromByte63)
{
    DecodeHarness h;
    for (int i = 0; i <= 62; ++i) h.set(i, static_cast<uint8_t>(i * 7 + 3));
    h.set({ { 63, 0x11 }, { 93, 0x12 }, { 94, 0x34 } });
    int sum = 0;
    for (int i = 0; i <= 62; ++i) sum += h.rec.Spd_Value[static_cast<size_t>(i)];
    sum %= 256;
    const int security = ((sum + 0x12) % 256 + 0x34) % 256;

    h.ddr2(63);
    EXPECT_EQ(h.cap(L::Label46), Hex_Byte_Text(static_cast<uint8_t>(sum)));   // not the stored 0x11
    EXPECT_EQ(h.security, security);
    EXPECT_EQ(h.cap(L::Label99), Hex_Byte_Text(static_cast<uint8_t>(security)));

    // Changing the summed bytes or the date bytes shows nothing until byte 63 is decoded.
    h.set({ { 0, 0x80 }, { 93, 0x99 }, { 94, 0x01 } });
    for (int i = 0; i <= 62; ++i) h.ddr2(i);
    h.ddr2(93);
    h.ddr2(94);
    EXPECT_EQ(h.cap(L::Label46), Hex_Byte_Text(static_cast<uint8_t>(sum)));
    EXPECT_EQ(h.security, security);

    h.ddr2(63);
    const int sum2 = cal_bytesum(h.rec, 62);
    EXPECT_NE(sum2, sum);
    EXPECT_EQ(h.cap(L::Label46), Hex_Byte_Text(static_cast<uint8_t>(sum2)));
    EXPECT_EQ(h.security, ((sum2 + 0x99) % 256 + 0x01) % 256);
}

TEST(Ddr2Decode, SecurityValueWrapsTwice)
{
    DecodeHarness h;
    h.set({ { 0, 0xFF }, { 93, 0xFF }, { 94, 0xFF } });
    h.ddr2(63);
    EXPECT_EQ(h.cap(L::Label46), "FF");
    EXPECT_EQ(h.security, ((0xFF + 0xFF) % 256 + 0xFF) % 256);
    EXPECT_EQ(h.cap(L::Label99), "FD");
}

struct MakerCase {
    std::array<uint8_t, 8> bytes;   // bytes 64-71
    const char* name;               // nullptr: Label59 ends hidden
};

TEST(Ddr2Decode, ManufacturerKeyScanOverBytes64To71)
{
    const MakerCase cases[] = {
        { { 0x7F, 0x98, 0, 0, 0, 0, 0, 0 }, "(KINGSTON)" },
        { { 0x2C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF }, "(MICRON TECHNOLOGY)" },
        { { 0xCE, 0, 0, 0, 0, 0, 0, 0 }, "(SAMSUNG)" },
        { { 0x98, 0, 0, 0, 0, 0, 0, 0 }, "(TOSHIBA)" },
        { { 0x7F, 0x7F, 0x9E, 0, 0, 0, 0, 0 }, "(CORSAIR)" },
        // bank 6 through key 6, bank 7 through key 7
        { { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0xDC, 0, 0 }, "Hexon Technology Pte Ltd" },
        { { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x9D, 0 }, "(Rambus Inc.)" },
        { { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x98, 0x01 }, "(Edgewater Computer Systems)" },
        // byte 71 belongs to no key: an eighth-bank code is not found
        { { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x01 }, nullptr },
        { { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F }, nullptr },
        { { 0, 0, 0, 0, 0, 0, 0, 0 }, nullptr },
        { { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF }, nullptr },
        { { 0x18, 0, 0, 0, 0, 0, 0, 0 }, nullptr },     // Kingston's code with the parity bit clear
    };
    for (const auto& c : cases) {
        for (int decoded : { 64, 67, 71 }) {   // any byte of the field rebuilds it whole
            DecodeHarness h;
            h.panel.setCaption(L::Label59, QStringLiteral("(FROM BEFORE)"));
            for (int i = 0; i < 8; ++i) h.set(64 + i, c.bytes[static_cast<size_t>(i)]);
            h.ddr2(decoded);
            QString hex;
            for (uint8_t b : c.bytes) hex += Hex_Byte_Text(b);
            EXPECT_EQ(h.cap(L::Label6), hex);
            if (c.name) {
                EXPECT_TRUE(h.panel.isVisible(L::Label59)) << hex.toStdString();
                EXPECT_EQ(h.cap(L::Label59), QString::fromLatin1(c.name)) << hex.toStdString();
                EXPECT_EQ(jedec_name, QString::fromLatin1(c.name));
            } else {
                EXPECT_FALSE(h.panel.isVisible(L::Label59)) << hex.toStdString();
                EXPECT_EQ(h.cap(L::Label59), " ");
                EXPECT_EQ(jedec_name, " ");
            }
        }
    }
}

TEST(Ddr2Decode, ManufacturerLabelShownAgainAfterAHit)
{
    DecodeHarness h;
    h.ddr2(64);   // all zero: hidden
    ASSERT_FALSE(h.panel.isVisible(L::Label59));
    h.setRun(64, { 0x7F, 0x98 });
    h.ddr2(65);
    EXPECT_TRUE(h.panel.isVisible(L::Label59));
    EXPECT_EQ(h.cap(L::Label59), "(KINGSTON)");
}

TEST(Ddr2Decode, JedecProgKeepsTheLabelOnAMissAndCopiesItToJedecName)
{
    DecodeHarness a;
    DecodeHarness b;
    a.panel.setCaption(L::Label59, QStringLiteral("(AMD)"));
    b.panel.setCaption(L::Label59, QStringLiteral("(INTEL)"));

    JEDEC_PROG(a.ctx, QStringLiteral("CE"));
    EXPECT_EQ(a.cap(L::Label59), "(SAMSUNG)");
    EXPECT_EQ(jedec_name, "(SAMSUNG)");

    for (const char* miss : { "7f98", "", "7F", "18", "7F7F7F7F7F7F7F01", "7F7F7F7F7F7F9E", "7F7F7F7F7F7F1F", " 7F98" }) {
        JEDEC_PROG(b.ctx, QString::fromLatin1(miss));
        EXPECT_EQ(b.cap(L::Label59), "(INTEL)") << miss;
        EXPECT_EQ(jedec_name, "(INTEL)") << "the name comes from this document's label: " << miss;
    }
    EXPECT_EQ(a.cap(L::Label59), "(SAMSUNG)");
}

TEST(Ddr2Decode, MultiByteFieldsAreRebuiltWholeFromAnyOfTheirBytes)
{
    DecodeHarness h;
    // part number with a NUL inside and trailing blanks
    const char pn[] = "AB\0CD-1234        ";
    for (int i = 0; i < 18; ++i) h.set(73 + i, static_cast<uint8_t>(pn[i]));
    h.setRun(91, { 0x0A, 0xB0 });
    h.setRun(93, { 0x12, 0x05 });
    h.setRun(95, { 0x01, 0x23, 0x45, 0x67 });
    h.setRun(99, { 0x0A, 0x0B, 0xFF, 0x10 });
    h.set(127, 0x07);

    h.ddr2(80);
    EXPECT_EQ(h.cap(L::Label18), QString::fromLatin1(pn, 18));
    EXPECT_EQ(h.cap(L::Label18).size(), 18);
    h.ddr2(92);
    EXPECT_EQ(h.cap(L::Label47), "0AB0");
    h.ddr2(93);
    EXPECT_EQ(h.cap(L::Label49), "1205");
    h.ddr2(96);
    EXPECT_EQ(h.cap(L::Label26), "01234567");
    h.ddr2(127);
    // bare digits: 0A -> "A", 0B -> "B", 10 -> "10", 0 -> "0", last byte 07 -> "7"
    EXPECT_EQ(h.cap(L::Label28), "ABFF10" + QString(24, QLatin1Char('0')) + "7");
}

TEST(Ddr2Decode, PartNumberKeepsHighLatin1Bytes)
{
    DecodeHarness h;
    h.setRun(73, { 0xE9, 0x80, 0xFF, 0x20 });
    h.ddr2(73);
    const QString pn = h.cap(L::Label18);
    ASSERT_EQ(pn.size(), 18);
    EXPECT_EQ(pn.at(0).unicode(), 0xE9);
    EXPECT_EQ(pn.at(1).unicode(), 0x80);
    EXPECT_EQ(pn.at(2).unicode(), 0xFF);
    EXPECT_EQ(pn.at(3).unicode(), 0x20);
}

// Which labels each byte may write.
std::set<L> ddr2Owners(int a)
{
    switch (a) {
    case 2: return { L::Label29 };
    case 3: return { L::Label30 };
    case 4: return { L::Label31 };
    case 5: return { L::Label32 };
    case 8: return { L::Label34 };
    case 9: return { L::Label35 };
    case 11: return { L::Label37 };
    case 12: return { L::Label38 };
    case 13: return { L::Label39 };
    case 18: return { L::Label42 };
    case 27: return { L::Label44 };
    case 28: return { L::Label14 };
    case 29: return { L::Label43 };
    case 30: return { L::Label45 };
    case 31: return { L::Label41 };
    case 63: return { L::Label46, L::Label99 };
    case 72: return { L::Label36 };
    default: break;
    }
    if (a >= 64 && a <= 71) return { L::Label6, L::Label59 };
    if (a >= 73 && a <= 90) return { L::Label18 };
    if (a == 91 || a == 92) return { L::Label47 };
    if (a == 93 || a == 94) return { L::Label49 };
    if (a >= 95 && a <= 98) return { L::Label26 };
    if (a >= 99 && a <= 127) return { L::Label28 };
    return {};
}

TEST(Ddr2Decode, EachByteWritesOnlyItsOwnLabels)
{
    QRandomGenerator rng(1234);
    for (uint8_t type : { SDR, DDR, DDR2 }) {
        for (int round = 0; round < 20; ++round) {
            DecodeHarness h;
            for (auto& b : h.rec.Spd_Value) b = static_cast<uint8_t>(rng.bounded(256));
            h.set(2, type);
            h.all();
            // A different image of the same type; decode one byte at a time.
            for (auto& b : h.rec.Spd_Value) b = static_cast<uint8_t>(rng.bounded(256));
            h.set(2, type);
            for (int a = -3; a < 300; ++a) {
                h.panel.clearDirty();
                const int16_t securityBefore = h.security;
                h.ddr2(a);
                const std::set<L> owners = ddr2Owners(a);
                for (L id : h.panel.dirty())
                    EXPECT_TRUE(owners.count(id)) << "byte " << a << " wrote " << PanelModel::nameOf(id).toStdString();
                if (a != 63) {
                    EXPECT_EQ(h.security, securityBefore) << "byte " << a;
                }
            }
        }
    }
}

TEST(Ddr2Decode, DependentLabelsKeepTheBytesOfTheirLastDecode)
{
    DecodeHarness h;
    h.set({ { 2, SDR }, { 9, 0x75 }, { 29, 20 }, { 18, 0x06 }, { 5, 0x61 } });
    for (int a : { 9, 29, 18, 5 }) h.ddr2(a);
    ASSERT_EQ(h.cap(L::Label35), "133 MHz(PC-133)");
    ASSERT_EQ(h.cap(L::Label43), "20 ns  (3T)");

    // Byte 2 and byte 9 change and are decoded themselves: the labels that read them stay.
    h.set({ { 2, DDR2 }, { 9, 0x25 } });
    h.ddr2(2);
    h.ddr2(9);
    EXPECT_EQ(h.cap(L::Label43), "20 ns  (3T)");
    EXPECT_EQ(h.cap(L::Label42), " 3T 2T ");
    EXPECT_EQ(h.cap(L::Label32), "1");
    EXPECT_EQ(h.cap(L::Label35), "800 MHz(PC2-6400)");

    // Their own decode brings them up to date with the current bytes 2 and 9.
    h.ddr2(29);
    h.ddr2(18);
    h.ddr2(5);
    EXPECT_EQ(h.cap(L::Label43), "5 ns  (2T)");       // 20 = 5.00 ns in quarters, 2.5 ns cycle
    EXPECT_EQ(h.cap(L::Label42), " 2T ");             // of 0x06 only bit 2 is a DDR2 latency
    EXPECT_EQ(h.cap(L::Label32), "2");
}

} // namespace
