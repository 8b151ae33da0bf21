// Real module images decoded in full: the texts must agree with what the bytes mean
// (speed grade, organisation, timings, manufacturer) for SDRAM, DDR, DDR2 and DDR3.
#include <gtest/gtest.h>

#include <map>

#include "decode_harness.h"

namespace {

using L = PanelLabel;

struct RealImageCase {
    const char* file;
    std::map<L, QString> expected;
};

QString withNuls(const char* text, int total)
{
    QString s = QString::fromLatin1(text);
    while (s.size() < total) s.append(QChar(0));
    return s;
}

const RealImageCase kCases[] = {
    { "sdram-daneelec-pc133-1.bin",
      { { L::Label29, "SDRAM" }, { L::Label30, "13" }, { L::Label31, "9" }, { L::Label32, "2" },
        { L::Label34, "LVTTL" }, { L::Label35, "133 MHz(PC-133)" }, { L::Label37, "Unbuffered" },
        { L::Label38, "7.8us(self-refresh)" }, { L::Label39, "16" }, { L::Label42, " 3T 2T " },
        { L::Label44, "20 ns  (3T)" }, { L::Label14, "15 ns  (2T)" }, { L::Label43, "20 ns  (3T)" },
        { L::Label45, "44 ns  (6T)" }, { L::Label41, "128 MB" }, { L::Label46, "B9" },
        { L::Label6, "7FDA000000000000" }, { L::Label59, "(DANE-ELEC)" }, { L::Label36, "53" },
        { L::Label18, withNuls("SP133-064323J", 18) }, { L::Label47, "0000" }, { L::Label49, "0102" },
        { L::Label99, "BC" } } },
    { "sdram-nomfr-pc133-malta-1.bin",
      // its stored checksum is D0; the panel shows what byte 63 should hold
      { { L::Label29, "SDRAM" }, { L::Label35, "133 MHz(PC-133)" }, { L::Label42, " 2T " },
        { L::Label41, "256 MB" }, { L::Label46, "CE" }, { L::Label6, "0000000000000000" } } },
    { "ddr-corsair-ddr400-1.bin",
      { { L::Label29, "DDR SDRAM" }, { L::Label30, "13" }, { L::Label31, "10" }, { L::Label32, "2" },
        { L::Label34, "SSTL 2.5V" }, { L::Label35, "400 MHz(PC-3200)" }, { L::Label39, "8" },
        { L::Label42, " 2.5T " }, { L::Label44, "15 ns  (3T)" }, { L::Label14, "10 ns  (2T)" },
        { L::Label43, "15 ns  (3T)" }, { L::Label45, "40 ns  (8T)" }, { L::Label41, "256 MB" },
        { L::Label46, "CE" }, { L::Label6, "7F7F9E0000000000" }, { L::Label59, "(CORSAIR)" },
        { L::Label18, "VS512MB400        " } } },
    { "ddr-micron-ddr333-rdimm-1.bin",
      { { L::Label29, "DDR SDRAM" }, { L::Label35, "333 MHz(PC-2700)" }, { L::Label37, "ECC" },
        { L::Label42, " 2.5T 2T " }, { L::Label44, "18 ns  (3T)" }, { L::Label45, "42 ns  (7T)" },
        { L::Label46, "6F" }, { L::Label59, "(MICRON TECHNOLOGY)" }, { L::Label18, "36VDDF12872G-335C3" } } },
    { "ddr2-kingston-ddr2-800-1.bin",
      { { L::Label29, "DDR2 SDRAM" }, { L::Label30, "14" }, { L::Label31, "10" }, { L::Label32, "2" },
        { L::Label34, "SSTL 1.8V" }, { L::Label35, "800 MHz(PC2-6400)" }, { L::Label38, "7.8us(self-refresh)" },
        { L::Label42, " 5T 4T 3T " }, { L::Label44, "12.5 ns  (5T)" }, { L::Label14, "7.5 ns  (3T)" },
        { L::Label43, "12.5 ns  (5T)" }, { L::Label45, "45 ns  (18T)" }, { L::Label41, "1 GB" },
        { L::Label46, "F9" }, { L::Label59, "(KINGSTON)" }, { L::Label36, "06" },
        { L::Label18, withNuls("2G-UDIMM", 18) }, { L::Label49, "0909" }, { L::Label26, "A8CC8A87" },
        { L::Label99, "0B" } } },
    { "ddr2-samsung-ddr2-400-rdimm-1.bin",
      { { L::Label29, "DDR2 SDRAM" }, { L::Label35, "400 MHz(PC2-3200)" }, { L::Label37, "ECC" },
        { L::Label32, "1" }, { L::Label42, " 5T 4T 3T " }, { L::Label46, "6B" }, { L::Label59, "(SAMSUNG)" } } },
    { "ddr2-infineon-ddr2-533-1.bin",
      { { L::Label35, "533 MHz(PC2-4200)" }, { L::Label44, "15 ns  (4T)" }, { L::Label46, "3D" },
        { L::Label59, "(INFINEON)" } } },
    { "ddr3-samsung-1600-1.bin",
      { { L::Label115, "CRC (0-116)" }, { L::Label120, "DDR3 SDRAM" }, { L::Label116, "Unbuffer-DIMM" },
        { L::Label121, "4 Gb" }, { L::Label117, "4 GB" }, { L::Label122, "8 Banks" },
        { L::Label124, "10 " }, { L::Label123, "16 " }, { L::Label125, "8 bit" }, { L::Label118, "1 Rank" },
        { L::Label133, "64 bit" }, { L::Label119, "1600 MHz(1.25ns)" }, { L::Label126, "6 7 8 9 10 11 " },
        { L::Label129, "13.125 ns (11T)" }, { L::Label128, "6 ns (5T)" }, { L::Label127, "13.125 ns (11T)" },
        { L::Label130, "35 ns (28T)" }, { L::Label141, "03" }, { L::Label142, "1416" },
        { L::Label143, "15EBF5E9" }, { L::Label131, "A5BE" }, { L::Label144, "M378B5173DB0-CK0  " },
        { L::Label145, "0000" }, { L::Label146, "80CE" }, { L::Label148, "(SAMSUNG)" } } },
    { "ddr3-micron-1600-2.bin",
      { { L::Label116, "SO-DIMM" }, { L::Label121, "4 Gb" }, { L::Label125, "16 bit" },
        { L::Label119, "1600 MHz(1.25ns)" }, { L::Label126, "5 6 7 8 9 10 11 " }, { L::Label130, "35 ns (28T)" },
        { L::Label144, "4KTF25664HZ-1G6E1 " }, { L::Label145, "4531" }, { L::Label146, "802C" },
        { L::Label148, "(MICRON TECHNOLOGY)" } } },
    { "ddr3-kingston-1600-1.bin",
      { { L::Label115, "CRC (0-125)" }, { L::Label116, "SO-DIMM" }, { L::Label121, "8 Gb" },
        { L::Label119, "1600 MHz(1.25ns)" }, { L::Label131, "0000" }, { L::Label146, "0198" },
        { L::Label148, "(KINGSTON)" } } },
    { "ddr3-hynix-1333-ecc-1.bin",
      { { L::Label115, "CRC (0-125)" }, { L::Label116, "72b-SO-UDIMM" }, { L::Label133, "72 bit(ECC)" },
        { L::Label119, "1333 MHz(1.5ns)" }, { L::Label129, "13.125 ns (9T)" }, { L::Label125, "8 bit" },
        { L::Label118, "1 Rank" }, { L::Label146, "0000" }, { L::Label148, "" },
        { L::Label144, withNuls("", 18) } } },
    { "ddr3-kingston-1333-1.bin",
      { { L::Label116, "Unbuffer-DIMM" }, { L::Label121, "2 Gb" }, { L::Label125, "8 bit" },
        { L::Label118, "2 Ranks" }, { L::Label119, "1333 MHz(1.5ns)" }, { L::Label126, "6 7 8 9 " },
        { L::Label144, "9905403-440.A00LF " }, { L::Label146, "80AD" }, { L::Label148, "(HYUNDAI ELECTRONICS)" } } },
};

TEST(DecodeRealImages, PanelTextsMatchTheModules)
{
    for (const auto& c : kCases) {
        DecodeHarness h;
        const auto image = LoadTestImage(QString::fromLatin1(c.file));
        ASSERT_TRUE(image.has_value()) << c.file;
        h.rec = *image;
        h.all();
        for (const auto& [id, text] : c.expected)
            EXPECT_EQ(h.cap(id), text) << c.file << " " << PanelModel::nameOf(id).toStdString();
    }
}

// Every real DDR3 module: its type, the capacity of one rank (density x 64 / width), its
// speed with the fine correction of the cycle time, and the clock counts of tRCD, tRP, tRRD
// and tRAS at that cycle time, as the modules' own data sheets give them.
struct Ddr3ModuleCase {
    const char* file;
    const char* type;
    const char* rankCapacity;
    const char* speed;
    const char* trcd;
    const char* trp;
    const char* trrd;
    const char* tras;
};

TEST(DecodeRealImages, Ddr3ModulesShowTypeCapacitySpeedAndClocks)
{
    const Ddr3ModuleCase cases[] = {
        { "ddr3-elpida-1600-1.bin", "SO-DIMM", "2 GB", "1600 MHz(1.25ns)", "13.125 ns (11T)", "13.125 ns (11T)", "7.5 ns (6T)", "35 ns (28T)" },
        { "ddr3-hynix-1333-2.bin", "SO-DIMM", "2 GB", "1333 MHz(1.5ns)", "13.125 ns (9T)", "13.125 ns (9T)", "7.5 ns (5T)", "36 ns (24T)" },
        { "ddr3-hynix-1333-ecc-1.bin", "72b-SO-UDIMM", "4 GB", "1333 MHz(1.5ns)", "13.125 ns (9T)", "13.125 ns (9T)", "6 ns (4T)", "36 ns (24T)" },
        { "ddr3-hynix-1600-1.bin", "SO-DIMM", "2 GB", "1600 MHz(1.25ns)", "13.125 ns (11T)", "13.125 ns (11T)", "7.5 ns (6T)", "35 ns (28T)" },
        { "ddr3-kingston-1333-1.bin", "Unbuffer-DIMM", "2 GB", "1333 MHz(1.5ns)", "13.125 ns (9T)", "13.125 ns (9T)", "6 ns (4T)", "36 ns (24T)" },
        { "ddr3-kingston-1600-1.bin", "SO-DIMM", "4 GB", "1600 MHz(1.25ns)", "13.125 ns (11T)", "13.125 ns (11T)", "7.5 ns (6T)", "35 ns (28T)" },
        { "ddr3-micron-1600-2.bin", "SO-DIMM", "2 GB", "1600 MHz(1.25ns)", "13.125 ns (11T)", "13.125 ns (11T)", "7.5 ns (6T)", "35 ns (28T)" },
        { "ddr3-micron-1600-lrdimm-1.bin", "LRDIMM", "4 GB", "1600 MHz(1.25ns)", "13.125 ns (11T)", "13.125 ns (11T)", "6 ns (5T)", "35 ns (28T)" },
        { "ddr3-nomfr-1333-macbookair-1.bin", "SO-DIMM", "2 GB", "1333 MHz(1.5ns)", "13.5 ns (9T)", "13.5 ns (9T)", "6 ns (4T)", "36 ns (24T)" },
        { "ddr3-nomfr-1333-x1carbon-1.bin", "SO-DIMM", "2 GB", "1333 MHz(1.5ns)", "13.5 ns (9T)", "13.5 ns (9T)", "7.5 ns (5T)", "36 ns (24T)" },
        { "ddr3-samsung-1333-rdimm-1.bin", "Register-DIMM", "4 GB", "1333 MHz(1.5ns)", "13.125 ns (9T)", "13.125 ns (9T)", "6 ns (4T)", "36 ns (24T)" },
        { "ddr3-samsung-1600-1.bin", "Unbuffer-DIMM", "4 GB", "1600 MHz(1.25ns)", "13.125 ns (11T)", "13.125 ns (11T)", "6 ns (5T)", "35 ns (28T)" },
        { "ddr3-samsung-1600-2.bin", "SO-DIMM", "2 GB", "1600 MHz(1.25ns)", "13.125 ns (11T)", "13.125 ns (11T)", "7.5 ns (6T)", "35 ns (28T)" },
        { "ddr3-samsung-1866-ecc-1.bin", "Unbuffer-DIMM", "4 GB", "1866 MHz(1.071ns)", "13.125 ns (13T)", "13.125 ns (13T)", "5 ns (5T)", "34 ns (32T)" },
        { "ddr3-samsung-1866-rdimm-2.bin", "Register-DIMM", "8 GB", "1866 MHz(1.071ns)", "13.125 ns (13T)", "13.125 ns (13T)", "5 ns (5T)", "34 ns (32T)" },
    };
    for (const auto& c : cases) {
        DecodeHarness h;
        const auto image = LoadTestImage(QString::fromLatin1(c.file));
        ASSERT_TRUE(image.has_value()) << c.file;
        h.rec = *image;
        h.all();
        EXPECT_EQ(h.cap(L::Label116), QString::fromLatin1(c.type)) << c.file;
        EXPECT_EQ(h.cap(L::Label117), QString::fromLatin1(c.rankCapacity)) << c.file;
        EXPECT_EQ(h.cap(L::Label119), QString::fromLatin1(c.speed)) << c.file;
        EXPECT_EQ(h.cap(L::Label129), QString::fromLatin1(c.trcd)) << c.file;
        EXPECT_EQ(h.cap(L::Label127), QString::fromLatin1(c.trp)) << c.file;
        EXPECT_EQ(h.cap(L::Label128), QString::fromLatin1(c.trrd)) << c.file;
        EXPECT_EQ(h.cap(L::Label130), QString::fromLatin1(c.tras)) << c.file;
    }
}

TEST(DecodeRealImages, ChecksumLabelAgreesWithTheStoredChecksum)
{
    for (const char* file : { "sdram-daneelec-pc133-1.bin", "ddr-corsair-ddr400-1.bin", "ddr-micron-ddr333-rdimm-1.bin",
                              "ddr2-kingston-ddr2-800-1.bin", "ddr2-samsung-ddr2-400-rdimm-1.bin",
                              "ddr2-infineon-ddr2-533-1.bin" }) {
        DecodeHarness h;
        const auto image = LoadTestImage(QString::fromLatin1(file));
        ASSERT_TRUE(image.has_value()) << file;
        h.rec = *image;
        h.all();
        EXPECT_EQ(h.cap(PanelLabel::Label46), Hex_Byte_Text(h.rec.Spd_Value[63])) << file;
        const int security = ((h.rec.Spd_Value[63] + h.rec.Spd_Value[93]) % 256 + h.rec.Spd_Value[94]) % 256;
        EXPECT_EQ(h.security, security) << file;
    }
}

TEST(DecodeRealImages, ManufacturerLabelHiddenWithoutAnId)
{
    DecodeHarness h;
    const auto image = LoadTestImage(QStringLiteral("sdram-nomfr-pc133-malta-1.bin"));
    ASSERT_TRUE(image.has_value());
    h.rec = *image;
    h.all();
    EXPECT_FALSE(h.panel.isVisible(PanelLabel::Label59));

    const auto kingston = LoadTestImage(QStringLiteral("ddr2-kingston-ddr2-800-1.bin"));
    ASSERT_TRUE(kingston.has_value());
    h.rec = *kingston;
    h.all();
    EXPECT_TRUE(h.panel.isVisible(PanelLabel::Label59));
}

TEST(DecodeRealImages, DdrDecoderLeavesTheDdr3PanelAloneAndViceVersa)
{
    DecodeHarness h;
    const auto ddr3 = LoadTestImage(QStringLiteral("ddr3-samsung-1600-1.bin"));
    ASSERT_TRUE(ddr3.has_value());
    h.rec = *ddr3;
    h.all();
    // The DDR3 lookup names the DRAM maker on Label59 too, but nothing else of that panel moves.
    EXPECT_EQ(h.cap(PanelLabel::Label29), "Label5");
    EXPECT_EQ(h.cap(PanelLabel::Label6), "Label6");
    EXPECT_EQ(h.cap(PanelLabel::Label99), "00");
    EXPECT_EQ(h.security, 0);
    EXPECT_EQ(h.optcrc1, "CRC (0-116)");

    const auto ddr2 = LoadTestImage(QStringLiteral("ddr2-kingston-ddr2-800-1.bin"));
    ASSERT_TRUE(ddr2.has_value());
    h.rec = *ddr2;
    h.all();
    EXPECT_EQ(h.cap(PanelLabel::Label119), "1600 MHz(1.25ns)");   // left from the DDR3 image
    EXPECT_EQ(h.optcrc1, "CRC (0-116)");
}

} // namespace
