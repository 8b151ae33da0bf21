#include <gtest/gtest.h>

#include "spd_document/byte_names.h"
#include "spd_document/globals.h"

#include <QCryptographicHash>
#include <QString>
#include <array>
#include <utility>
#include <vector>

namespace {

using NameTable = std::array<QString, 256>;

struct TableCase {
    const char* label;
    NameTable* table;
    void (*filler)();
    int runs;                                 // maximal runs of equal neighbouring texts
    std::vector<std::pair<int, int>> multi;   // runs longer than one byte
    const char* sha256;                       // of the UTF-8 texts, each followed by '\n'
};

const std::vector<TableCase>& Table_Cases()
{
    static const std::vector<TableCase> cases = {
        {"SD", &SD_Byte_Name, &SD_Name_Init, 50,
         {{36, 61}, {64, 71}, {73, 90}, {91, 92}, {95, 98}, {99, 125}, {128, 255}},
         "81e7ad2253b64dccd014f30c5fd1187cc531ed54ab22ce32c62db3c255e57884"},
        {"DDR", &DDR_Byte_Name, &DDR_Name_Init, 55,
         {{6, 7}, {36, 40}, {48, 61}, {64, 71}, {73, 90}, {91, 92}, {95, 98}, {99, 127}, {128, 255}},
         "53e595127bde4912298e8b946db142717eed9d0d5cb6a0cd7df0ff451842ed36"},
        {"DDR2", &DDR2_Byte_Name, &DDR2_Name_Init, 60,
         {{48, 61}, {64, 71}, {73, 90}, {91, 92}, {95, 98}, {99, 127}, {128, 255}},
         "8b9818727364350635918b7655163bb2bc2e8946f8f1d936138a686d910abfad"},
        {"DDR3", &DDR3_Byte_Name, &DDR3_Name_Init, 49,
         {{32, 59}, {64, 116}, {120, 121}, {122, 125}, {126, 127}, {128, 145}, {146, 147},
          {148, 149}, {150, 175}, {176, 255}},
         "a6303ce125f95cadbb8e84e3719150482142ef15fa6da3b6c26b1070d67a3e2b"},
        {"RAMBUS", &RAMBUS_Byte_Name, &RAMBUS_Name_Init, 90,
         {{47, 49}, {64, 71}, {73, 90}, {91, 92}, {95, 98}, {101, 104}, {107, 113}, {128, 255}},
         "ca33a66dfff1beb8caa2bc0fe24810188cde39ab6dd41aedd96dc4b34b985f2c"},
    };
    return cases;
}

class ByteNames : public ::testing::Test {
protected:
    void SetUp() override { Fill_Byte_Name_Tables(); }
};

QString Sha256(const NameTable& t)
{
    QByteArray all;
    for (const QString& s : t) {
        all += s.toUtf8();
        all += '\n';
    }
    return QString::fromLatin1(QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex());
}

// Runs of neighbouring bytes with the same text, as (first, last).
std::vector<std::pair<int, int>> Runs_Of(const NameTable& t)
{
    std::vector<std::pair<int, int>> runs;
    int first = 0;
    for (int k = 1; k <= 256; ++k) {
        if (k == 256 || t[k] != t[first]) {
            runs.emplace_back(first, k - 1);
            first = k;
        }
    }
    return runs;
}

} // namespace

TEST_F(ByteNames, EveryTextNonEmptyAndFourTo78Characters)
{
    for (const TableCase& c : Table_Cases()) {
        for (int k = 0; k < 256; ++k) {
            const QString& s = (*c.table)[k];
            EXPECT_GE(s.size(), 4) << c.label << " byte " << k;
            EXPECT_LE(s.size(), 78) << c.label << " byte " << k;
        }
    }
}

TEST_F(ByteNames, RunStructureMatchesFieldLayout)
{
    for (const TableCase& c : Table_Cases()) {
        const auto runs = Runs_Of(*c.table);
        EXPECT_EQ(static_cast<int>(runs.size()), c.runs) << c.label;
        std::vector<std::pair<int, int>> multi;
        for (const auto& r : runs)
            if (r.second > r.first) multi.push_back(r);
        EXPECT_EQ(multi, c.multi) << c.label;
    }
}

// A fingerprint of each whole table catches a single wrong character anywhere.
TEST_F(ByteNames, WholeTablesMatchTheirFingerprint)
{
    for (const TableCase& c : Table_Cases())
        EXPECT_EQ(Sha256(*c.table), QString::fromLatin1(c.sha256)) << c.label;
}

TEST_F(ByteNames, SpotChecks)
{
    struct Spot {
        NameTable* table;
        int byte;
        const char16_t* text;
    };
    const Spot spots[] = {
        {&SD_Byte_Name, 0, u"Number of Bytes Used(SDRAM)"},
        {&SD_Byte_Name, 9, u"SDRAM cycle time.Tclk"},
        {&SD_Byte_Name, 15, u"SDRAM attributes, Min. clock delay"},
        {&SD_Byte_Name, 36, u"Superset information"},
        {&SD_Byte_Name, 61, u"Superset information"},
        {&SD_Byte_Name, 63, u"Checksun 0-62"},
        {&SD_Byte_Name, 73, u"Manufacturer's Part Number"},
        {&SD_Byte_Name, 90, u"Manufacturer's Part Number"},
        {&SD_Byte_Name, 126, u"Module supports clock frequency"},
        {&SD_Byte_Name, 127, u"Intel specification for 100MHz"},
        {&SD_Byte_Name, 128, u"Open for customer use"},
        {&DDR_Byte_Name, 0, u"Number of SPD Bytes written(DDR SDRAM)"},
        {&DDR_Byte_Name, 7, u"Data Width of this assembly"},
        {&DDR_Byte_Name, 46, u"Reserved"},
        {&DDR_Byte_Name, 47, u" DIMM Height"},
        {&DDR_Byte_Name, 63, u"Checksum for bytes 0 - 62"},
        {&DDR_Byte_Name, 127, u"Manufacturer's Specific Data"},
        {&DDR2_Byte_Name, 11, u"DIMM configuration type(Non Parity,Parity or ECC"},
        {&DDR2_Byte_Name, 42,
         u"SDRAM Device Minimum Auto-Refresh to Active/Auto-Refresh Command Period (tRFC)"},
        {&DDR2_Byte_Name, 45, u"SDRAM Device Mazimum Read DataHold Skew Facktor (tQHS)"},
        {&DDR2_Byte_Name, 63, u"Checksum for bytes 0 - 62"},
        {&DDR3_Byte_Name, 0, u"Number of Serial PD Bytes Written / SPD Device Size / CRC Coverage(DDR3)"},
        {&DDR3_Byte_Name, 8, u"Module Memory Bus Width "},
        {&DDR3_Byte_Name, 9, u"Fine Timebase Dividend and Divisor"},
        {&DDR3_Byte_Name, 59, u"TBD, General Section"},
        {&DDR3_Byte_Name, 63, u"Address Mapping from Edge Connector to DRAM"},
        {&DDR3_Byte_Name, 116, u"Reserved"},
        {&DDR3_Byte_Name, 117, u"Module ID: Module Manufacturer\u2019s JEDEC ID Code ,Least Significant Byte"},
        {&DDR3_Byte_Name, 125, u"Module ID: Module Serial Number"},
        {&DDR3_Byte_Name, 126, u"Cyclical Redundancy Code"},
        {&DDR3_Byte_Name, 127, u"Cyclical Redundancy Code"},
        {&DDR3_Byte_Name, 145, u"Module Part Number"},
        {&DDR3_Byte_Name, 149, u"DRAM Manufacturer\u2019s JEDEC ID Code"},
        {&DDR3_Byte_Name, 175, u"Manufacturer\u2019s Specific Data"},
        {&DDR3_Byte_Name, 176, u"Open for customer use"},
        {&DDR3_Byte_Name, 255, u"Open for customer use"},
        {&RAMBUS_Byte_Name, 0, u"SPD Revision Level(rb)"},
        {&RAMBUS_Byte_Name, 7, u"tREF"},
        {&RAMBUS_Byte_Name, 63, u"Checksum for bytes 0 - 62"},
        {&RAMBUS_Byte_Name, 107, u"Reseved"},
        {&RAMBUS_Byte_Name, 121, u"CDLY0/1 for tCDLY=10"},
        {&RAMBUS_Byte_Name, 127, u"Checksum for Bytes 99 -126"},
    };
    for (const Spot& s : spots)
        EXPECT_EQ((*s.table)[s.byte], QString::fromUtf16(s.text)) << "byte " << s.byte;
}

TEST_F(ByteNames, UpperHalfIsOpenForCustomerUseExceptDdr3)
{
    const QString open = QStringLiteral("Open for customer use");
    for (const NameTable* t : {&SD_Byte_Name, &DDR_Byte_Name, &DDR2_Byte_Name, &RAMBUS_Byte_Name}) {
        for (int k = 128; k < 256; ++k)
            EXPECT_EQ((*t)[k], open) << k;
        EXPECT_NE((*t)[127], open);
    }
    for (int k = 128; k < 176; ++k)
        EXPECT_NE(DDR3_Byte_Name[k], open) << k;
    for (int k = 176; k < 256; ++k)
        EXPECT_EQ(DDR3_Byte_Name[k], open) << k;
}

// Only DDR byte 47 (leading) and DDR3 byte 8 (trailing) carry a blank at an end.
TEST_F(ByteNames, OnlyTwoTextsHaveEdgeBlanks)
{
    for (const TableCase& c : Table_Cases()) {
        for (int k = 0; k < 256; ++k) {
            const QString& s = (*c.table)[k];
            const bool edge = s.startsWith(u' ') || s.endsWith(u' ');
            const bool expected = (c.table == &DDR_Byte_Name && k == 47)
                                  || (c.table == &DDR3_Byte_Name && k == 8);
            EXPECT_EQ(edge, expected) << c.label << " byte " << k;
        }
    }
    EXPECT_TRUE(DDR_Byte_Name[47].startsWith(u' '));
    EXPECT_TRUE(DDR3_Byte_Name[8].endsWith(u' '));
}

// All texts are ASCII except the DDR3 fields using U+2019 as apostrophe.
TEST_F(ByteNames, NonAsciiOnlyTheDdr3Apostrophe)
{
    QStringList nonAsciiTexts;
    for (const TableCase& c : Table_Cases()) {
        for (int k = 0; k < 256; ++k) {
            const QString& s = (*c.table)[k];
            bool nonAscii = false;
            for (QChar ch : s) {
                if (ch.unicode() > 0x7E || ch.unicode() < 0x20) {
                    nonAscii = true;
                    EXPECT_EQ(ch.unicode(), 0x2019) << c.label << " byte " << k;
                }
            }
            if (nonAscii && !nonAsciiTexts.contains(s)) nonAsciiTexts << s;
            if (nonAscii) {
                EXPECT_EQ(c.table, &DDR3_Byte_Name) << c.label << " byte " << k;
            }
        }
    }
    EXPECT_EQ(nonAsciiTexts.size(), 4);
    for (int k : {117, 118, 148, 149, 150, 175})
        EXPECT_TRUE(DDR3_Byte_Name[k].contains(QChar(0x2019))) << k;
    for (int k : {64, 72, 99})
        EXPECT_FALSE(SD_Byte_Name[k].contains(QChar(0x2019))) << k;
}

TEST(ByteNameFillers, EachOverwritesAllOfItsOwnTableAndNothingElse)
{
    for (const TableCase& c : Table_Cases()) {
        std::vector<NameTable*> all;
        for (const TableCase& o : Table_Cases()) {
            o.table->fill(QStringLiteral("stale"));
            all.push_back(o.table);
        }
        c.filler();
        for (NameTable* t : all) {
            for (int k = 0; k < 256; ++k) {
                if (t == c.table) {
                    EXPECT_NE((*t)[k], QStringLiteral("stale")) << c.label << " byte " << k;
                } else {
                    EXPECT_EQ((*t)[k], QStringLiteral("stale")) << c.label << " touched another table";
                }
            }
        }
    }
    Fill_Byte_Name_Tables();
}

TEST(ByteNameFillers, StartUpFillsAllFiveAndRefillingIsStable)
{
    for (const TableCase& c : Table_Cases())
        c.table->fill(QString());
    Fill_Byte_Name_Tables();
    for (const TableCase& c : Table_Cases())
        EXPECT_EQ(Sha256(*c.table), QString::fromLatin1(c.sha256)) << c.label;
    Fill_Byte_Name_Tables();
    for (const TableCase& c : Table_Cases())
        EXPECT_EQ(Sha256(*c.table), QString::fromLatin1(c.sha256)) << c.label;
}
