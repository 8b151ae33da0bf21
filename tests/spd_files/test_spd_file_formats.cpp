// The SPD file formats in memory: the name rule, the .spd text layout, parsing and error texts.
#include <gtest/gtest.h>

#include <QByteArrayList>

#include "spd_files/spd_file_formats.h"

namespace {

SPD_Image countingImage()
{
    SPD_Image image{};
    for (int k = 0; k < 256; ++k) image[static_cast<size_t>(k)] = static_cast<uint8_t>(k);
    return image;
}

// Every digit and letter in varied positions, so a field read one place off shows.
SPD_Image mixedImage()
{
    SPD_Image image{};
    for (int k = 0; k < 256; ++k) image[static_cast<size_t>(k)] = static_cast<uint8_t>(k * 37 + 11);
    return image;
}

// The 16 lines of a text without their line ends.
QByteArrayList linesOf(const QByteArray& text)
{
    QByteArrayList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    return lines;
}

QByteArray joined(const QByteArrayList& lines, const QByteArray& end = "\r\n")
{
    QByteArray text;
    for (const QByteArray& line : lines) text += line + end;
    return text;
}

}  // namespace

TEST(SpdFileKind, LastThreeCharactersInAnyCaseSelectText)
{
    struct Case { const char* name; SPD_File_Kind kind; };
    const Case cases[] = {
        { "/data/module.spd", SPD_File_Kind::Hex },
        { "/data/module.SPD", SPD_File_Kind::Hex },
        { "/data/module.Spd", SPD_File_Kind::Hex },
        { "/data/myspd", SPD_File_Kind::Hex },
        { "SPD", SPD_File_Kind::Hex },
        { "/data/module.bin", SPD_File_Kind::Bin },
        { "/data/module.txt", SPD_File_Kind::Bin },
        { "/data/module", SPD_File_Kind::Bin },
        { "/data/spd.bin", SPD_File_Kind::Bin },
        { "/data/module.spd ", SPD_File_Kind::Bin },
        { "/data/module.spdx", SPD_File_Kind::Bin },
        { "pd", SPD_File_Kind::Bin },
        { "", SPD_File_Kind::Bin },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SPD_File_Kind_Of(QString::fromUtf8(c.name)), c.kind) << c.name;
        EXPECT_EQ(Is_SPD_Hex_File_Name(QString::fromUtf8(c.name)), c.kind == SPD_File_Kind::Hex) << c.name;
    }
}

TEST(SpdHexFormat, SixteenLinesOfFortyNineCharactersWithCrLf)
{
    const QByteArray text = SPD_Hex_File::Format(countingImage());
    ASSERT_EQ(text.size(), 816);
    EXPECT_EQ(text.left(51), QByteArray(" 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \r\n"));
    EXPECT_EQ(text.right(51), QByteArray(" F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF \r\n"));
    for (int r = 0; r < 16; ++r) {
        const QByteArray line = text.mid(r * 51, 51);
        EXPECT_EQ(line.size(), 51);
        EXPECT_TRUE(line.endsWith("\r\n")) << r;
        EXPECT_EQ(line.count('\r'), 1) << r;
        EXPECT_EQ(line.count('\n'), 1) << r;
    }
}

TEST(SpdHexFormat, EveryByteValueAsTwoUpperCaseDigits)
{
    SPD_Image image{};
    for (int v = 0; v < 256; ++v) {
        image[17] = static_cast<uint8_t>(v);
        const QByteArray text = SPD_Hex_File::Format(image);
        // Byte 17 is field 1 of line 1: characters 5-6 of that line.
        const QByteArray digits = text.mid(51 + 4, 2);
        EXPECT_EQ(digits, QByteArray::number(v, 16).toUpper().rightJustified(2, '0')) << v;
        EXPECT_EQ(SPD_Hex_File::Parse(text).image[17], v) << v;
    }
}

TEST(SpdHexParse, ReadsWhatFormatWrites)
{
    for (const SPD_Image& image : { countingImage(), mixedImage(), SPD_Image{} }) {
        const SPD_File_Result r = SPD_Hex_File::Parse(SPD_Hex_File::Format(image));
        ASSERT_TRUE(r.ok()) << r.message().toStdString();
        EXPECT_EQ(r.image, image);
    }
}

TEST(SpdHexParse, LenientLayoutsReadToTheSameImage)
{
    const SPD_Image image = mixedImage();
    const QByteArray canonical = SPD_Hex_File::Format(image);
    const QByteArrayList lines = linesOf(canonical);
    ASSERT_EQ(lines.size(), 16);

    auto each = [&](auto change) {
        QByteArrayList out;
        for (int r = 0; r < lines.size(); ++r) out << change(lines[r], r);
        return out;
    };

    struct Case { const char* what; QByteArray text; };
    const Case cases[] = {
        { "no leading blank", joined(each([](QByteArray l, int) { return l.mid(1); })) },
        { "no leading or trailing blank",
          joined(each([](QByteArray l, int) { return l.mid(1).chopped(1); })) },
        { "no trailing blank", joined(each([](QByteArray l, int) { return l.chopped(1); })) },
        { "lower-case digits", joined(each([](QByteArray l, int) { return l.toLower(); })) },
        { "some lines with, some without the leading blank",
          joined(each([](QByteArray l, int r) { return r % 2 ? l.mid(1) : l; })) },
        { "blanks after the 48th", joined(each([](QByteArray l, int) { return l + "    "; })) },
        { "blank lines after the 16th", joined(lines) + " \r\n\r\n   \r\r" },
        { "LF line ends", joined(lines, "\n") },
        { "CR line ends", joined(lines, "\r") },
        { "no line end after the last line", joined(lines).chopped(2) },
        { "UTF-8 byte-order mark before the first line", "\xEF\xBB\xBF" + canonical },
    };
    for (const Case& c : cases) {
        const SPD_File_Result r = SPD_Hex_File::Parse(c.text);
        ASSERT_TRUE(r.ok()) << c.what << ": " << r.message().toStdString();
        EXPECT_EQ(r.image, image) << c.what;
        EXPECT_EQ(r.notice(), QString()) << c.what;
    }
}

TEST(SpdHexParse, FieldIsTrimmedThreeCharacterSlice)
{
    // Field j is characters 3j+1..3j+3: a field that keeps two characters is read by its first
    // and last.
    QByteArrayList lines = linesOf(SPD_Hex_File::Format(SPD_Image{}));
    lines[0] = " 1F a07 5";
    lines[0] += QByteArray(" 00").repeated(13) + " ";
    const SPD_File_Result r = SPD_Hex_File::Parse(joined(lines));
    ASSERT_TRUE(r.ok()) << r.message().toStdString();
    EXPECT_EQ(r.image[0], 0x1F);
    EXPECT_EQ(r.image[1], 0xA0);
    EXPECT_EQ(r.image[2], 0x75);   // "7 5": first and last character
}

TEST(SpdHexParse, BadTextIsRejectedWithItsLine)
{
    const QByteArrayList lines = linesOf(SPD_Hex_File::Format(mixedImage()));
    auto canonicalTabs = [] { return SPD_Hex_File::Format(mixedImage()).replace(' ', '\t'); };
    auto withLine = [&](int r, const QByteArray& replacement) {
        QByteArrayList out = lines;
        out[r] = replacement;
        return joined(out);
    };
    QByteArrayList fifteen = lines;
    fifteen.removeLast();
    QByteArrayList blankInserted = lines;
    blankInserted.insert(9, QByteArray());

    struct Case { const char* what; QByteArray text; SPD_File_Status status; int line; };
    const Case cases[] = {
        { "empty file", QByteArray(), SPD_File_Status::Too_Few_Lines, 0 },
        { "fifteen lines", joined(fifteen), SPD_File_Status::Too_Few_Lines, 15 },
        { "one line", lines[0] + "\r\n", SPD_File_Status::Too_Few_Lines, 1 },
        { "line 7 cut after 46 characters", withLine(6, lines[6].left(46)), SPD_File_Status::Line_Too_Short, 7 },
        { "line 1 cut in half", withLine(0, lines[0].left(24)), SPD_File_Status::Line_Too_Short, 1 },
        { "empty 16th line", withLine(15, QByteArray()), SPD_File_Status::Line_Too_Short, 16 },
        { "blank 4th line", withLine(3, QByteArray(49, ' ')), SPD_File_Status::Line_Too_Short, 4 },
        { "field 6 of line 3 blank",
          withLine(2, lines[2].left(15) + "   " + lines[2].mid(18)), SPD_File_Status::Line_Too_Short, 3 },
        { "single-digit fields", withLine(11, QByteArray(" 1 ").repeated(16)), SPD_File_Status::Line_Too_Short, 12 },
        { "blank line inserted before line 10", joined(blankInserted), SPD_File_Status::Line_Too_Short, 10 },
        { "double-spaced lines", joined(lines, "\r\n\r\n"), SPD_File_Status::Line_Too_Short, 2 },
        { "binary image named .spd", SPD_Bin_File::Format(SPD_Image{}), SPD_File_Status::Line_Not_Hex, 1 },
        { "tabs in place of blanks", canonicalTabs(), SPD_File_Status::Line_Not_Hex, 1 },
        { "field 3 of line 5 not hexadecimal",
          withLine(4, lines[4].left(6) + " GG" + lines[4].mid(9)), SPD_File_Status::Line_Not_Hex, 5 },
        { "a 17th byte on line 9", withLine(8, lines[8] + "FF "), SPD_File_Status::Line_Too_Long, 9 },
        { "no leading blank and a 17th byte", withLine(0, lines[0].mid(1) + "FF"), SPD_File_Status::Line_Too_Long, 1 },
        { "words after line 2", withLine(1, lines[1] + "junk"), SPD_File_Status::Line_Too_Long, 2 },
        { "field 4 of line 2 written 0x7", withLine(1, lines[1].left(9) + "0x7" + lines[1].mid(12)),
          SPD_File_Status::Line_Not_Hex, 2 },
    };
    for (const Case& c : cases) {
        const SPD_File_Result r = SPD_Hex_File::Parse(c.text);
        EXPECT_EQ(r.status, c.status) << c.what;
        EXPECT_EQ(r.line, c.line) << c.what;
        EXPECT_EQ(r.image, SPD_Image{}) << c.what << ": no byte of a rejected file comes out";
    }
}

TEST(SpdBinParse, FirstTwoHundredFiftySixBytes)
{
    const SPD_Image image = mixedImage();
    const QByteArray data = SPD_Bin_File::Format(image);
    ASSERT_EQ(data.size(), 256);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(static_cast<uint8_t>(data[k]), image[static_cast<size_t>(k)]);

    struct Case { const char* what; QByteArray data; bool ok; qint64 size; };
    const Case cases[] = {
        { "exactly 256 bytes", data, true, 0 },
        { "300 bytes", data + QByteArray(44, '\x5A'), true, 300 },
        { "255 bytes", data.left(255), false, 255 },
        { "empty", QByteArray(), false, 0 },
    };
    for (const Case& c : cases) {
        const SPD_File_Result r = SPD_Bin_File::Parse(c.data);
        EXPECT_EQ(r.ok(), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(r.image, image) << c.what;
            EXPECT_EQ(r.notice().contains(QStringLiteral("300")), c.size == 300) << c.what;
        } else {
            EXPECT_EQ(r.status, SPD_File_Status::Bin_Too_Short) << c.what;
            EXPECT_EQ(r.size, c.size) << c.what;
            EXPECT_EQ(r.image, SPD_Image{}) << c.what;
        }
    }
}

TEST(SpdFileMessages, ReasonFramedByAsterisksThenThePath)
{
    SPD_File_Result r;
    r.path = QStringLiteral("/home/user/模組 1.spd");
    EXPECT_TRUE(r.message().isEmpty());

    r.status = SPD_File_Status::Open_Failed;
    EXPECT_EQ(r.message(), QStringLiteral("      *****   無法開啟檔案 !   *****      \n\n/home/user/模組 1.spd"));
    EXPECT_EQ(SPD_File_Error_Title, QStringLiteral("錯誤"));

    struct Case { SPD_File_Status status; int line; qint64 size; const char* reason; };
    const Case cases[] = {
        { SPD_File_Status::Read_Failed, 0, 0, "無法讀取檔案 !" },
        { SPD_File_Status::Too_Few_Lines, 15, 0, "檔案格式錯誤: 只有 15 行, 應有 16 行 !" },
        { SPD_File_Status::Line_Too_Short, 7, 0, "檔案格式錯誤: 第 7 行不足 16 個位元組 !" },
        { SPD_File_Status::Bin_Too_Short, 0, 255, "檔案長度不足: 只有 255 位元組, 應有 256 位元組 !" },
        { SPD_File_Status::Create_Failed, 0, 0, "無法寫入檔案 !" },
        { SPD_File_Status::Write_Failed, 0, 0, "存檔失敗 !" },
        { SPD_File_Status::Line_Not_Hex, 3, 0, "檔案格式錯誤: 第 3 行有不是十六進位數字的字元 !" },
        { SPD_File_Status::Not_A_File, 0, 0, "不是一般檔案 (管道或裝置), 無法讀寫 !" },
        { SPD_File_Status::Line_Too_Long, 9, 0, "檔案格式錯誤: 第 9 行超過 16 個位元組 !" },
        { SPD_File_Status::Is_A_Folder, 0, 0, "這是資料夾, 不是檔案 !" },
    };
    for (const Case& c : cases) {
        r.status = c.status;
        r.line = c.line;
        r.size = c.size;
        EXPECT_EQ(SPD_File_Error_Reason(r), QString::fromUtf8(c.reason));
        EXPECT_EQ(r.message(), SPD_File_Error_Message(QString::fromUtf8(c.reason), r.path));
        EXPECT_TRUE(r.message().endsWith(r.path)) << c.reason;
    }
}

TEST(TypeKeyOptcrc, CrcOptionOnlyForDdr3Keys)
{
    for (int b = 0; b < 256; ++b) {
        const int expected = (b == 0x09 || b == 0x0B) ? 1 : 0;
        EXPECT_EQ(Type_Key_Optcrc(static_cast<uint8_t>(b)), expected) << b;
    }
}
