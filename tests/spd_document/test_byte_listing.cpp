#include <gtest/gtest.h>

#include "spd_document/byte_listing.h"
#include "spd_document/byte_names.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using Bytes = std::array<uint8_t, 256>;
using Names = std::array<QString, 256>;

// Byte k holds the value k, so every value names its own position.
Bytes Counting_Image()
{
    Bytes b{};
    for (int k = 0; k < 256; ++k) b[k] = static_cast<uint8_t>(k);
    return b;
}

// Byte k is described as "d<k>", so each line shows whose name it took.
Names Numbered_Names()
{
    Names n;
    for (int k = 0; k < 256; ++k) n[k] = QStringLiteral("d%1").arg(k);
    return n;
}

// The listing split at CR LF; the final CR LF leaves an empty last element, which is dropped
// after checking it is there.
QStringList Lines_Of(const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.last().isEmpty()) << "listing must end with CR LF";
    lines.removeLast();
    return lines;
}

// The "  Byte ..." labels in order: "7" for a single byte, "36 - 61" for a group.
QStringList Labels_Of(const QString& text)
{
    QStringList labels;
    for (const QString& line : Lines_Of(text)) {
        if (!line.startsWith(QStringLiteral("  Byte "))) continue;
        const QString rest = line.mid(7);
        const int dash = rest.indexOf(QStringLiteral(" - "));
        const int firstBlank = rest.indexOf(u' ');
        if (dash >= 0 && dash == firstBlank)
            labels << rest.left(dash) + QStringLiteral(" - ") + rest.mid(dash + 3).section(u' ', 0, 0);
        else
            labels << rest.left(firstBlank);
    }
    return labels;
}

QString Blanks(int n) { return QString(n, u' '); }

// Value line of a group of the counting image.
QString Values(int indent, int first, int last)
{
    QString s = Blanks(indent);
    for (int k = first; k <= last; ++k) s += QStringLiteral("%1 ").arg(k, 2, 16, QLatin1Char('0')).toUpper();
    return s;
}

QStringList Expected_Labels(const std::vector<std::pair<int, int>>& groups, bool withLowBytes)
{
    QStringList labels;
    if (withLowBytes) {
        size_t g = 0;
        for (int k = 0; k < 128;) {
            if (g < groups.size() && groups[g].first == k) {
                labels << QStringLiteral("%1 - %2").arg(groups[g].first).arg(groups[g].second);
                k = groups[g].second + 1;
                ++g;
            } else {
                labels << QString::number(k++);
            }
        }
    }
    for (int f = 128; f < 256; f += 16) labels << QStringLiteral("%1 - %2").arg(f).arg(f + 15);
    return labels;
}

const QString kHeader = QStringLiteral("\r\n  Count   Value Byte list\r\n\r\n");

} // namespace

TEST(ByteListing, StartsWithHeaderAndUsesOnlyCrLf)
{
    for (int16_t type : {0, 1, 2, 3, 4, -1, 9}) {
        const QString text = Build_Byte_Listing(type, Counting_Image(), Numbered_Names());
        EXPECT_TRUE(text.startsWith(kHeader)) << type;
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << type;
        EXPECT_EQ(text.count(u'\n'), text.count(QStringLiteral("\r\n"))) << type;
        EXPECT_EQ(text.count(u'\r'), text.count(QStringLiteral("\r\n"))) << type;
    }
}

// Order of single bytes and groups per memory type.
TEST(ByteListing, GroupsPerMemoryType)
{
    struct Case {
        int16_t type;
        std::vector<std::pair<int, int>> groups;
        bool lowBytes;
        int lineCount;   // header lines included
    } cases[] = {
        {MT_SDRAM, {{36, 61}, {64, 71}, {73, 90}, {99, 114}, {115, 125}}, true, 78},
        {MT_DDR, {{36, 40}, {46, 61}, {64, 71}, {73, 90}, {99, 114}, {115, 127}}, true, 83},
        {MT_DDR2, {{64, 71}, {73, 90}, {95, 98}, {107, 113}}, true, 118},
        {MT_RAMBUS, {}, false, 19},
        {MT_DDR3, {}, false, 19},
    };
    for (const Case& c : cases) {
        const QString text = Build_Byte_Listing(c.type, Counting_Image(), Numbered_Names());
        EXPECT_EQ(Labels_Of(text), Expected_Labels(c.groups, c.lowBytes)) << c.type;
        EXPECT_EQ(Lines_Of(text).size(), c.lineCount) << c.type;
    }
}

TEST(ByteListing, SingleByteLinesPadNumberToThree)
{
    const QStringList lines = Lines_Of(Build_Byte_Listing(MT_SDRAM, Counting_Image(), Numbered_Names()));
    for (const char* expected : {
             "  Byte 0   00   d0",
             "  Byte 9   09   d9",
             "  Byte 10  0A   d10",
             "  Byte 35  23   d35",
             "  Byte 63  3F   d63",
             "  Byte 72  48   d72",
             "  Byte 98  62   d98",
             "  Byte 126 7E   d126",
             "  Byte 127 7F   d127",
         })
        EXPECT_TRUE(lines.contains(QString::fromLatin1(expected))) << expected;
}

TEST(ByteListing, GroupHeaderThenIndentedValues)
{
    struct Case {
        int16_t type;
        const char* header;
        int indent;
        int first;
        int last;
    } cases[] = {
        {MT_SDRAM, "  Byte 36 - 61  d36", 16, 36, 61},
        {MT_SDRAM, "  Byte 64 - 71  d64", 16, 64, 71},
        {MT_SDRAM, "  Byte 73 - 90  d73", 16, 73, 90},
        {MT_SDRAM, "  Byte 99 - 114  d99", 17, 99, 114},
        {MT_SDRAM, "  Byte 115 - 125 d115", 17, 115, 125},
        {MT_DDR, "  Byte 36 - 40  d36", 16, 36, 40},
        {MT_DDR, "  Byte 46 - 61  d46", 16, 46, 61},
        {MT_DDR, "  Byte 115 - 127 d115", 17, 115, 127},
        {MT_DDR2, "  Byte 95 - 98  d95", 16, 95, 98},
        {MT_DDR2, "  Byte 107 - 113 d107", 16, 107, 113},
        {MT_DDR3, "  Byte 128 - 143 d128", 17, 128, 143},
        {MT_RAMBUS, "  Byte 240 - 255 d128", 17, 240, 255},
    };
    for (const Case& c : cases) {
        const QStringList lines = Lines_Of(Build_Byte_Listing(c.type, Counting_Image(), Numbered_Names()));
        const int at = lines.indexOf(QString::fromLatin1(c.header));
        ASSERT_GE(at, 0) << c.header;
        ASSERT_LT(at + 1, lines.size()) << c.header;
        EXPECT_EQ(lines[at + 1], Values(c.indent, c.first, c.last)) << c.header;
    }
}

TEST(ByteListing, RambusAndDdr3WholeText)
{
    Bytes image{};
    image[128] = 0x05;
    image[143] = 0xAB;
    image[255] = 0xFF;
    Names names;
    names.fill(QStringLiteral("x"));
    names[128] = QStringLiteral("Open for customer use");

    QString expected = kHeader;
    for (int f = 128; f < 256; f += 16) {
        expected += QStringLiteral("  Byte %1 - %2 Open for customer use\r\n").arg(f).arg(f + 15);
        expected += Blanks(17);
        for (int k = f; k <= f + 15; ++k) expected += QStringLiteral("%1 ").arg(
            QString::number(image[k], 16).rightJustified(2, u'0').toUpper());
        expected += QStringLiteral("\r\n");
    }
    EXPECT_EQ(Build_Byte_Listing(MT_RAMBUS, image, names), expected);
    EXPECT_EQ(Build_Byte_Listing(MT_DDR3, image, names), expected);
    EXPECT_TRUE(expected.contains(QStringLiteral("05 00")));
    EXPECT_TRUE(expected.contains(QStringLiteral(" AB \r\n")));
    EXPECT_TRUE(expected.contains(QStringLiteral(" FF \r\n")));
}

// Codes outside 0..4 list only the header and the upper half, like RAMBUS and DDR3.
TEST(ByteListing, UnknownMemoryTypeListsOnlyUpperHalf)
{
    const QString reference = Build_Byte_Listing(MT_RAMBUS, Counting_Image(), Numbered_Names());
    for (int16_t type : {int16_t(-1), int16_t(5), int16_t(11), std::numeric_limits<int16_t>::min(),
                         std::numeric_limits<int16_t>::max()})
        EXPECT_EQ(Build_Byte_Listing(type, Counting_Image(), Numbered_Names()), reference) << type;
}

TEST(ByteListing, RealNamesAndEmptyDescriptions)
{
    Fill_Byte_Name_Tables();
    Bytes image{};
    image[47] = 0x01;
    image[63] = 0xC4;
    const QStringList sd = Lines_Of(Build_Byte_Listing(MT_SDRAM, image, SD_Byte_Name));
    EXPECT_TRUE(sd.contains(QStringLiteral("  Byte 63  C4   Checksun 0-62")));
    EXPECT_TRUE(sd.contains(QStringLiteral("  Byte 73 - 90  Manufacturer's Part Number")));
    // DDR lists byte 47 inside its 46 - 61 group; a single-byte line keeps the name's
    // leading blank.
    const QStringList ddr = Lines_Of(Build_Byte_Listing(MT_DDR, image, DDR_Byte_Name));
    EXPECT_TRUE(ddr.contains(QStringLiteral("  Byte 46 - 61  Reserved")));
    const QStringList ddr2 = Lines_Of(Build_Byte_Listing(MT_DDR2, image, DDR_Byte_Name));
    EXPECT_TRUE(ddr2.contains(QStringLiteral("  Byte 47  01    DIMM Height")));

    // A document whose names were never filled still lists every byte, names left blank.
    const QStringList blank = Lines_Of(Build_Byte_Listing(MT_SDRAM, image, Names{}));
    EXPECT_TRUE(blank.contains(QStringLiteral("  Byte 0   00   ")));
    EXPECT_TRUE(blank.contains(QStringLiteral("  Byte 128 - 143 ")));
}
