// Part-number and field texts, the file name in the header, and the page chosen by SPD
// byte 2.
#include <gtest/gtest.h>

#include "report/report_pages.h"
#include "report/report_texts.h"

TEST(ReportTexts, PartNumberShowsAsciiAndEveryOtherByteAsABlank)
{
    const auto bytes = [](std::vector<uint8_t> head, uint8_t fill = 0) { head.resize(18, fill); return head; };
    const std::pair<std::vector<uint8_t>, QString> cases[] = {
        {bytes({}), QString()},
        {bytes({0x41, 0x00, 0x42}), "A B" + QString(15, u' ')},
        {bytes({0x41, 0x1F, 0x0A, 0x20, 0x42}, 0x2D), "A   B" + QString(13, u'-')},
        {bytes({0x41, 0x7E}, 0xFF), "A~" + QString(16, u' ')},
        {bytes({0x80, 0xE9, 0x7F, 0x5A}, 0x20), "   Z" + QString(14, u' ')},
    };
    for (const auto& c : cases) EXPECT_EQ(report::Part_Number_Text(c.first), c.second) << c.second.toStdString();
    EXPECT_EQ(report::Field_Text({0x4B, 0x05, 0xA0}), "4B05A0");
}

TEST(ReportTexts, AlignedRowsStartTheirDescriptionsInOneColumn)
{
    const std::pair<const char*, const char*> cases[] = {
        {"        0          Number of Bytes", "        0          Number of Bytes"},
        {"      36-40       Reserved   ", "      36-40        Reserved   "},
        {"     122-125     Module ID: Module Serial Number", "     122-125       Module ID: Module Serial Number"},
        {"      126         Intel specification", "      126          Intel specification"},
        {"  ", "  "},
        {"     -----", "     -----"},
    };
    for (const auto& c : cases) EXPECT_EQ(report::Aligned_Row_Text(c.first), QString(c.second)) << c.first;
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
