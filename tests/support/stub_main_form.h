#pragma once
// A main window that does nothing: no active document, no save, every burner operation
// empty. Tests derive from it and override only what they watch.
#include "spd_document/main_form_api.h"

class StubMainFormBase : public MainFormApi {
public:
    DocumentApi* ActiveDocument() override { return nullptr; }
    bool mnuFileSave_Click() override { return false; }
    void STATUSIC() override {}
    void StopTimer2() override {}
    void ReadIC() override {}
    void ReadModule() override {}
    bool ProgramIC() override { return true; }
    void VerifyIc() override {}
    void VcopyIc() override {}
    void BlankIC() override {}
    void EraseIC() override {}
    void Read_Command() override {}
    void Copy_Command() override {}
    void Verify_Command() override {}
    void Mcopy_Command() override {}
    void EN_KEY_Command() override {}
    void DIS_KEY_Command() override {}
    void Auto_Command(bool) override {}
    void SNUM_P_Command() override {}
    void SNUM_N_Command() override {}
};
