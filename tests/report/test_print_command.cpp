// The print command: printer dialog, tables, the page chosen by SPD byte 2 of the active
// document and the end of the printer document; cancel, no document and a failing page.
#include "print_command_fixture.h"

#include "report/print_lines.h"
#include "spd_document/spd_record.h"

#include <QAction>

namespace {

// The page a log shows, told by its column header.
QString Page_Of(const FakePrinter::Log& log)
{
    const std::pair<const std::array<QString, 258>*, const char*> pages[] = {
        {&SD_Print_Line, "SDRAM"}, {&DDR_Print_Line, "DDR"}, {&DDR2_Print_Line, "DDR2"}, {&DDR3_Print_Line, "DDR3"}};
    for (const auto& p : pages)
        if (log.lines.size() > 3 && log.lines[3].text == (*p.first)[report::Print_Line_Header]) return p.second;
    return "none";
}

} // namespace

TEST_F(PrintCommandTest, RealModulesPrintThePageOfTheirMemoryType)
{
    const std::pair<const char*, const char*> cases[] = {
        {"sdram-daneelec-pc133-1.bin", "SDRAM"}, {"ddr-micron-ddr333-rdimm-1.bin", "DDR"},
        {"ddr2-samsung-ddr2-400-rdimm-1.bin", "DDR2"}, {"ddr3-samsung-1600-1.bin", "DDR3"}};
    int ended = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        frmDocument* doc = Open(QStringLiteral(MB_TESTDATA_DIR "/") + c.first);
        ASSERT_NE(doc, nullptr);
        doc->Set_form_chang(true);
        dialogs.printerLog->lines.clear();
        main->mnuFilePrint_Click();
        EXPECT_EQ(Page_Of(printed()), c.second);
        EXPECT_EQ(printed().lines.value(1).text, "     Filename: " + QString(c.first) + "*");
        EXPECT_EQ(printed().endDocCount, ++ended);
        EXPECT_EQ(printed().linesSinceEndDoc, 0);
        // The values are this document's, not those of one opened before.
        const auto first = std::find_if(printed().lines.begin(), printed().lines.end(), [](const auto& l) { return l.x == 10500; });
        ASSERT_NE(first, printed().lines.end());
        EXPECT_EQ(first->text, Hex_Byte_Text(doc->Get_Value(0)));
        EXPECT_TRUE(doc->Chk_Form_Chang());
    }
    EXPECT_EQ(dialogs.callsOf(FakeDialogs::PrinterCall).value(0).title, "Print");
}

TEST_F(PrintCommandTest, CancelFillsTheTablesAndPrintsNothingAndNoDocumentAsksNothing)
{
    main->mnuFilePrint_Click();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_TRUE(SD_Print_Line[report::Print_Line_Header].isEmpty());

    main->Load_New_Document();
    dialogs.printerAnswers << false;
    main->mnuFilePrint_Click();
    EXPECT_EQ(dialogs.calls.size(), 1); // the printer dialog, no message
    EXPECT_EQ(printed().printersCreated, 0);
    EXPECT_EQ(printed().endDocCount, 0);
    for (const auto* t : {&SD_Print_Line, &DDR_Print_Line, &DDR2_Print_Line, &DDR3_Print_Line})
        EXPECT_FALSE((*t)[report::Print_Line_Header].isEmpty() || (*t)[0].isEmpty());
}

TEST_F(PrintCommandTest, FailingPageStillEndsTheDocumentWithItsFirstLines)
{
    Open(QStringLiteral(MB_TESTDATA_DIR "/ddr2-kingston-ddr2-800-1.bin"));
    dialogs.printerFailAtLine = 40;
    EXPECT_NO_THROW(main->mnuFilePrint_Click());
    EXPECT_EQ(printed().lines.size(), 40);
    EXPECT_EQ(printed().endDocCount, 1);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(main->m_reportPrinter, nullptr);
    main->DDR2_PRINTER(); // outside a print command there is no printer
    EXPECT_EQ(printed().lines.size(), 40);
}

TEST_F(PrintCommandTest, MenuItemAndToolbarKeyPrint)
{
    main->Load_New_Document();
    EXPECT_EQ(main->mnuFilePrint->text(), QStringLiteral("列    印"));
    // The toolbar key prints only while the menu item is not greyed (rights).
    const std::pair<QAction*, bool> cases[] = {
        {main->mnuFilePrint, true}, {main->toolbarButton("PRINT"), true}, {main->toolbarButton("PRINT"), false}};
    for (const auto& [a, menuEnabled] : cases) {
        ASSERT_NE(a, nullptr);
        a->setEnabled(true);
        main->mnuFilePrint->setEnabled(menuEnabled);
        a->trigger();
    }
    EXPECT_EQ(printed().endDocCount, 2);
}
