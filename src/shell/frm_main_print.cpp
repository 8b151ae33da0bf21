// The print command.
#include "shell/frm_main.h"

void frmMain::mnuFilePrint_Click() {}
