#pragma once
// The print-line tables of the report pages (SD_Print_Line, DDR_Print_Line, DDR2_Print_Line,
// DDR3_Print_Line in the global module): one fixed description line per SPD byte or field,
// the column header and the rule. The fill operations write only fixed texts; no image
// value is involved.
#include <QString>
#include <array>

namespace report {

// Entry 0-255 is the line of that byte (a field sits at its first byte), then these two.
constexpr int Print_Line_Header = 256;
constexpr int Print_Line_Rule = 257;

// Each writes its own table: the header, the rule, then the byte lines in rising index.
// Entries of a field's other bytes are never written. Running one again writes the same.
void SD_Print_Init();
void DDR_Print_Init();
void DDR2_Print_Init();
void DDR3_Print_Init();

// All four, in the order the print command runs them.
void Print_Init_All();

} // namespace report
