// The main window's dialogs: administrator login and password set-up, settings, About,
// the maker's web site and the error-report mail.
#include "shell/frm_main.h"

void frmMain::Admin_Dialog() {}
void frmMain::Password_Change() {}
void frmMain::mnuViewOptions_Click() {}
void frmMain::mnuViewWebBrowser_Click() {}
void frmMain::mnuHelpContents_Click() {}
void frmMain::mnuHelpAbout_Click() {}
