#include "wizard/warez_encoders.h"

#include "spd_document/document_api.h"
#include "spd_document/globals.h"
#include "spd_document/main_form_api.h"
#include "wizard/encode_ddr2.h"
#include "wizard/encode_ddr3.h"

namespace wizard {

namespace {

// Plays writes into the main window's active document. The document is asked for anew
// before every call; a call that finds none (the document has gone away meanwhile) is
// skipped.
class Active_Document {
public:
    explicit Active_Document(MainFormApi& main) : main_(main) {}

    bool exists() const { return main_.ActiveDocument() != nullptr; }

    void write(const Byte_Writes& writes)
    {
        for (const Byte_Write& w : writes) {
            if (DocumentApi* doc = main_.ActiveDocument()) doc->Value_Chang(w.index, w.value);
        }
    }

    void checksum()
    {
        if (DocumentApi* doc = main_.ActiveDocument()) doc->cal_chksum63();
    }

    // Has the document decode every byte into its panels, after the last write.
    void decodeAll()
    {
        for (int i = 0; i <= 255; ++i) {
            if (DocumentApi* doc = main_.ActiveDocument()) doc->table_chang(i);
        }
    }

private:
    MainFormApi& main_;
};

} // namespace

void ddr2_set(MainFormApi& main)
{
    Active_Document doc(main);
    if (!doc.exists() || !Is_Ddr2_Image_Type(Warez_Param[WP_Mem_Type])) return;

    doc.write(Ddr2_Head_Writes(Warez_Param));
    // The encoder keeps the ID text it works with in the wizard record.
    Warez_Info[0] = Ddr2_Id_Text(Warez_Info[0]);
    doc.checksum();
    doc.write(Ddr2_Jedec_Id_Writes(Warez_Info[0]));
    doc.write(Part_Number_Writes(Warez_Info[1], 73));
    doc.decodeAll();
}

void ddr3_set(MainFormApi& main)
{
    Active_Document doc(main);
    if (!doc.exists()) return;

    Warez_Info[0] = Ddr3_Id_Text(Warez_Info[0]);
    doc.write(Ddr3_Image_Writes(Warez_Param, Warez_Info[0], Warez_Info[1]));
    doc.decodeAll();
}

} // namespace wizard
