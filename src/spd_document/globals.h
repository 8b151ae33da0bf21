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

// Wizard record.
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
