#include "report/report_pages.h"

#include "platform/printer.h"
#include "report/print_lines.h"
#include "report/report_texts.h"
#include "spd_document/document_api.h"
#include "spd_document/globals.h"
#include "spd_document/main_form_api.h"
#include "spd_document/spd_record.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <utility>
#include <vector>

namespace report {

namespace {

using Print_Table = std::array<QString, 258>;

// Fixed places of the page frame, in twips, and its font sizes in points.
constexpr double Web_Address_Points = 8;
constexpr double Page_Points = 12;
constexpr int Web_Address_Y = 200;
constexpr int Web_Address_X = 9500;
constexpr int Hex_Title_X = 10300;
constexpr int Hex_X = 10500;

// A description row's colour: the other of red and blue than the row before, a fixed
// colour, or whatever the printer has.
enum class Row_Colour { Alternate, Red, Blue, Green, Keep };

// A description row that prints a blank line (two blanks) instead of a table entry.
constexpr int Blank_Line = -1;

struct Row {
    int entry;
    Row_Colour colour;
};

enum class Hex_Kind { Byte, Field, Part_Number };

// One line of the lower hex section: what it shows, where and in which colour.
struct Hex_Line {
    Hex_Kind kind;
    int first;
    int last;
    int x;
    uint32_t colour;
};

struct Page_Layout {
    const Print_Table& table;
    int fileNameY;
    int headerY;
    std::vector<Row> rows;            // description pass, in print order
    int upperY;
    std::vector<int> upperBytes;      // one hex line each at Hex_X, alternating colours
    int lowerY;
    std::vector<Hex_Line> lowerLines; // consecutive lines from lowerY
    std::map<int, int> upperFields{}; // upper bytes that begin a field of several: its last byte
};

void Add_Run(std::vector<Row>& rows, int first, int last, Row_Colour colour)
{
    for (int entry = first; entry <= last; ++entry) rows.push_back({entry, colour});
}

void Add_Rows(std::vector<Row>& rows, std::initializer_list<Row> more)
{
    rows.insert(rows.end(), more.begin(), more.end());
}

std::vector<int> Byte_Runs(std::initializer_list<std::pair<int, int>> runs)
{
    std::vector<int> bytes;
    for (const auto& run : runs)
        for (int b = run.first; b <= run.second; ++b) bytes.push_back(b);
    return bytes;
}

constexpr auto Alt = Row_Colour::Alternate;
constexpr auto Red = Row_Colour::Red;
constexpr auto Blue = Row_Colour::Blue;
constexpr auto Keep = Row_Colour::Keep;

Page_Layout SDRAM_Layout()
{
    Page_Layout page{SD_Print_Line, 800, 1340, {}, 1810, {}, 12850, {}};
    Add_Run(page.rows, 0, 36, Alt);
    Add_Rows(page.rows, {{41, Red}, {42, Blue}, {62, Red}, {63, Blue},
                         {Blank_Line, Keep}, {Blank_Line, Keep}, {Blank_Line, Keep}, {Blank_Line, Keep},
                         {Print_Line_Rule, Blue},
                         {64, Red}, {72, Blue}, {73, Red}, {91, Blue}, {93, Red}, {94, Blue}, {95, Red},
                         {99, Blue}, {126, Red}, {127, Blue},
                         {Print_Line_Rule, Row_Colour::Green}});
    page.upperBytes = Byte_Runs({{0, 36}, {41, 42}, {62, 63}});
    page.lowerLines = {
        {Hex_Kind::Field, 64, 71, 8920, Report_Red},
        {Hex_Kind::Byte, 72, 72, Hex_X, Report_Blue},
        {Hex_Kind::Part_Number, 73, 90, 8550, Report_Red},
        {Hex_Kind::Field, 91, 92, 10270, Report_Blue},
        {Hex_Kind::Byte, 93, 93, Hex_X, Report_Red},
        {Hex_Kind::Byte, 94, 94, Hex_X, Report_Blue},
        {Hex_Kind::Field, 95, 98, 9830, Report_Red},
        {Hex_Kind::Field, 99, 125, 4660, Report_Blue},
        {Hex_Kind::Byte, 126, 126, Hex_X, Report_Red},
        {Hex_Kind::Byte, 127, 127, Hex_X, Report_Blue},
    };
    return page;
}

// The lower section shared by the DDR and DDR2 pages (bytes 64-127); the two differ in the
// X of the manufacturer ID.
std::vector<Hex_Line> DDR_Lower_Lines(int idX)
{
    return {
        {Hex_Kind::Field, 64, 71, idX, Report_Red},
        {Hex_Kind::Byte, 72, 72, Hex_X, Report_Blue},
        {Hex_Kind::Part_Number, 73, 90, 8550, Report_Red},
        {Hex_Kind::Field, 91, 92, 10270, Report_Blue},
        {Hex_Kind::Byte, 93, 93, Hex_X, Report_Red},
        {Hex_Kind::Byte, 94, 94, Hex_X, Report_Blue},
        {Hex_Kind::Field, 95, 98, 9830, Report_Red},
        {Hex_Kind::Field, 99, 127, 4220, Report_Blue},
    };
}

// Rows 64 to 99 of the DDR and DDR2 pages, and their closing rule in the colour row 99
// left.
void Add_DDR_Lower_Rows(std::vector<Row>& rows)
{
    Add_Rows(rows, {{64, Red}, {72, Blue}, {73, Red}, {91, Blue}, {93, Red}, {94, Blue}, {95, Red},
                    {99, Blue}, {Print_Line_Rule, Keep}});
}

Page_Layout DDR_Layout()
{
    Page_Layout page{DDR_Print_Line, 800, 1340, {}, 1800, {}, 13350, {}};
    Add_Run(page.rows, 0, 36, Alt);
    Add_Run(page.rows, 41, 46, Alt);
    Add_Rows(page.rows, {{62, Red}, {63, Blue}, {Blank_Line, Keep}, {Blank_Line, Keep},
                         {Print_Line_Rule, Blue}});
    Add_DDR_Lower_Rows(page.rows);
    page.upperBytes = Byte_Runs({{0, 36}, {41, 46}, {62, 63}});
    page.lowerLines = DDR_Lower_Lines(8920);
    return page;
}

Page_Layout DDR2_Layout()
{
    Page_Layout page{DDR2_Print_Line, 600, 1140, {}, 1620, {}, 13880, {}};
    Add_Run(page.rows, 0, 47, Alt);
    Add_Rows(page.rows, {{62, Blue}, {63, Red}, {Print_Line_Rule, Blue}});
    Add_DDR_Lower_Rows(page.rows);
    page.upperBytes = Byte_Runs({{0, 47}, {62, 63}});
    page.lowerLines = DDR_Lower_Lines(8900);
    return page;
}

Page_Layout DDR3_Layout()
{
    Page_Layout page{DDR3_Print_Line, 900, 1500, {}, 2020, {}, 13770, {}};
    Add_Run(page.rows, 0, 31, Alt);
    Add_Rows(page.rows, {{32, Blue},
                         {60, Red}, {61, Blue}, {62, Red}, {63, Blue}, {64, Red},
                         {117, Blue}, {118, Red}, {119, Blue}, {120, Red}, {121, Blue}, {122, Red},
                         {126, Blue}, {127, Red},
                         {Blank_Line, Keep}, {Blank_Line, Keep},
                         {Print_Line_Rule, Blue},
                         {128, Blue}, {146, Red}, {148, Blue}, {150, Red}, {176, Blue},
                         // The two lines after entry 176 carry the rest of its field's hex.
                         {Blank_Line, Blue}, {Blank_Line, Keep}, {Blank_Line, Keep},
                         {Print_Line_Rule, Keep}});
    page.upperBytes = Byte_Runs({{0, 32}, {60, 64}, {117, 122}, {126, 127}});
    page.upperFields = {{122, 125}};   // the module serial number, whole
    page.lowerLines = {
        {Hex_Kind::Field, 128, 145, 6670, Report_Blue},
        {Hex_Kind::Field, 146, 147, 10270, Report_Red},
        {Hex_Kind::Field, 148, 149, 10270, Report_Blue},
        {Hex_Kind::Field, 150, 175, 4870, Report_Red},
        {Hex_Kind::Field, 176, 191, 7120, Report_Blue},
        {Hex_Kind::Field, 192, 223, 3500, Report_Blue},
        {Hex_Kind::Field, 224, 255, 3500, Report_Blue},
    };
    return page;
}

// ---- reading the active document

DocumentApi& Active_Document(MainFormApi& main)
{
    DocumentApi* doc = main.ActiveDocument();
    if (!doc) throw Report_Error("no active document");
    return *doc;
}

uint8_t Read_Byte(MainFormApi& main, int index)
{
    return Active_Document(main).Get_Value(static_cast<int16_t>(index));
}

std::vector<uint8_t> Read_Bytes(MainFormApi& main, int first, int last)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(last - first + 1));
    for (int b = first; b <= last; ++b) bytes.push_back(Read_Byte(main, b));
    return bytes;
}

QString Hex_Line_Text(MainFormApi& main, const Hex_Line& line)
{
    switch (line.kind) {
    case Hex_Kind::Byte:
        return Hex_Byte_Text(Read_Byte(main, line.first));
    case Hex_Kind::Field:
        return Field_Text(Read_Bytes(main, line.first, line.last));
    case Hex_Kind::Part_Number:
        return Part_Number_Text(Read_Bytes(main, line.first, line.last));
    }
    return QString();
}

// ---- printing

// Red becomes blue and blue red; the colour is read back from the printer.
void Alternate_Colour(Printer& printer)
{
    const uint32_t colour = printer.foreColor();
    if (colour == Report_Red)
        printer.setForeColor(Report_Blue);
    else if (colour == Report_Blue)
        printer.setForeColor(Report_Red);
}

void Apply_Colour(Printer& printer, Row_Colour colour)
{
    switch (colour) {
    case Row_Colour::Alternate: Alternate_Colour(printer); break;
    case Row_Colour::Red: printer.setForeColor(Report_Red); break;
    case Row_Colour::Blue: printer.setForeColor(Report_Blue); break;
    case Row_Colour::Green: printer.setForeColor(Report_Green); break;
    case Row_Colour::Keep: break;
    }
}

// Web address, file name, "HEX" and the column header on one line, then the top rule.
void Print_Page_Header(Printer& printer, MainFormApi& main, const Page_Layout& page)
{
    const QString fileName = Report_File_Name(Active_Document(main).Caption());

    printer.setFontSize(Web_Address_Points);
    printer.setCurrentY(Web_Address_Y);
    printer.setCurrentX(Web_Address_X);
    printer.setFontUnderline(true);
    printer.setForeColor(Report_Red);
    printer.printLine(Report_Web_Address);
    printer.setFontUnderline(false);

    printer.setForeColor(Report_Blue);
    printer.setFontSize(Page_Points);
    printer.setCurrentY(page.fileNameY);
    printer.setFontBold(true);
    printer.printLine(Report_File_Label + fileName);
    printer.setFontBold(false);

    printer.setCurrentY(page.headerY);
    printer.setCurrentX(Hex_Title_X);
    printer.printLine(Report_Hex_Title);
    printer.setCurrentY(page.headerY);
    printer.printLine(page.table[Print_Line_Header]);
    printer.printLine(page.table[Print_Line_Rule]);
}

// Where a printed description row stands and where its text ends, in twips.
struct Printed_Row {
    int y;
    int end;
};

// The byte rows print with their descriptions all in one column.
std::vector<Printed_Row> Print_Descriptions(Printer& printer, const Page_Layout& page)
{
    static const QString blankLine = QStringLiteral("  ");
    std::vector<Printed_Row> printed;
    printer.setForeColor(Report_Red);
    for (const Row& row : page.rows) {
        Apply_Colour(printer, row.colour);
        QString text = blankLine;
        if (row.entry == Print_Line_Rule)
            text = page.table[Print_Line_Rule];
        else if (row.entry != Blank_Line)
            text = Aligned_Row_Text(page.table[static_cast<size_t>(row.entry)]);
        QString shown = text; // blanks at the end print nothing
        while (!shown.isEmpty() && shown.back() == QLatin1Char(' ')) shown.chop(1);
        printed.push_back({printer.currentY(), printer.textWidth(shown)});
        printer.printLine(text);
    }
    return printed;
}

// The X of a value: where the page puts it, or one blank after the end of the description
// on its line when that description reaches further (the long field beside "Manufacturer's
// Specific Data", the longest DDR3 descriptions), so a value never prints over its row.
int Value_X(const Printer& printer, const std::vector<Printed_Row>& rows, int x)
{
    // A value's anchor lies within half a 12-point line of its row.
    constexpr int Same_Line = 120;
    const int y = printer.currentY();
    for (const Printed_Row& row : rows)
        if (std::abs(row.y - y) < Same_Line && row.end > 0)
            x = std::max(x, row.end + printer.textWidth(QStringLiteral(" ")));
    return x;
}

// The hex column: the upper section lines up with the single-byte rows from its own
// anchor, the lower section with the fields from another, so each value stands beside its
// description whatever the rows between them.
void Print_Hex_Values(Printer& printer, MainFormApi& main, const Page_Layout& page, const std::vector<Printed_Row>& rows)
{
    printer.setForeColor(Report_Red);
    printer.setCurrentY(page.upperY);
    for (int b : page.upperBytes) {
        const auto field = page.upperFields.find(b);
        const QString text = field == page.upperFields.end() ? Hex_Byte_Text(Read_Byte(main, b))
                                                             : Field_Text(Read_Bytes(main, b, field->second));
        Alternate_Colour(printer);
        printer.setCurrentX(Value_X(printer, rows, Hex_X));
        printer.printLine(text);
    }

    bool first = true;
    for (const Hex_Line& line : page.lowerLines) {
        const QString text = Hex_Line_Text(main, line);
        printer.setForeColor(line.colour);
        if (first) printer.setCurrentY(page.lowerY);
        first = false;
        printer.setCurrentX(Value_X(printer, rows, line.x));
        printer.printLine(text);
    }
}

void Print_Page(Printer& printer, MainFormApi& main, const Page_Layout& page)
{
    Print_Page_Header(printer, main, page);
    const std::vector<Printed_Row> rows = Print_Descriptions(printer, page);
    Print_Hex_Values(printer, main, page, rows);
}

} // namespace

void SDR_PRINTER(Printer& printer, MainFormApi& main) { Print_Page(printer, main, SDRAM_Layout()); }
void DDR_PRINTER(Printer& printer, MainFormApi& main) { Print_Page(printer, main, DDR_Layout()); }
void DDR2_PRINTER(Printer& printer, MainFormApi& main) { Print_Page(printer, main, DDR2_Layout()); }
void DDR3_PRINTER(Printer& printer, MainFormApi& main) { Print_Page(printer, main, DDR3_Layout()); }

Report_Page Report_Page_For(uint8_t byte2)
{
    switch (byte2) {
    case 4: return Report_Page::SDRAM;
    case 8: return Report_Page::DDR2;
    case 11: return Report_Page::DDR3;
    default: return Report_Page::DDR;
    }
}

} // namespace report
