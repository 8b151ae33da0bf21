#include "wizard/wizard_pages.h"

#include "spd_document/globals.h"
#include "wizard/encode_common.h"
#include "wizard/wizard_geometry.h"
#include "wizard/wizard_lists.h"

#include <utility>

namespace {

bool Known_Type(int memType) { return memType >= Warez_SDRAM && memType <= Warez_DDR3; }

} // namespace

QString Trim_Blanks(const QString& text)
{
    int first = 0;
    int last = static_cast<int>(text.size()) - 1;
    while (first <= last && text[first] == QLatin1Char(' ')) ++first;
    while (last >= first && text[last] == QLatin1Char(' ')) --last;
    return text.mid(first, last - first + 1);
}

Warez_Pages::Warez_Pages()
{
    // As the window opens: only the memory-type page shows.
    Frame_Visible.fill(false);
    Show(Wizard_Frame::Frame1, true);
}

int* Warez_Pages::Speed_Group(int memType)
{
    switch (memType) {
    case Warez_SDRAM: return &optRamTypeSDR;
    case Warez_DDR: return &optRamTypeDDR;
    case Warez_DDR2: return &optRamTypeDDR2;
    case Warez_DDR3: return &optRamTypeDDR3;
    default: return nullptr;
    }
}

int Warez_Pages::Speed_Option(int memType) const
{
    switch (memType) {
    case Warez_SDRAM: return optRamTypeSDR;
    case Warez_DDR: return optRamTypeDDR;
    case Warez_DDR2: return optRamTypeDDR2;
    case Warez_DDR3: return optRamTypeDDR3;
    default: return -1;
    }
}

void Warez_Pages::Form_Load()
{
    Page_Counter = 0;
    if (Warez_Param[WP_Mem_Type] == 0) optRamType = 0;
    Command2_Enabled = false;
    Command4_Enabled = false;
}

void Warez_Pages::Command2_Click()
{
    if (!Command2_Enabled) return;
    --Page_Counter;
    step1();
}

void Warez_Pages::Command3_Click()
{
    if (!Command3_Enabled) return;
    // The module-parameter page goes on only with a device that the memory type has.
    Geometry_Message.clear();
    const int t = Warez_Param[WP_Mem_Type];
    if (Page_Counter == 2 && !Dram_Geometry_For(t, CboSize.ListIndex, CboDataWidth.ListIndex)) {
        Geometry_Message = Dram_Device_Refused(t, CboSize.ListIndex, CboDataWidth.ListIndex);
        return;
    }
    ++Page_Counter;
    step1();
}

void Warez_Pages::Command4_Click()
{
    if (!Command4_Enabled) return;
    Info_Message.clear();
    if (!wizard::Jedec_Id_Text_Accepted(Warez_Param[WP_Mem_Type], Trim_Blanks(Text1))) {
        Info_Message = wizard::Jedec_Id_Text_Refused(Warez_Param[WP_Mem_Type]);
        return;
    }
    if (!wizard::Part_Number_Text_Accepted(Trim_Blanks(Text2))) {
        Info_Message = wizard::kPartNumberTextRefused;
        return;
    }
    Page_Counter = 5;
    Warez_OK = true;
    step1();
}

void Warez_Pages::step1()
{
    switch (Page_Counter) {
    case 0: Pass0(); break;
    case 1: Pass1(); break;
    case 2: Pass2(); break;
    case 3: Pass3(); break;
    case 4: Pass4(); break;
    case 5: Pass5(); break;
    default: break;
    }
}

void Warez_Pages::Hide_Speed_Frames()
{
    for (int t = Warez_SDRAM; t <= Warez_DDR3; ++t) Show(Speed_Frame(t), false);
}

void Warez_Pages::Store_Mem_Type()
{
    // Options 0..3 stand for the types 1..4; with none chosen the record keeps its type.
    if (optRamType >= 0 && optRamType <= 3) Warez_Param[WP_Mem_Type] = static_cast<int16_t>(optRamType + 1);
}

void Warez_Pages::Pass0()
{
    Command4_Enabled = false;
    Command2_Enabled = false;
    Show(Wizard_Frame::Frame1, true);
    Hide_Speed_Frames();
    Store_Mem_Type();
}

void Warez_Pages::Pass1()
{
    Command4_Enabled = false;
    Command2_Enabled = true;
    Hide_Speed_Frames();
    Show(Wizard_Frame::fraDramIC, false);
    Store_Mem_Type();
    Show(Wizard_Frame::Frame1, false);

    const int t = Warez_Param[WP_Mem_Type];
    if (!Known_Type(t)) return;
    Show(Speed_Frame(t), true);
    // A grade of this type keeps the option the user chose; the first visit, or a grade
    // of another type (the type was changed), starts at the type's first grade.
    const int code = Warez_Param[WP_Speed_Grade];
    if (Speed_Grade_Type(code) != t) *Speed_Group(t) = 0;

    // The timing lists hold the type's items, rebuilt on every visit.
    const std::pair<Wizard_List*, Timing_List> lists[] = {
        { &cbotcl, Timing_List::tCL },
        { &cbotrp, Timing_List::tRP },
        { &cbotrcd, Timing_List::tRCD },
        { &cbotras, Timing_List::tRAS },
    };
    for (const auto& [list, which] : lists) {
        list->Clear();
        for (const QString& item : Timing_List_Items(t, which)) list->AddItem(item);
    }
}

void Warez_Pages::Pass2()
{
    Command3_Enabled = true;
    Command4_Enabled = false;
    Show(Wizard_Frame::fraDramTime, false);
    Hide_Speed_Frames();

    const int t = Warez_Param[WP_Mem_Type];
    const int option = Speed_Option(t);
    if (Known_Type(t) && option >= 0) Warez_Param[WP_Speed_Grade] = static_cast<int16_t>(Speed_Grade_Code(t, option));

    // The grade's usual timings; the 166 MHz SDRAM grade has none and the lists keep theirs.
    if (const auto pre = Timing_Preselection(Warez_Param[WP_Speed_Grade])) {
        cbotcl.Select((*pre)[0]);
        cbotrp.Select((*pre)[1]);
        cbotrcd.Select((*pre)[2]);
        cbotras.Select((*pre)[3]);
    }

    Show(Wizard_Frame::fraDramIC, true);
    CboDataWidth.Clear();
    for (const QString& item : Data_Width_Items()) CboDataWidth.AddItem(item);
    CboDataWidth.Select(1);
    CboDataWidth_Click();
}

void Warez_Pages::CboDataWidth_Click()
{
    CboSize.Clear();
    CboSide.Clear();
    for (const QString& item : Dram_Size_Items()) CboSize.AddItem(item);
    // The type's preselection, or the next larger size that names one of its devices at
    // this width (DDR3 has no 256 Mbit device: "64 Mb" x4 goes up to "128 Mb").
    const int type = Warez_Param[WP_Mem_Type];
    int size = Dram_Size_Preselection(type);
    while (size >= 0 && size < 5 && !Dram_Geometry_For(type, size, CboDataWidth.ListIndex)) ++size;
    CboSize.Select(size);
    for (const QString& item : Module_Side_Items()) CboSide.AddItem(item);
    CboSide.Select(0);
}

void Warez_Pages::Pass3()
{
    Command3_Enabled = true;
    Command4_Enabled = false;
    Show(Wizard_Frame::fraInfo, false);
    Show(Wizard_Frame::fraDramIC, false);
    Show(Wizard_Frame::fraDramTime, true);

    Warez_Param[WP_Banks] = 4;
    Warez_Param[WP_Refresh] = 78;
    Warez_Param[WP_Data_Width] = static_cast<int16_t>(CboDataWidth.ListIndex);
    Warez_Param[WP_Dram_Size] = static_cast<int16_t>(CboSize.ListIndex);
    if (const auto g = Dram_Geometry_For(Warez_Param[WP_Mem_Type], CboSize.ListIndex, CboDataWidth.ListIndex)) {
        Warez_Param[WP_Row_Bits] = g->rows;
        Warez_Param[WP_Column_Bits] = g->columns;
        Warez_Param[WP_Module_Density] = g->density;
        Warez_Param[WP_Banks] = g->banks;
        Warez_Param[WP_Refresh] = g->refresh;
    }
    Warez_Param[WP_Sides] = CboSide.ListIndex == 0 ? 1 : 2;
    Warez_Param[WP_Ecc] = Check1 ? 2 : 1;
}

void Warez_Pages::Pass4()
{
    Command3_Enabled = false;
    // An image needs every timing: Finish waits for a choice in each of the four lists.
    Command4_Enabled = cbotcl.ListIndex >= 0 && cbotrp.ListIndex >= 0 && cbotrcd.ListIndex >= 0 && cbotras.ListIndex >= 0;
    Show(Wizard_Frame::fraDramTime, false);
    Show(Wizard_Frame::fraInfo, true);
    Text1.clear();
    Text2.clear();
    Info_Message.clear();

    // Positions become clock counts by the first item's clocks; the CAS-latency position
    // stays a position, since one item may name several latencies. No choice reads -1.
    const int t = Warez_Param[WP_Mem_Type];
    Warez_Param[WP_Cas_Item] = static_cast<int16_t>(cbotcl.ListIndex);
    Warez_Param[WP_tRP] = static_cast<int16_t>(cbotrp.ListIndex + Timing_List_First_Clocks(t, Timing_List::tRP));
    Warez_Param[WP_tRCD] = static_cast<int16_t>(cbotrcd.ListIndex + Timing_List_First_Clocks(t, Timing_List::tRCD));
    Warez_Param[WP_tRAS] = static_cast<int16_t>(cbotras.ListIndex + Timing_List_First_Clocks(t, Timing_List::tRAS));
}

void Warez_Pages::Pass5()
{
    Warez_Info[0] = Trim_Blanks(Text1);
    Warez_Info[1] = Trim_Blanks(Text2);
}
