// The SPD wizard's hand-off: the new document's cells and the encoders.
#include "shell/frm_main.h"
#include "wizard/warez_encoders.h"

void frmMain::warez_set() {}
void frmMain::ddr2_set() { wizard::ddr2_set(*this); }
void frmMain::ddr3_set() { wizard::ddr3_set(*this); }
