#pragma once
// Fillers of the five module-wide byte-name tables (SD_Byte_Name, DDR_Byte_Name,
// DDR2_Byte_Name, DDR3_Byte_Name, RAMBUS_Byte_Name in globals.h).
//
// Element k of a table is the English name of SPD byte k for that memory type. A field
// spanning several bytes carries its name on every byte of the field. Texts are plain
// names (no padding); the few leading or trailing blanks belong to the text. Each filler
// overwrites all 256 elements of its own table and touches nothing else.

void SD_Name_Init();
void DDR_Name_Init();
void DDR2_Name_Init();
void DDR3_Name_Init();
void RAMBUS_Name_Init();

// Start-up: fills all five tables in the order SD, DDR, DDR2, DDR3, RAMBUS.
void Fill_Byte_Name_Tables();
