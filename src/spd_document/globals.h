#pragma once
// The program's global state: one instance of each, created at start-up and kept until exit.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class MainFormApi;

// Application title (message boxes without a caption of their own) and program title.
inline const QString kAppTitle = QStringLiteral("Morrowbyte");
inline const QString kProgramTitle = QStringLiteral("Morrowburn");

// Cell colours as 0xBBGGRR.
constexpr uint32_t Color_Selected = 0x0000FF;
constexpr uint32_t Color_Edited = 0x00FFFF;
constexpr uint32_t Color_Same = 0x80C0FF;
constexpr uint32_t Color_Diff = 0x00FF00;
constexpr uint32_t Color_Diff2 = 0xFFFF00;

extern MainFormApi* Main_Form;
extern bool Admin_LoggedIn;
extern int16_t Num_Mode;        // 0 decimal, 1 hexadecimal guided entry
extern uint8_t Com_Port;        // 1..4
extern int16_t Fill_Start;      // first byte of a row fill, shared by all documents
extern int16_t Status_Query;    // 1 while a new document asks the burner for its status
extern bool Prog_Frame_Ready;   // set by the 120 ms pacing timer
extern QString jedec_name;      // last looked-up manufacturer name

// Wizard record. The slots of Warez_Param, as the wizard's pages fill them and the encoders
// read them:
enum Warez_Slot : int {
    WP_Mem_Type = 0,        // 1 SDRAM, 2 DDR, 3 DDR2, 4 DDR3
    WP_Speed_Grade = 1,     // speed-grade code 1..16 (memory type and grade together)
    WP_Ecc = 2,             // 1 without ECC, 2 with
    WP_Row_Bits = 3,        // row address bits of the DRAM
    WP_Column_Bits = 4,     // column address bits of the DRAM
    WP_Sides = 5,           // module sides (ranks): 1 or 2
    WP_Cas_Item = 6,        // position of the chosen CAS-latency item, -1 when none
    WP_tRP = 7,             // tRP in clocks
    WP_tRCD = 8,            // tRCD in clocks
    WP_tRAS = 9,            // tRAS in clocks
    WP_Data_Width = 10,     // DRAM data width: 0 x4, 1 x8, 2 x16
    WP_Dram_Size = 11,      // position of the chosen DRAM size, 0 "8 Mb" upwards
    WP_Unused = 12,         // not used; 0 at every hand-off
    WP_Module_Density = 13, // module bank density code (16, 32, 64, 128, 1 or 2)
    WP_Banks = 14,          // banks of each DRAM: 4 or 8
    WP_Refresh = 15,        // refresh code: 78 or 156
};
extern std::array<int16_t, 16> Warez_Param;
extern std::array<QString, 3> Warez_Info;
extern bool Warez_OK;

// Byte-name tables (filled at start-up, read-only afterwards).
extern std::array<QString, 256> SD_Byte_Name;
extern std::array<QString, 256> DDR_Byte_Name;
extern std::array<QString, 256> DDR2_Byte_Name;
extern std::array<QString, 256> DDR3_Byte_Name;
extern std::array<QString, 256> RAMBUS_Byte_Name;

// Print-line tables: bytes 0-255, column header at 256, rule at 257.
extern std::array<QString, 258> SD_Print_Line;
extern std::array<QString, 258> DDR_Print_Line;
extern std::array<QString, 258> DDR2_Print_Line;
extern std::array<QString, 258> DDR3_Print_Line;

// Puts every global back to its start-up value (tests).
void Reset_Globals();
