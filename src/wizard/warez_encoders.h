#pragma once
// The two image encoders of the SPD wizard. Each reads the wizard record (Warez_Param,
// Warez_Info) and writes a new image into the main window's active document, which it
// asks for anew before every call on the document.
class MainFormApi;

namespace wizard {
// SDRAM, DDR and DDR2 modules (speed-grade codes 1 to 12): the 128-byte JEDEC layout.
void ddr2_set(MainFormApi& main);
// DDR3 modules (speed-grade codes 13 to 16): the 256-byte JEDEC DDR3 layout.
void ddr3_set(MainFormApi& main);
}
