#pragma once
// What documents, panels and dialogs call on the main window. frmMain implements it;
// tests may put a stand-in behind Main_Form.
#include <QString>

class DocumentApi;

class MainFormApi {
public:
    virtual ~MainFormApi() = default;

    // The active document, or nullptr.
    virtual DocumentApi* ActiveDocument() = 0;

    // File commands.
    virtual bool mnuFileSave_Click() = 0;   // true when the image was written

    // Burner operations.
    virtual void STATUSIC() = 0;
    virtual void StopTimer2() = 0;
    virtual void ReadIC() = 0;
    virtual void ReadModule() = 0;
    virtual bool ProgramIC() = 0;   // true when every frame of the download was sent
    virtual void VerifyIc() = 0;
    virtual void VcopyIc() = 0;
    virtual void BlankIC() = 0;
    virtual void EraseIC() = 0;
    virtual void Read_Command() = 0;
    virtual void Copy_Command() = 0;
    virtual void Verify_Command() = 0;
    virtual void Mcopy_Command() = 0;
    virtual void EN_KEY_Command() = 0;
    virtual void DIS_KEY_Command() = 0;
    virtual void Auto_Command(bool on) = 0;
    virtual void SNUM_P_Command() = 0;
    virtual void SNUM_N_Command() = 0;
    // True while a burner command waits with the event loop running: nothing may start
    // another command then.
    virtual bool Burner_Busy() const { return false; }
};
