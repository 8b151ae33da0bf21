#pragma once
// The wizard's fixed choices: the speed-grade captions of each memory type, the four
// timing lists of the timing page with the items preselected for each speed grade, and
// the DRAM data-width list. The wizard window shows them; the encoders read a stored
// CAS-latency position against the same list.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Memory types as the wizard record stores them in Warez_Param[WP_Mem_Type].
enum Warez_Mem_Type : int { Warez_SDRAM = 1, Warez_DDR = 2, Warez_DDR2 = 3, Warez_DDR3 = 4 };

// Speed-grade codes run 1 to 16: 4 x (type - 1) + option position + 1.
constexpr int Speed_Grade_Code(int memType, int optionPosition) { return 4 * (memType - 1) + optionPosition + 1; }
// The memory type of a speed-grade code 1..16 (0 for any other value).
constexpr int Speed_Grade_Type(int code) { return code >= 1 && code <= 16 ? (code - 1) / 4 + 1 : 0; }
// The option caption of a speed-grade code 1..16 ("" for any other value). Code 11 ends in
// a blank: "667 MHz(PC2-5200) ".
QString Speed_Grade_Caption(int code);
// The caption of the speed frame of a memory type 1..4 ("SDRAM模組速度", ...).
QString Speed_Frame_Caption(int memType);

// The four drop-down lists of the timing page, in the order the wizard fills them.
enum class Timing_List { tCL = 0, tRP = 1, tRCD = 2, tRAS = 3 };

// The items of a timing list for a memory type 1..4 (empty for any other type).
QStringList Timing_List_Items(int memType, Timing_List list);
// The clock count of the first item of the tRP, tRCD and tRAS lists (each later item is
// one clock more): tRP/tRCD 2, 2, 3, 4 and tRAS 4, 5, 7, 12 for SDRAM, DDR, DDR2, DDR3.
// 0 for tCL or an unknown type.
int Timing_List_First_Clocks(int memType, Timing_List list);
// The positions preselected for a speed-grade code, in the order tCL, tRP, tRCD, tRAS;
// none for codes outside 1..16.
std::optional<std::array<int, 4>> Timing_Preselection(int code);

// The DRAM data-width list: "x 4", "x 8", "x 16" (positions 0, 1, 2).
QStringList Data_Width_Items();
