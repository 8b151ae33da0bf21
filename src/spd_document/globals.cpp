#include "spd_document/globals.h"

MainFormApi* Main_Form = nullptr;
bool Admin_LoggedIn = false;
int16_t Num_Mode = 0;
uint8_t Com_Port = 1;
int16_t Fill_Start = 255;
int16_t Status_Query = 0;
bool Prog_Frame_Ready = false;
QString jedec_name;

std::array<int16_t, 16> Warez_Param{};
std::array<QString, 3> Warez_Info;
bool Warez_OK = false;

std::array<QString, 256> SD_Byte_Name;
std::array<QString, 256> DDR_Byte_Name;
std::array<QString, 256> DDR2_Byte_Name;
std::array<QString, 256> DDR3_Byte_Name;
std::array<QString, 256> RAMBUS_Byte_Name;

std::array<QString, 258> SD_Print_Line;
std::array<QString, 258> DDR_Print_Line;
std::array<QString, 258> DDR2_Print_Line;
std::array<QString, 258> DDR3_Print_Line;

void Reset_Globals()
{
    Main_Form = nullptr;
    Admin_LoggedIn = false;
    Num_Mode = 0;
    Com_Port = 1;
    Fill_Start = 255;
    Status_Query = 0;
    Prog_Frame_Ready = false;
    jedec_name.clear();
    Warez_Param.fill(0);
    for (auto& s : Warez_Info) s.clear();
    Warez_OK = false;
}
