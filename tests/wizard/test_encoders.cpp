// The two image encoders, first against a document stand-in that records every call in
// order (write order, the checksum, the final decode of bytes 0-255, ID and part-number
// bytes, a missing document), then writing into a real document window whose panels must
// read as the module the wizard described.
#include <gtest/gtest.h>

#include <map>

#include "spd_document/byte_names.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "spd_document/main_form_api.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_document/ui/frm_document.h"
#include "support/platform_fixture.h"
#include "support/stub_main_form.h"
#include "wizard/warez_encoders.h"

namespace {

struct Call { char op; int index, value; };   // 'w' Value_Chang, 'c' cal_chksum63, 'd' table_chang

class RecordingDocument : public DocumentApi {
public:
    void cal_chksum63() override
    {
        int sum = 0;
        for (int i = 0; i <= 62; ++i) sum += bytes[size_t(i)];
        bytes[63] = uint8_t(sum);
        calls.push_back({ 'c', 63, bytes[63] });
    }
    void Value_Chang(int16_t i, uint8_t v) override { bytes[size_t(i)] = v, calls.push_back({ 'w', i, v }); }
    void table_chang(int a) override { calls.push_back({ 'd', a, 0 }); }
    // Anything else asked of the document is counted as a fault.
    void Type_Chang(int16_t) override { ++others; }
    int16_t Get_Type() const override { return 0; }
    uint8_t Get_Value(int16_t) const override { return 0; }
    void Set_Value_color_same(int16_t) override { ++others; }
    void Set_Value_color_diff2(int16_t) override { ++others; }
    void Set_Value_color_diff(int16_t) override { ++others; }
    bool Chk_Form_Chang() const override { return false; }
    void Set_form_chang(bool) override { ++others; }
    QString Caption() const override { return {}; }
    void SetCaption(const QString&) override { ++others; }
    int OptcrcChoice() const override { return 2; }
    void SetOptcrc(int) override { ++others; }
    void SetOptcrc1Caption(const QString&) override { ++others; }
    BurnerPanel* burnerPanel() override { return nullptr; }

    std::array<uint8_t, 256> bytes{};
    std::vector<Call> calls;
    int others = 0;

    std::vector<int> writtenIndexes() const
    {
        std::vector<int> v;
        for (const auto& c : calls) if (c.op == 'w') v.push_back(c.index);
        return v;
    }
    // Values written to bytes first..last, in write order.
    std::vector<int> writesTo(int first, int last) const
    {
        std::vector<int> v;
        for (const auto& c : calls) if (c.op == 'w' && c.index >= first && c.index <= last) v.push_back(c.value);
        return v;
    }
};

// A main window whose active document goes away after `budget` look-ups (-1: never).
class StubMainForm : public StubMainFormBase {
public:
    DocumentApi* ActiveDocument() override { return ++lookups, budget < 0 || lookups <= budget ? doc : nullptr; }

    DocumentApi* doc = nullptr;
    int budget = -1;
    int lookups = 0;
};

using Params = std::array<int16_t, 16>;
// type, grade, ECC, rows, columns, sides, tCL item, tRP, tRCD, tRAS, width, size, -, density, banks, refresh
const Params kSdram133 = { 1, 3, 1, 12, 9, 1, 2, 3, 3, 7, 1, 1, 0, 32, 4, 156 };
const Params kDdr3_1333 = { 4, 15, 1, 14, 10, 1, 3, 7, 7, 21, 1, 4, 0, 64, 8, 78 };

class EncoderTest : public ::testing::Test {
protected:
    void SetUp() override { Reset_Globals(), main.doc = &doc; }
    void TearDown() override { Reset_Globals(); }
    void run(void (*encoder)(MainFormApi&), const Params& p, const QString& id = {}, const QString& part = {})
    {
        doc = RecordingDocument{};
        Warez_Param = p;
        Warez_Info[0] = id;
        Warez_Info[1] = part;
        encoder(main);
    }
    RecordingDocument doc;
    StubMainForm main;
};

TEST_F(EncoderTest, Ddr2SetWritesInOrderChecksumsThenDecodesEveryByte)
{
    run(wizard::ddr2_set, kSdram133, "7F7F0B", "ABC");
    const auto order = doc.writtenIndexes();
    const std::vector<int> head = { 0, 1, 2, 3, 4, 5, 6, 7, 11, 8, 9 };
    std::vector<int> tail = { 41, 27, 29, 30, 12, 13, 14, 16, 17, 18, 19, 20, 21, 31, 62, 64, 65, 66 };
    for (int i = 73; i <= 90; ++i) tail.push_back(i);   // the part number and its blanks
    EXPECT_TRUE(std::equal(head.begin(), head.end(), order.begin()));
    EXPECT_TRUE(std::equal(tail.rbegin(), tail.rend(), order.rbegin()));
    // One checksum, right after byte 62 and before byte 64, holding the sum of bytes 0-62.
    const auto at = std::find_if(doc.calls.begin(), doc.calls.end(), [](const Call& c) { return c.op == 'c'; });
    ASSERT_NE(at, doc.calls.end());
    EXPECT_EQ(std::count_if(doc.calls.begin(), doc.calls.end(), [](const Call& c) { return c.op == 'c'; }), 1);
    EXPECT_EQ((at - 1)->index, 62);
    EXPECT_EQ((at + 1)->index, 64);
    int sum = 0;
    for (int i = 0; i <= 62; ++i) sum += doc.bytes[size_t(i)];
    EXPECT_EQ(doc.bytes[63], sum % 256);
    // The last 256 calls decode 0..255; nothing else is asked of the document, and the
    // document is looked up once to find it and again before every call.
    ASSERT_EQ(doc.calls.size(), order.size() + 1 + 256);
    for (int i = 0; i < 256; ++i) {
        const Call& c = doc.calls[order.size() + 1 + size_t(i)];
        EXPECT_TRUE(c.op == 'd' && c.index == i) << i;
    }
    EXPECT_EQ(doc.others, 0);
    EXPECT_EQ(main.lookups, int(doc.calls.size()) + 1);
    // SDRAM, no ECC, x8, one rank, 15.625 us refresh, tCL "3T".
    const std::map<int, int> expected = { { 0, 0x80 }, { 1, 8 }, { 2, 4 }, { 3, 12 }, { 4, 9 }, { 5, 1 }, { 6, 0x40 },
        { 7, 0 }, { 8, 1 }, { 11, 0 }, { 12, 0x80 }, { 13, 8 }, { 14, 0 }, { 16, 0x0C }, { 17, 4 }, { 18, 0x04 },
        { 20, 1 }, { 31, 32 }, { 62, 0x20 }, { 64, 0x7F }, { 65, 0x7F }, { 66, 0x0B }, { 67, 0 }, { 73, 'A' }, { 76, ' ' }, { 90, ' ' } };
    for (const auto& [i, v] : expected) EXPECT_EQ(doc.bytes[size_t(i)], v) << "byte " << i;
    for (int i = 91; i < 256; ++i) EXPECT_EQ(doc.bytes[size_t(i)], 0) << "byte " << i;
}

TEST_F(EncoderTest, Ddr2SetHeaderBytesFollowTypeEccWidthRanksAndRefresh)
{
    const struct { const char* name; Params param; std::map<int, int> bytes; } cases[] = {
        { "DDR2 two ranks", { 3, 12, 1, 14, 10, 2, 3, 5, 5, 15, 1, 4, 0, 1, 8, 78 },
          { { 2, 8 }, { 5, 0x61 }, { 8, 5 }, { 12, 0x82 }, { 18, 0x20 }, { 20, 2 }, { 62, 0x12 } } },
        { "DDR2 one rank", { 3, 9, 1, 13, 10, 1, 2, 4, 4, 12, 1, 3, 0, 64, 4, 78 }, { { 5, 0x60 }, { 18, 0x10 } } },
        { "DDR2 three sides", { 3, 9, 1, 13, 10, 3, 2, 4, 4, 12, 1, 3, 0, 64, 4, 78 }, { { 5, 2 } } },
        { "DDR ECC x16", { 2, 6, 2, 13, 10, 2, 7, 3, 3, 7, 2, 2, 0, 64, 4, 100 },
          { { 2, 7 }, { 5, 2 }, { 6, 0x48 }, { 7, 0 }, { 11, 2 }, { 12, 0x82 }, { 13, 16 }, { 14, 16 }, { 18, 0x0C }, { 62, 0x12 } } },
        { "SDRAM ECC x4", { 1, 2, 2, 11, 10, 1, -1, 2, 2, 5, 0, 1, 0, 32, 4, 156 }, { { 13, 4 }, { 14, 8 }, { 18, 0x06 } } },
        { "DDR2 no tCL, no grade", { 3, 0, 1, 13, 10, 1, -1, 4, 4, 12, 1, 3, 0, 64, 4, 78 }, { { 18, 0x38 }, { 9, 0 }, { 30, 0 } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run(wizard::ddr2_set, c.param);
        for (const auto& [i, v] : c.bytes) EXPECT_EQ(doc.bytes[size_t(i)], v) << "byte " << i;
    }
    // Without speed rows every other step still runs: 0-8, 11-14, 16-21, 31, 62, 64, and
    // the blanks of 73-90.
    EXPECT_EQ(doc.writtenIndexes().size(), 40u);
}

TEST_F(EncoderTest, ManufacturerIdTextsInBothLayouts)
{
    const struct { const char* id; std::vector<int> ddr2; int count, code; } cases[] = {
        { "", { 0 }, 0x80, 0 },
        { "CE", { 0xCE }, 0x80, 0xCE },
        { "ce", { 0xCE }, 0x80, 0xCE },
        { "A", { 0xA0 }, 0x80, 0xA0 },
        { "G5", { 0x05 }, 0x80, 0x05 },
        { "5G", { 0x50 }, 0x80, 0x50 },
        { "7F2", { 0x7F, 0x20 }, 0x01, 0x20 },
        { "7f2c", { 0x7F, 0x2C }, 0x01, 0x2C },
        { "7F7F9E", { 0x7F, 0x7F, 0x9E }, 0x02, 0x9E },
        { "7f7f9e", { 0x7F, 0x7F, 0x9E }, 0x02, 0x9E },
        { "12349E", { 0x12, 0x34, 0x9E }, 0x02, 0x9E },          // leading pairs count as continuations
        // The DDR3 panel's two-byte form: the bank byte with its parity bit, then the ID.
        // The older layout holds its count of 7F codes, then the ID.
        { "80CE", { 0xCE }, 0x80, 0xCE },
        { "0198", { 0x7F, 0x98 }, 0x01, 0x98 },
        { "83f1", { 0x7F, 0x7F, 0x7F, 0xF1 }, 0x83, 0xF1 },
        { "00CE", { 0x00, 0xCE }, 0x01, 0xCE },                   // no parity bit: a continuation count
        { "7F7F7F9E", { 0x7F, 0x7F, 0x7F, 0x9E }, 0x83, 0x9E },
        { "7F7F7F7F7F9E", { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x9E }, 0x85, 0x9E },
        { "7F7F7F7F7F7F7F9E", { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x9E }, 0x07, 0x9E },
        { "7F7F7F7F7F7F7F7F9E", { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F }, 0x08, 0x9E },   // 64-71 full
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const QString id = QString::fromLatin1(c.id);
        run(wizard::ddr2_set, kSdram133, id);
        EXPECT_EQ(doc.writesTo(64, 72), c.ddr2);
        EXPECT_EQ(Warez_Info[0], id.isEmpty() ? QStringLiteral("  ") : id.left(16));
        run(wizard::ddr3_set, kDdr3_1333, id);
        EXPECT_EQ(doc.writesTo(117, 118), (std::vector<int>{ c.count, c.code }));
        EXPECT_EQ(doc.writesTo(148, 149), (std::vector<int>{ c.count, c.code }));
    }
}

TEST_F(EncoderTest, PartNumbersAreCutTo18AndPaddedWithBlanks)
{
    std::vector<int> first18;
    for (int i = 0; i < 18; ++i) first18.push_back('A' + i);
    const struct { QString text; std::vector<int> bytes; } cases[] = {
        { QString(), {} },
        { QStringLiteral("ABC"), { 'A', 'B', 'C' } },
        { QStringLiteral("M\u00E9\u4E2D\U0001F600!"), { 'M', 0xE9, '?', '?', '!' } },   // beyond Latin-1: '?'
        { QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"), first18 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        std::vector<int> padded = c.bytes;
        padded.resize(18, ' ');
        run(wizard::ddr2_set, kSdram133, "CE", c.text);
        EXPECT_EQ(doc.writesTo(73, 90), padded);
        run(wizard::ddr3_set, kDdr3_1333, "CE", c.text);
        EXPECT_EQ(doc.writesTo(128, 145), padded);
    }
}

TEST_F(EncoderTest, Ddr3SetWritesEveryStepInOrderEndingWithItsCrc)
{
    run(wizard::ddr3_set, kDdr3_1333, "7F7F9E", "M378B");
    std::vector<int> expected = { 0, 1, 2, 3, 6, 8, 9, 10, 11, 13, 17, 24, 25, 26, 27, 30, 31 };
    for (int i = 32; i <= 116; ++i) expected.push_back(i);
    for (int i : { 4, 5, 7, 8, 12, 16, 19, 23, 28, 29, 20, 20, 18, 18, 21, 22, 21, 22, 15, 14, 117, 148, 118, 149 })
        expected.push_back(i);
    for (int i = 128; i <= 145; ++i) expected.push_back(i);   // "M378B" and its blanks
    expected.push_back(126), expected.push_back(127);
    EXPECT_EQ(doc.writtenIndexes(), expected);
    ASSERT_EQ(doc.calls.size(), expected.size() + 256);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(doc.calls[expected.size() + size_t(i)].index, i);
    EXPECT_EQ(doc.others, 0);
    const std::map<int, int> bytes = { { 0, 0x92 }, { 4, 0x02 }, { 5, 0x11 }, { 7, 1 }, { 8, 3 }, { 12, 12 }, { 14, 0x08 },
        { 20, 84 }, { 18, 84 }, { 21, 16 }, { 22, 252 }, { 60, 16 }, { 61, 17 }, { 133, ' ' }, { 146, 0 } };
    for (const auto& [i, v] : bytes) EXPECT_EQ(doc.bytes[size_t(i)], v) << "byte " << i;
}

TEST_F(EncoderTest, Ddr3GeometryBytes)
{
    const struct { int size, width, banks, rows, cols, sides, ecc, b4, b5, b7, b8; } cases[] = {
        { 4, 1, 8, 13, 10, 1, 2, 0x02, 9, 1, 11 },   // eight banks: bank bits 0
        { 2, 1, 4, 12, 11, 2, 1, 0x00, 2, 9, 3 },
        { 4, 2, 8, 14, 11, 2, 1, 0x03, 18, 10, 3 },
        { 5, 0, 8, 16, 12, 1, 1, 0x02, 35, 0, 3 },
        { 1, 2, 4, 11, 13, 1, 1, 0x00, 0, 2, 3 },    // address fields out of range add nothing
        { 0, 1, 8, 13, 10, 1, 1, -1, 9, 1, 3 },      // no density code: byte 4 not written
        { 3, 1, 2, 13, 10, 1, 1, -1, 9, 1, 3 },      // banks neither 4 nor 8
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << "/" << c.width << "/" << c.banks);
        Params p = kDdr3_1333;
        p[11] = int16_t(c.size), p[10] = int16_t(c.width), p[14] = int16_t(c.banks);
        p[3] = int16_t(c.rows), p[4] = int16_t(c.cols), p[5] = int16_t(c.sides), p[2] = int16_t(c.ecc);
        run(wizard::ddr3_set, p);
        EXPECT_EQ(doc.writesTo(4, 4), c.b4 < 0 ? std::vector<int>{} : std::vector<int>{ c.b4 });
        EXPECT_EQ(doc.writesTo(5, 5), std::vector<int>{ c.b5 });
        EXPECT_EQ(doc.writesTo(7, 7), std::vector<int>{ c.b7 });
        EXPECT_EQ(doc.writesTo(8, 8), (std::vector<int>{ 3, c.b8 }));
    }
}

TEST_F(EncoderTest, NoDocumentOrAVanishingOneIsHarmless)
{
    main.doc = nullptr;
    run(wizard::ddr2_set, kSdram133, "", "X");
    run(wizard::ddr3_set, kDdr3_1333, "", "X");
    EXPECT_TRUE(Warez_Info[0].isEmpty());   // the record is left alone too
    // A record of another memory type is not this encoder's: nothing is written.
    main.doc = &doc;
    run(wizard::ddr2_set, kDdr3_1333);
    EXPECT_TRUE(doc.calls.empty());
    // The document goes away after 50 look-ups: the later calls are dropped.
    main.budget = 50;
    main.lookups = 0;
    run(wizard::ddr3_set, kDdr3_1333, "CE");
    EXPECT_EQ(doc.calls.size(), 49u);
}

class EncoderDocumentTest : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        Fill_Byte_Name_Tables();
        doc = std::make_unique<frmDocument>();
        doc->setWindowTitle(QStringLiteral("SPD_File 1"));
        doc->Form_Load();
        main.doc = doc.get();
    }
    void TearDown() override
    {
        doc.reset();
        PlatformFixture::TearDown();
    }
    const QString& cap(PanelLabel id) { return doc->panelModel().caption(id); }
    int checksumOf0To62() const
    {
        int sum = 0;
        for (int i = 0; i <= 62; ++i) sum += doc->Get_Value(int16_t(i));
        return sum % 256;
    }
    std::unique_ptr<frmDocument> doc;
    StubMainForm main;
};

TEST_F(EncoderDocumentTest, Ddr2_800_X8_1GbModuleDecodesAsBuilt)
{
    // 1 Gbit x8 devices (14 rows, 10 columns, 8 banks), one rank, no ECC, tCL "5T",
    // tRP/tRCD 5, tRAS 18, 7.8 us refresh.
    Warez_Param = { 3, 12, 1, 14, 10, 1, 3, 5, 5, 18, 1, 4, 0, 1, 8, 78 };
    Warez_Info = { QStringLiteral("CE"), QStringLiteral("M378T2863QZS-CF7"), QString() };
    wizard::ddr2_set(main);
    const QString sum = Hex_Byte_Text(uint8_t(checksumOf0To62()));
    EXPECT_EQ(doc->grid->caption(63), sum);
    EXPECT_EQ(cap(PanelLabel::Label46), sum);
    const std::map<PanelLabel, QString> captions = {
        { PanelLabel::Label29, "DDR2 SDRAM" }, { PanelLabel::Label35, "800 MHz(PC2-6400)" },
        { PanelLabel::Label32, "1" }, { PanelLabel::Label34, "SSTL 1.8V" },
        { PanelLabel::Label38, "7.8us(self-refresh)" }, { PanelLabel::Label41, "1 GB" },
        { PanelLabel::Label42, " 5T " }, { PanelLabel::Label44, "12.5 ns  (5T)" },
        { PanelLabel::Label45, "45 ns  (18T)" }, { PanelLabel::Label59, "(SAMSUNG)" },
    };
    for (const auto& [label, text] : captions) EXPECT_EQ(cap(label), text) << PanelModel::nameOf(label).toStdString();
    EXPECT_TRUE(cap(PanelLabel::Label18).startsWith("M378T2863QZS-CF7"));
    EXPECT_EQ(doc->grid->caption(2), "08");
    EXPECT_FALSE(doc->Chk_Form_Chang());   // marking the document modified is the caller's part
}

TEST_F(EncoderDocumentTest, Ddr3_1333ModuleDecodesOnTheDdr3Panels)
{
    // 2 Gbit x8 devices (15 rows, 10 columns, 8 banks), two ranks, ECC, tCL "6T 7T",
    // tRP/tRCD 7, tRAS 24.
    Warez_Param = { 4, 15, 2, 15, 10, 2, 7, 7, 7, 24, 1, 5, 0, 128, 8, 78 };
    Warez_Info = { QStringLiteral("CE"), QStringLiteral("M391B5273CH0-CH9"), QString() };
    wizard::ddr3_set(main);
    const std::map<PanelLabel, QString> captions = {
        { PanelLabel::Label120, "DDR3 SDRAM" }, { PanelLabel::Label119, "1333 MHz(1.5ns)" },
        { PanelLabel::Label126, "6 7 " }, { PanelLabel::Label133, "72 bit(ECC)" },
        { PanelLabel::Label118, "2 Ranks" }, { PanelLabel::Label127, "10.5 ns (7T)" },
        { PanelLabel::Label130, "36 ns (24T)" }, { PanelLabel::Label146, "80CE" },
        { PanelLabel::Label148, "(SAMSUNG)" }, { PanelLabel::Label115, kCrcShortCaption },
        { PanelLabel::Label122, "8 Banks" }, { PanelLabel::Label121, "2 Gb" },
    };
    for (const auto& [label, text] : captions) EXPECT_EQ(cap(label), text) << PanelModel::nameOf(label).toStdString();
    EXPECT_TRUE(cap(PanelLabel::Label144).startsWith("M391B5273CH0-CH9"));
    // The stored CRC is the one the document itself computes over bytes 0-116.
    SPD_Record image;
    for (int i = 0; i < 256; ++i) image.Spd_Value[size_t(i)] = doc->Get_Value(int16_t(i));
    const uint16_t crc = crc16_spd(image, 116);
    EXPECT_NE(crc, 0);
    EXPECT_EQ(doc->Get_Value(126), crc & 0xFF);
    EXPECT_EQ(doc->Get_Value(127), crc >> 8);
    EXPECT_EQ(cap(PanelLabel::Label131), Hex_Byte_Text(uint8_t(crc & 0xFF)) + Hex_Byte_Text(uint8_t(crc >> 8)));
    EXPECT_EQ(doc->OptcrcChoice(), 2);   // a new document keeps "None"
}

} // namespace
