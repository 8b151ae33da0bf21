// The main window's burner operations and the three timers of the burner link.
#include "shell/frm_main.h"

#include <QTimer>

void frmMain::STATUSIC() {}
void frmMain::StopTimer2() { Timer2->stop(); }
void frmMain::ReadIC() {}
void frmMain::ReadModule() {}
void frmMain::ProgramIC() {}
void frmMain::VerifyIc() {}
void frmMain::VcopyIc() {}
void frmMain::BlankIC() {}
void frmMain::EraseIC() {}
void frmMain::Read_Command() {}
void frmMain::Copy_Command() {}
void frmMain::Verify_Command() {}
void frmMain::Mcopy_Command() {}
void frmMain::EN_KEY_Command() {}
void frmMain::DIS_KEY_Command() {}
void frmMain::Auto_Command(bool) {}
void frmMain::SNUM_P_Command() {}
void frmMain::SNUM_N_Command() {}
void frmMain::Timer1_Timer() {}
void frmMain::Timer2_Timer() { Timer2->stop(); }
void frmMain::Timer3_Timer() { Timer3->stop(); }
