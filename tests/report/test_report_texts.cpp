// Part-number and field texts, the file name in the header, and the page chosen by SPD
// byte 2.
#include <gtest/gtest.h>

#include "report/report_pages.h"
#include "report/report_texts.h"

using report::Zero_Byte;

TEST(ReportTexts, PartNumberShowsEveryByteAsOneCharacter)
{
    const auto bytes = [](std::vector<uint8_t> head, uint8_t fill = 0) { head.resize(18, fill); return head; };
    const QString nul(1, QChar(0));
    struct Case {
        std::vector<uint8_t> bytes;
        Zero_Byte zero;
        QString want;
    } cases[] = {
        {bytes({}), Zero_Byte::As_Nul, QString()},
        {bytes({}), Zero_Byte::As_Blank, QString()},
        {bytes({0x41, 0x00, 0x42}), Zero_Byte::As_Blank, "A B" + QString(15, u' ')},
        {bytes({0x41, 0x00, 0x42}), Zero_Byte::As_Nul, "A" + nul + "B" + nul.repeated(15)},
        {bytes({}, 0xFF), Zero_Byte::As_Nul, QString(18, QChar(0xFF))},
        {bytes({0x80, 0xE9}, 0x20), Zero_Byte::As_Nul, QString(QChar(0x80)) + QChar(0xE9) + QString(16, u' ')},
    };
    for (const Case& c : cases) EXPECT_EQ(report::Part_Number_Text(c.bytes, c.zero), c.want) << c.want.toStdString();
    EXPECT_EQ(report::Field_Text({0x4B, 0x05, 0xA0}), "4B05A0");
}

TEST(ReportTexts, FileNameIsTheCaptionAfterItsLastSeparator)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SPD_File 3", "SPD_File 3"}, {"C:\\SPD\\ddr3.spd*", "ddr3.spd*"}, {"/home/u/spd/ddr2.bin", "ddr2.bin"},
        {"/home/u/a\\b.bin", "b.bin"}, {"C:\\dir\\", ""}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(report::Report_File_Name(c.first), QString(c.second)) << c.first;
}

TEST(ReportTexts, PageIsChosenBySpdByteTwo)
{
    using report::Report_Page;
    for (int b = 0; b < 256; ++b) {
        const Report_Page want = b == 4 ? Report_Page::SDRAM : b == 8 ? Report_Page::DDR2 : b == 11 ? Report_Page::DDR3 : Report_Page::DDR;
        EXPECT_EQ(report::Report_Page_For(static_cast<uint8_t>(b)), want) << "byte 2 = " << b;
    }
}
