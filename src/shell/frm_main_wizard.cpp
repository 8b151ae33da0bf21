// The SPD wizard's hand-off: the wizard window, the new document's cells and the encoders.
#include "shell/frm_main.h"

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "spd_document/document_api.h"
#include "spd_document/globals.h"
#include "spd_document/ui/frm_document.h"
#include "spd_files/spd_file_formats.h"
#include "wizard/ui/frmwarez1.h"
#include "wizard/warez_encoders.h"

void frmMain::Show_Warez_Wizard()
{
    // A new window for every run, without an owner; Cancel and Finish close it.
    Frmwarez1 wizard;
    if (Dialogs* dialogs = platform().dialogs) dialogs->showModal(&wizard);
}

void frmMain::warez_set()
{
    // The cells the encoder fills show Color_Diff: bytes 0-63 of the 128-byte layouts,
    // 0-127 of DDR3. They are painted first; writing a byte keeps its cell's colour.
    const bool ddr3 = Warez_Param[WP_Mem_Type] >= 4;
    const int16_t last = ddr3 ? 127 : 63;
    for (int16_t i = 0; i <= last; ++i)
        if (DocumentApi* doc = ActiveDocument()) doc->Set_Value_color_diff(i);
    if (ddr3)
        ddr3_set();
    else
        ddr2_set();
    // The finished image keeps the check value of its type, as opening a file of that type
    // picks it, and is decoded once more as a whole like every loaded image.
    if (frmDocument* doc = ActiveForm()) {
        doc->SetOptcrc(0);
        doc->SetOptcrc(Type_Key_Optcrc(doc->Get_Value(2)));
        doc->Image_Loaded();
    }
}

void frmMain::ddr2_set() { wizard::ddr2_set(*this); }
void frmMain::ddr3_set() { wizard::ddr3_set(*this); }
