// The four report pages on the recording printer with real module images: the header,
// the description rows in order and colour, every value on the line of its own row in the
// row's colour, which bytes each page shows, and how a page stops when something fails.
#include <gtest/gtest.h>

#include "report/print_lines.h"
#include "report/report_pages.h"
#include "report/report_texts.h"
#include "report_doubles.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "support/fake_printer.h"

#include <map>
#include <set>

using report::Report_Blue;
using report::Report_Red;

namespace {

constexpr int Blank = -1;
constexpr int Rule = report::Print_Line_Rule;

enum class Shown { Field, Part_Number };
struct Field {
    int first, last, x;
    Shown shown = Shown::Field;
};

struct Page_Case {
    const char* name;
    void (*print)(Printer&, MainFormApi&);
    const std::array<QString, 258>& table;
    const char* image;
    int fileNameY, headerY, upperY, lowerY;
    std::vector<std::pair<int, int>> rowRuns;  // description rows in print order
    std::map<int, Field> fields;               // rows whose value is not their own byte
    std::vector<Field> blankLineFields;        // values on the blank lines after the last field
    std::vector<std::pair<int, int>> notShown; // bytes the page never prints
    int redAgainAt;                            // a row red whatever the row before it
    uint32_t closingRule;
};

const std::vector<Page_Case>& Cases()
{
    const Field id{64, 71, 8920}, rev{91, 92, 10270}, serial{95, 98, 9830};
    static const std::vector<Page_Case> cases = {
        {"SDRAM", report::SDR_PRINTER, SD_Print_Line, "sdram-daneelec-pc133-1.bin", 800, 1340, 1810, 12850,
         {{0, 36}, {41, 42}, {62, 63}, {Blank, Blank}, {Blank, Blank}, {Blank, Blank}, {Blank, Blank}, {Rule, Rule},
          {64, 64}, {72, 73}, {91, 91}, {93, 95}, {99, 99}, {126, 127}, {Rule, Rule}},
         // The long field stands one blank after its description, not over it at X 4660.
         {{64, id}, {73, {73, 90, 8550, Shown::Part_Number}}, {91, rev}, {95, serial}, {99, {99, 125, 5760}}},
         {}, {{37, 40}, {43, 61}, {128, 255}}, -1, report::Report_Green},
        {"DDR", report::DDR_PRINTER, DDR_Print_Line, "ddr-corsair-ddr400-1.bin", 800, 1340, 1800, 13350,
         {{0, 36}, {41, 46}, {62, 63}, {Blank, Blank}, {Blank, Blank}, {Rule, Rule}, {64, 64}, {72, 73},
          {91, 91}, {93, 95}, {99, 99}, {Rule, Rule}},
         {{64, id}, {73, {73, 90, 8550, Shown::Part_Number}}, {91, rev}, {95, serial}, {99, {99, 127, 5760}}},
         {}, {{37, 40}, {47, 61}, {128, 255}}, -1, Report_Blue},
        // Its part number holds zero bytes, which print as blanks.
        {"DDR2", report::DDR2_PRINTER, DDR2_Print_Line, "ddr2-kingston-ddr2-800-1.bin", 600, 1140, 1620, 13880,
         {{0, 47}, {62, 63}, {Rule, Rule}, {64, 64}, {72, 73}, {91, 91}, {93, 95}, {99, 99}, {Rule, Rule}},
         {{64, {64, 71, 8900}}, {73, {73, 90, 8550, Shown::Part_Number}}, {91, rev}, {95, serial}, {99, {99, 127, 5760}}},
         {}, {{48, 61}, {128, 255}}, 64, Report_Blue},
        {"DDR3", report::DDR3_PRINTER, DDR3_Print_Line, "ddr3-kingston-1333-1.bin", 900, 1500, 2020, 13770,
         {{0, 32}, {60, 64}, {117, 122}, {126, 127}, {Blank, Blank}, {Blank, Blank}, {Rule, Rule}, {128, 128},
          {146, 146}, {148, 148}, {150, 150}, {176, 176}, {Blank, Blank}, {Blank, Blank}, {Blank, Blank}, {Rule, Rule}},
         // Three descriptions reach past the hex column at X 10500 and one past X 4870.
         {{23, {23, 23, 10800}}, {117, {117, 117, 10800}}, {118, {118, 118, 10680}}, {122, {122, 125, 10500}},
          {128, {128, 145, 6670}},
          {146, {146, 147, 10270}}, {148, {148, 149, 10270}}, {150, {150, 175, 5760}}, {176, {176, 191, 7120}}},
         {{192, 223, 3500}, {224, 255, 3500}}, {{33, 59}, {65, 116}}, -1, Report_Blue},
    };
    return cases;
}

std::vector<int> Rows(const Page_Case& c)
{
    std::vector<int> rows;
    for (const auto& r : c.rowRuns)
        for (int i = r.first; i <= r.second; ++i) rows.push_back(i);
    return rows;
}

FakePrinter::Log Print(const Page_Case& c, const Image& image, const QString& caption = "SPD_File 1")
{
    ImageDocument doc(image, caption);
    OneDocumentMain main(&doc);
    FakePrinter printer;
    c.print(printer, main);
    return *printer.log;
}

// The printed lines after the five header lines: descriptions at X 0, then the values.
void Split(const FakePrinter::Log& log, QList<FakePrinter::Line>& rows, QList<FakePrinter::Line>& values)
{
    int i = 5;
    for (; i < log.lines.size() && log.lines[i].x == 0; ++i) rows << log.lines[i];
    for (; i < log.lines.size(); ++i) values << log.lines[i];
}

QString Value_Text(const Field& f, const Image& image)
{
    const std::vector<uint8_t> bytes(image.begin() + f.first, image.begin() + f.last + 1);
    if (f.shown == Shown::Field) return report::Field_Text(bytes);
    return report::Part_Number_Text(bytes);
}

class ReportPages : public ::testing::Test {
protected:
    void SetUp() override { report::Print_Init_All(); }
};

} // namespace

TEST_F(ReportPages, HeaderAndDescriptionRowsInOrderAndColour)
{
    for (const Page_Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const FakePrinter::Log log = Print(c, Read_Test_Image(c.image), "C:\\SPD\\module.spd*");
        ASSERT_GT(log.lines.size(), 5);
        const FakePrinter::Line& web = log.lines[0];
        EXPECT_EQ(web.text, report::Report_Web_Address);
        EXPECT_TRUE(web.x == 9500 && web.y == 200 && web.size == 8 && web.underline && !web.bold && web.color == Report_Red);
        const FakePrinter::Line& file = log.lines[1];
        EXPECT_EQ(file.text, "     Filename: module.spd*");
        EXPECT_TRUE(file.x == 0 && file.y == c.fileNameY && file.size == 12 && file.bold && !file.underline);
        EXPECT_EQ(QStringList({log.lines[2].text, log.lines[3].text, log.lines[4].text}),
                  QStringList({"HEX", c.table[report::Print_Line_Header], c.table[Rule]}));
        EXPECT_TRUE(log.lines[2].x == 10300 && log.lines[2].y == c.headerY && log.lines[3].y == c.headerY);
        for (int i = 1; i < 5; ++i) EXPECT_EQ(log.lines[i].color, Report_Blue) << "header line " << i;

        QList<FakePrinter::Line> rows, values;
        Split(log, rows, values);
        const std::vector<int> entries = Rows(c);
        ASSERT_EQ(rows.size(), static_cast<int>(entries.size()));
        uint32_t colour = Report_Red;
        QList<uint32_t> ruleColours;
        for (int r = 0; r < rows.size(); ++r) {
            const int e = entries[static_cast<size_t>(r)];
            if (e == Blank || e == Rule) {
                EXPECT_EQ(rows[r].text, e == Blank ? QString("  ") : c.table[Rule]) << "row " << r;
            } else {
                // The table's words, with every description starting in the same column.
                const QString& entry = c.table[static_cast<size_t>(e)];
                EXPECT_EQ(rows[r].text.simplified(), entry.simplified()) << "entry " << e;
                const QString description = entry.simplified().section(' ', 1);
                EXPECT_EQ(rows[r].text.indexOf(' ' + description) + 1, report::Description_Column) << "entry " << e;
            }
            EXPECT_EQ(rows[r].y, c.headerY + 240 * (r + 2)) << "row " << r;
            EXPECT_TRUE(rows[r].size == 12 && !rows[r].bold && !rows[r].underline);
            if (e == Rule) ruleColours << rows[r].color;
            if (e == Blank || e == Rule) continue;
            colour = e == c.redAgainAt ? Report_Red : colour == Report_Red ? Report_Blue : Report_Red;
            EXPECT_EQ(rows[r].color, colour) << "entry " << e;
        }
        EXPECT_EQ(ruleColours, QList<uint32_t>({Report_Blue, c.closingRule}));
    }
}

TEST_F(ReportPages, EveryValueStandsBesideItsRowInItsColour)
{
    for (const Page_Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        for (bool zeroPartNumber : {false, true}) {
            Image image = Read_Test_Image(c.image);
            if (zeroPartNumber) std::fill(image.begin() + 73, image.begin() + 91, 0);
            QList<FakePrinter::Line> rows, values;
            Split(Print(c, image), rows, values);
            ASSERT_FALSE(values.isEmpty());
            EXPECT_EQ(values.first().y, c.upperY);
            EXPECT_TRUE(std::any_of(values.begin(), values.end(), [&](const auto& v) { return v.y == c.lowerY; }));

            const std::vector<int> entries = Rows(c);
            size_t nextBlankField = 0;
            int paired = 0, lastEntry = Blank;
            for (int r = 0; r < rows.size(); ++r) {
                const int e = entries[static_cast<size_t>(r)];
                if (e != Blank) lastEntry = e;
                Field want{e, e, 10500};
                if (e == Blank && lastEntry == 176 && nextBlankField < c.blankLineFields.size())
                    want = c.blankLineFields[nextBlankField++];
                else if (e == Blank || e == Rule)
                    continue;
                else if (c.fields.count(e))
                    want = c.fields.at(e);
                // The values' anchors sit within a third of a 240-twip line of their rows.
                QList<FakePrinter::Line> beside;
                for (const FakePrinter::Line& v : values)
                    if (std::abs(v.y - rows[r].y) <= 80) beside << v;
                ASSERT_EQ(beside.size(), 1) << "row " << r << ", entry " << e;
                EXPECT_EQ(beside[0].text, Value_Text(want, image)) << "entry " << e;
                EXPECT_EQ(beside[0].x, want.x) << "entry " << e;
                EXPECT_EQ(beside[0].color, rows[r].color) << "entry " << e;
                ++paired;
            }
            EXPECT_EQ(paired, values.size());
        }
    }
}

TEST_F(ReportPages, EachShownByteChangesExactlyOneLine)
{
    for (const Page_Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::set<int> notShown;
        for (const auto& r : c.notShown)
            for (int b = r.first; b <= r.second; ++b) notShown.insert(b);
        const Image base = Read_Test_Image(c.image);
        const QStringList before = Print(c, base).texts();
        for (int b = 0; b < 256; ++b) {
            Image changed = base;
            changed[static_cast<size_t>(b)] ^= 0x5A;
            const QStringList after = Print(c, changed).texts();
            ASSERT_EQ(after.size(), before.size());
            int differing = 0;
            for (int i = 0; i < before.size(); ++i) differing += before[i] != after[i];
            EXPECT_EQ(differing, notShown.count(b) ? 0 : 1) << "byte " << b;
        }
    }
}

TEST_F(ReportPages, FailuresStopThePageAndKeepWhatWasPrinted)
{
    for (const Page_Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const int beforeValues = 5 + static_cast<int>(Rows(c).size());
        struct Run {
            int closeAfter, readFailsAfter, printerFailsAt;
            int linesKept;
        } runs[] = {{0, -1, -1, 0}, {11, -1, -1, beforeValues + 10}, {-1, 3, -1, beforeValues + 3}, {-1, -1, 7, 7}};
        for (const Run& run : runs) {
            ImageDocument doc;
            doc.failAfterGetValues = run.readFailsAfter;
            OneDocumentMain main(&doc);
            main.closeAfter = run.closeAfter;
            FakePrinter printer;
            printer.failAtLine = run.printerFailsAt;
            EXPECT_ANY_THROW(c.print(printer, main));
            EXPECT_EQ(printer.log->lines.size(), run.linesKept);
        }
        // A whole page asks for the document before each call on it and ends blue at 12 points.
        ImageDocument doc;
        OneDocumentMain main(&doc);
        FakePrinter printer;
        c.print(printer, main);
        EXPECT_EQ(main.calls, doc.getValueCalls + 1);
        EXPECT_TRUE(printer.fontSize() == 12 && !printer.bold() && !printer.underline());
        EXPECT_EQ(printer.foreColor(), Report_Blue);
        EXPECT_EQ(printer.log->endDocCount, 0);
    }
}
