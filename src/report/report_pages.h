#pragma once
// The four report pages. Each prints the active document's image as one page: the web
// address, the file name, the column header, one description line per byte or field of
// its memory type (from its print-line table), and each byte's value in hex beside it.
// The descriptions print in one column, a value never over its description, and a part
// number's control bytes as blanks.
// A page reads the document only through the main window's active document, which it asks
// for anew before every call, and changes nothing but the printer. It neither starts a
// new page nor ends the printer document.
#include <cstdint>
#include <stdexcept>

class MainFormApi;
class Printer;

namespace report {

// A page that cannot go on (no active document) stops with this; what it printed so far
// stays printed.
class Report_Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// SDRAM page (SD_Print_Line).
void SDR_PRINTER(Printer& printer, MainFormApi& main);
// DDR page (DDR_Print_Line), also the page of images whose byte 2 names no known type.
void DDR_PRINTER(Printer& printer, MainFormApi& main);
// DDR2 page (DDR2_Print_Line).
void DDR2_PRINTER(Printer& printer, MainFormApi& main);
// DDR3 page (DDR3_Print_Line): the only page that prints bytes 128-255.
void DDR3_PRINTER(Printer& printer, MainFormApi& main);

enum class Report_Page { SDRAM, DDR, DDR2, DDR3 };

// The page for an image's SPD byte 2: 4 SDRAM, 8 DDR2, 11 DDR3, any other value DDR.
Report_Page Report_Page_For(uint8_t byte2);

} // namespace report
