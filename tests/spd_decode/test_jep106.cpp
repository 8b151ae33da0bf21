#include <gtest/gtest.h>

#include "spd_decode/jep106.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <map>

namespace {

const QString kNewId = QStringLiteral("(NEW ID)");

// The (bank, code number) of every row, in the order the table must hold them.
std::vector<std::pair<int, int>> expectedRowOrder()
{
    std::vector<std::pair<int, int>> order;
    for (int bank = 1; bank <= 6; ++bank)
        for (int code = 1; code <= 126; ++code) order.emplace_back(bank, code);
    for (int code = 1; code <= 126; ++code)
        if (code != 30 && code != 31) order.emplace_back(7, code);
    return order;
}

QString captionOf(int bank, int code)
{
    return JEDEC_Find(JEP106_Key(bank, code)).value_or(QStringLiteral("<no row>"));
}

} // namespace

// ---------------------------------------------------------------------------
// Key construction

TEST(Jep106Key, IdByteCarriesOddParity)
{
    const std::pair<int, uint8_t> cases[] = {
        { 1, 0x01 }, { 2, 0x02 }, { 3, 0x83 }, { 4, 0x04 }, { 7, 0x07 },
        { 8, 0x08 }, { 9, 0x89 }, { 24, 0x98 }, { 126, 0xFE },
    };
    for (const auto& [code, id] : cases) EXPECT_EQ(JEP106_Id_Byte(code), id) << code;

    // Every valid ID byte has an odd number of one bits and keeps the code in bits 0-6.
    for (int code = 1; code <= 126; ++code) {
        const uint8_t id = JEP106_Id_Byte(code);
        int ones = 0;
        for (int v = id; v; v >>= 1) ones += v & 1;
        EXPECT_EQ(ones % 2, 1) << code;
        EXPECT_EQ(id & 0x7F, code);
    }
    EXPECT_EQ(JEP106_Id_Byte(0), 0);
    EXPECT_EQ(JEP106_Id_Byte(127), 0);
}

TEST(Jep106Key, BankAndCodeNumberToKey)
{
    struct Case { int bank; int code; const char* key; };
    const Case cases[] = {
        { 1, 1, "01" }, { 1, 3, "83" }, { 2, 24, "7F98" },
        { 7, 29, "7F7F7F7F7F7F9D" }, { 4, 11, "7F7F7F0B" }, { 6, 92, "7F7F7F7F7FDC" },
        { 1, 0, "" }, { 1, 127, "" }, { 0, 1, "" }, { -3, 5, "" },
    };
    for (const Case& c : cases) EXPECT_EQ(JEP106_Key(c.bank, c.code), QLatin1String(c.key));
}

TEST(Jep106Key, KeyTextFromContinuationCountAndIdByte)
{
    EXPECT_EQ(JEP106_Key_Text(0, 0xCE), "CE");
    EXPECT_EQ(JEP106_Key_Text(2, 0xFE), "7F7FFE");
    EXPECT_EQ(JEP106_Key_Text(0, 0x0B), "0B");
    EXPECT_EQ(JEP106_Key_Text(-1, 0x01), "01");
    EXPECT_EQ(JEP106_Key_Text(1000, 0x01).size(), 127 * 2 + 2);
}

// ---------------------------------------------------------------------------
// Table shape

TEST(Jep106Table, RowCountsAndPlaceholders)
{
    const auto& table = JEDEC_Name_Table();
    ASSERT_EQ(table.size(), 880u);
    int placeholders = 0;
    for (const auto& row : table) placeholders += (row.caption == kNewId);
    EXPECT_EQ(placeholders, 95);
    EXPECT_EQ(static_cast<int>(table.size()) - placeholders, 785);
    // The placeholders are exactly bank 7 code numbers 32 to 126.
    for (int code = 32; code <= 126; ++code) EXPECT_EQ(captionOf(7, code), kNewId) << code;
    for (int code = 1; code <= 29; ++code) EXPECT_NE(captionOf(7, code), kNewId) << code;
}

TEST(Jep106Table, KeysFollowBankAndCodeNumberInTableOrder)
{
    const auto& table = JEDEC_Name_Table();
    const auto order = expectedRowOrder();
    ASSERT_EQ(table.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(table[i].key, JEP106_Key(order[i].first, order[i].second))
            << "row " << i << " bank " << order[i].first << " code " << order[i].second;
}

TEST(Jep106Table, EveryKeyUniqueAndWellFormed)
{
    QSet<QString> seen;
    for (const auto& row : JEDEC_Name_Table()) {
        EXPECT_FALSE(seen.contains(row.key)) << row.key.toStdString();
        seen.insert(row.key);

        const int len = static_cast<int>(row.key.size());
        ASSERT_TRUE(len % 2 == 0 && len >= 2 && len <= 14) << row.key.toStdString();
        for (int i = 0; i + 2 < len; i += 2) EXPECT_EQ(row.key.mid(i, 2), "7F");
        const QString id = row.key.right(2);
        EXPECT_EQ(id, id.toUpper());
        // No row for code number 0 (00, 80) or the continuation code itself (7F).
        EXPECT_NE(id, "00");
        EXPECT_NE(id, "80");
        EXPECT_NE(id, "7F");
    }
    // Bank 7 code numbers 30 and 31 have no row.
    EXPECT_FALSE(seen.contains("7F7F7F7F7F7F9E"));
    EXPECT_FALSE(seen.contains("7F7F7F7F7F7F1F"));
}

TEST(Jep106Table, CaptionsNeverEmptyOrBlankAndParenthesisedButOne)
{
    int longest = 0;
    std::vector<QString> bare;
    for (const auto& row : JEDEC_Name_Table()) {
        EXPECT_FALSE(row.caption.isEmpty());
        EXPECT_NE(row.caption, " ");
        EXPECT_EQ(row.caption, row.caption.trimmed()) << row.key.toStdString();
        longest = std::max(longest, static_cast<int>(row.caption.size()));
        if (!(row.caption.startsWith('(') && row.caption.endsWith(')'))) bare.push_back(row.key);
    }
    EXPECT_EQ(longest, 43);
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0], "7F7F7F7F7FDC");
    EXPECT_EQ(*JEDEC_Find("7F7F7F7F7FDC"), "Hexon Technology Pte Ltd");
}

TEST(Jep106Table, SixCaptionsStandAtTwoCodes)
{
    std::map<QString, std::vector<QString>> keysByCaption;
    for (const auto& row : JEDEC_Name_Table())
        if (row.caption != kNewId) keysByCaption[row.caption].push_back(row.key);

    std::map<QString, std::vector<QString>> duplicates;
    for (const auto& [caption, keys] : keysByCaption)
        if (keys.size() > 1) duplicates[caption] = keys;

    const std::map<QString, std::vector<QString>> expected = {
        { "(ZARLINK)", { JEP106_Key(1, 55), JEP106_Key(2, 37) } },
        { "(ACBEL POLYTECH INC.)", { JEP106_Key(2, 121), JEP106_Key(6, 43) } },
        { "(HYPERTEC)", { JEP106_Key(3, 5), JEP106_Key(4, 75) } },
        { "(DSP GROUP)", { JEP106_Key(3, 63), JEP106_Key(5, 68) } },
        { "(EUROPE TECHNOLOGIES)", { JEP106_Key(4, 113), JEP106_Key(5, 16) } },
        { "(FOCUS ENHANCEMENTS)", { JEP106_Key(5, 125), JEP106_Key(6, 50) } },
    };
    EXPECT_EQ(duplicates, expected);
}

// Spot checks across the whole table: first and last row of every bank and rows around
// the places where transcription slips are likeliest (ten-row boundaries, odd punctuation).
TEST(Jep106Table, CaptionsAtSelectedCodes)
{
    struct Case { int bank; int code; const char* caption; };
    const Case cases[] = {
        { 1, 1, "(AMD)" }, { 1, 10, "(I.T.T.)" }, { 1, 11, "(INTERSIL)" },
        { 1, 64, "(PROMOS/MOSEL VITELIC)" }, { 1, 119, "(ZENTRUM / ZMD)" }, { 1, 126, "(LEVEL ONE)" },
        { 2, 1, "(CIRRUS LOGIC)" }, { 2, 35, "(EIV(SWITZERLAND))" },
        { 2, 70, "(AMERICAN COMPUTER & DIGITALCOMPONENTS INC)" }, { 2, 126, "(3COM)" },
        { 3, 1, "(CAMINTONN CORPORATION)" }, { 3, 30, "(CORSAIR)" }, { 3, 54, "(HI/FN)" },
        { 3, 100, "(MDT Technologies GmbH)" }, { 3, 126, "(ELPIDA)" },
        { 4, 1, "(SOLECTRON)" }, { 4, 3, "(BUFFALO(FORMERLY MELCO))" }, { 4, 62, "(C'T MAGAZINE)" },
        { 4, 126, "(TERACHIP)" },
        { 5, 1, "(T-RAM INCORPORATED)" }, { 5, 67, "(RAMAXEL Technology)" },
        { 5, 108, "(O'NEIL PRODUCT DEVELOPMENT)" }, { 5, 126, "(XYRATEX)" },
        { 6, 1, "(SPECULAR NETWORS)" }, { 6, 38, "(PULSE~LINK INC.)" }, { 6, 68, "(eASIC)" },
        { 6, 93, "(CompuStocx (CSX))" }, { 6, 110, "(Haier (Beijing) IC Design Co.)" },
        { 6, 126, "(W5 Networks)" },
        { 7, 1, "(MOVEKING)" }, { 7, 28, "(SiliconBlue Technologies)" }, { 7, 29, "(Rambus Inc.)" },
        { 7, 32, "(NEW ID)" }, { 7, 126, "(NEW ID)" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(captionOf(c.bank, c.code), QLatin1String(c.caption))
            << "bank " << c.bank << " code " << c.code;
}

// ---------------------------------------------------------------------------
// Lookup

TEST(Jep106Find, KeysWithARow)
{
    const std::pair<const char*, const char*> cases[] = {
        { "01", "(AMD)" },
        { "2C", "(MICRON TECHNOLOGY)" },
        { "CE", "(SAMSUNG)" },
        { "7F98", "(KINGSTON)" },
        { "7F7F7F0B", "(NANYA TECHNOLOGY)" },
        { "7F7F7F7F7F7F9D", "(Rambus Inc.)" },
        // One ID byte, three banks, three names.
        { "98", "(TOSHIBA)" },
        { "7F7F7F7F7F7F98", "(Edgewater Computer Systems)" },
        { "7F7F7F7F7F7F20", "(NEW ID)" },
        { "7F7F7F7F7F7FFE", "(NEW ID)" },
        { "7F7F7F7F7FDC", "Hexon Technology Pte Ltd" },
    };
    for (const auto& [key, caption] : cases) {
        const auto found = JEDEC_Find(QLatin1String(key));
        ASSERT_TRUE(found.has_value()) << key;
        EXPECT_EQ(*found, QLatin1String(caption)) << key;
    }
}

TEST(Jep106Find, KeysWithoutARow)
{
    const char* cases[] = {
        "",                      // empty
        "7f98",                  // lower case
        "03",                    // bank 1 code number 3 with bit 7 clear
        "7F",                    // the continuation code alone
        "7F7F7F7F7F7F7F01",      // eight banks
        "7F7F7F7F7F7F9E",        // bank 7 code number 30
        "7F7F7F7F7F7F1F",        // bank 7 code number 31
        "7F9",                   // odd length
        "00", "80", "7F00",      // code number 0
        " 01", "01 ", "0 1",     // no trimming
        "7F7F",                  // continuation codes without an ID byte
        "0x01",
    };
    for (const char* key : cases)
        EXPECT_FALSE(JEDEC_Find(QLatin1String(key)).has_value()) << '"' << key << '"';
}

// No folding of case and no parity repair anywhere in the table: every key with a letter in
// it misses in lower case, and every key misses with bit 7 of its ID byte flipped.
TEST(Jep106Find, ExactComparisonForEveryRow)
{
    for (const auto& row : JEDEC_Name_Table()) {
        ASSERT_EQ(JEDEC_Find(row.key), row.caption);
        const QString lower = row.key.toLower();
        if (lower != row.key) {
            EXPECT_FALSE(JEDEC_Find(lower).has_value()) << lower.toStdString();
        }

        const int continuations = static_cast<int>(row.key.size()) / 2 - 1;
        const uint8_t id = static_cast<uint8_t>(row.key.right(2).toInt(nullptr, 16));
        const QString flipped = JEP106_Key_Text(continuations, static_cast<uint8_t>(id ^ 0x80));
        EXPECT_FALSE(JEDEC_Find(flipped).has_value()) << flipped.toStdString();
    }
}

// ---------------------------------------------------------------------------
// Caption after a lookup: a hit replaces it, a miss keeps what the label showed.

TEST(Jep106CaptionAfter, HitReplacesMissKeeps)
{
    EXPECT_EQ(JEDEC_Caption_After(" ", "CE"), "(SAMSUNG)");
    EXPECT_EQ(JEDEC_Caption_After("(AMD)", "7F98"), "(KINGSTON)");
    EXPECT_EQ(JEDEC_Caption_After(" ", "7f98"), " ");
    EXPECT_EQ(JEDEC_Caption_After("(AMD)", "7F7F7F7F7F7F9E"), "(AMD)");
    EXPECT_EQ(JEDEC_Caption_After(QString(), ""), QString());
}

// The SDRAM/DDR/DDR2 decoder blanks the label and tries keys of growing length: the last
// key with a row decides, and none at all leaves the blank.
TEST(Jep106CaptionAfter, LastCandidateWithARowDecides)
{
    auto run = [](const std::vector<const char*>& keys) {
        QString caption = QStringLiteral(" ");
        for (const char* key : keys) caption = JEDEC_Caption_After(caption, QLatin1String(key));
        return caption;
    };
    EXPECT_EQ(run({ "7F", "7F98", "7F9800", "7F980000" }), "(KINGSTON)");
    EXPECT_EQ(run({ "98", "9800", "980000" }), "(TOSHIBA)");
    EXPECT_EQ(run({ "00", "0000", "000000" }), " ");
    EXPECT_EQ(run({ "2C", "2CFF", "2CFFFF" }), "(MICRON TECHNOLOGY)");
}

// ---------------------------------------------------------------------------
// Real modules: the manufacturer codes in their images name the expected makers.

namespace {
QByteArray readImage(const char* name)
{
    QFile f(QStringLiteral(MB_TESTDATA_DIR "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}
} // namespace

TEST(Jep106RealImages, ModuleManufacturerOfSdramDdrDdr2)
{
    // Bytes 64-71: continuation codes 7F, then the ID byte.
    const std::pair<const char*, const char*> cases[] = {
        { "sdram-daneelec-pc133-1.bin", "(DANE-ELEC)" },
        { "ddr-corsair-ddr400-1.bin", "(CORSAIR)" },
        { "ddr-infineon-ddr333-rdimm-1.bin", "(INFINEON)" },
        { "ddr-micron-ddr333-rdimm-1.bin", "(MICRON TECHNOLOGY)" },
        { "ddr-ocz-ddr400-1.bin", "(OCZ)" },
        { "ddr2-goldenempire-ddr2-800-1.bin", "(GOLDEN EMPIRE)" },
        { "ddr2-kingston-ddr2-800-1.bin", "(KINGSTON)" },
        { "ddr2-samsung-ddr2-400-rdimm-1.bin", "(SAMSUNG)" },
        { "ddr2-transcend-ddr2-667-1.bin", "(TRANSCEND INFORMATION)" },
    };
    for (const auto& [file, caption] : cases) {
        const QByteArray image = readImage(file);
        ASSERT_EQ(image.size(), 256) << file;
        int i = 64;
        while (i < 71 && static_cast<uint8_t>(image[i]) == 0x7F) ++i;
        const QString key = JEP106_Key_Text(i - 64, static_cast<uint8_t>(image[i]));
        EXPECT_EQ(JEDEC_Find(key).value_or("<no row>"), QLatin1String(caption)) << file;
    }
}

TEST(Jep106RealImages, DramManufacturerOfDdr3)
{
    // Byte 148 without bit 7 counts the continuation codes, byte 149 is the ID byte.
    const std::pair<const char*, const char*> cases[] = {
        { "ddr3-elpida-1600-1.bin", "(ELPIDA)" },
        { "ddr3-hynix-1600-1.bin", "(HYUNDAI ELECTRONICS)" },
        { "ddr3-kingston-1333-1.bin", "(HYUNDAI ELECTRONICS)" },
        { "ddr3-micron-1600-2.bin", "(MICRON TECHNOLOGY)" },
        { "ddr3-samsung-1600-1.bin", "(SAMSUNG)" },
    };
    for (const auto& [file, caption] : cases) {
        const QByteArray image = readImage(file);
        ASSERT_EQ(image.size(), 256) << file;
        const QString key = JEP106_Key_Text(static_cast<uint8_t>(image[148]) & 0x7F,
                                            static_cast<uint8_t>(image[149]));
        EXPECT_EQ(JEDEC_Find(key).value_or("<no row>"), QLatin1String(caption)) << file;
    }
}
