// File commands of the main window: open, save, save as and the recent-files list.
#include "shell/frm_main.h"

void frmMain::mnuFileOpen_Click() {}
void frmMain::mnuFileMRU_Click(int) {}
bool frmMain::mnuFileSave_Click() { return false; }
void frmMain::mnuFileSaveAs_Click() {}
void frmMain::Load_History() {}
