#pragma once
// The SPD wizard's pages without widgets: the state of every control of the wizard window
// (which frame shows, which buttons are enabled, the option groups, the drop-down lists,
// the ECC box and the two text boxes), the page counter, and the page procedure step1
// with its passes, which move between the pages and copy the choices into the wizard
// record (Warez_Param, Warez_Info, Warez_OK). The window Frmwarez1 mirrors this state on
// its widgets; tests drive it directly.
//
// Pages: 0 memory type (Frame1), 1 speed grade (one speed frame per type), 2 module
// parameters (fraDramIC), 3 timings (fraDramTime), 4 manufacturer ID and part number
// (fraInfo). The pass for page n runs each time page n is entered, from either side, and
// stores the page before it; pass 5 runs on Finish and stores the two texts.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// A drop-down list that takes only its own items: the items and the position of the
// chosen one (-1 when none is chosen).
struct Wizard_List {
    QStringList items;
    int ListIndex = -1;

    void Clear()
    {
        items.clear();
        ListIndex = -1;
    }
    void AddItem(const QString& item) { items << item; }
    // A position outside the items leaves nothing chosen.
    void Select(int index) { ListIndex = (index >= 0 && index < items.size()) ? index : -1; }
};

// The frames of the page area; exactly one shows at a time.
enum class Wizard_Frame {
    Frame1 = 0,    // page 0, "模組種類"
    FraSDRFreq,    // page 1 for SDRAM
    FraDDRFreq,    // page 1 for DDR
    FraDDR2Freq,   // page 1 for DDR2
    FraDDR3freq,   // page 1 for DDR3
    fraDramIC,     // page 2
    fraDramTime,   // page 3
    fraInfo,       // page 4
};
constexpr int Wizard_Frame_Count = 8;

// The speed frame of a memory type 1..4.
constexpr Wizard_Frame Speed_Frame(int memType) { return static_cast<Wizard_Frame>(memType); }

class Warez_Pages {
public:
    Warez_Pages();

    // --- handlers ---
    // Page 0 with "SDRAM" chosen (when the record holds no type yet), Back and Finish off.
    void Form_Load();
    // Back, Next and Finish. A disabled button does nothing, as on screen. Next on the
    // module-parameter page with a size and width that name no device of the memory type
    // leaves Geometry_Message set and the page open, with nothing stored. Finish stores
    // the texts and sets Warez_OK; the window closes after it. Finish first checks the
    // texts: a manufacturer ID that names no JEP106 maker, or a part number with a
    // character outside printable ASCII, leaves Info_Message set and the information page
    // open, with nothing stored.
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    // A width chosen in CboDataWidth (by the user or by pass 2): size and sides are
    // refilled with the type's preselections.
    void CboDataWidth_Click();
    // The page procedure: runs the pass for the page counter (0 to 5); any other value
    // does nothing.
    void step1();

    // --- state of the controls (the user's choices are written here directly) ---
    int16_t Page_Counter = 0;   // 0 to 4 while a page shows, 5 during Finish
    std::array<bool, Wizard_Frame_Count> Frame_Visible{};
    bool Command1_Enabled = true;   // Cancel
    bool Command2_Enabled = true;   // Back
    bool Command3_Enabled = true;   // Next
    bool Command4_Enabled = true;   // Finish

    // Chosen option of each group, -1 when none.
    int optRamType = -1;
    int optRamTypeSDR = -1;
    int optRamTypeDDR = -1;
    int optRamTypeDDR2 = -1;
    int optRamTypeDDR3 = -1;

    Wizard_List CboDataWidth;
    Wizard_List CboSize;
    Wizard_List CboSide;
    bool Check1 = false;   // "With ECC"
    Wizard_List cbotcl;
    Wizard_List cbotrcd;
    Wizard_List cbotrp;
    Wizard_List cbotras;
    QString Text1 = QStringLiteral("Text1");   // "JEDEC ID"
    QString Text2 = QStringLiteral("Text2");   // "Part Num"
    // The information page's message about a refused ID or part number ("" when none).
    QString Info_Message;
    // Why the last Next kept the module-parameter page open ("" when it did not).
    QString Geometry_Message;

    bool Visible(Wizard_Frame f) const { return Frame_Visible[static_cast<size_t>(f)]; }
    // The chosen option of the speed group of a memory type 1..4 (-1 for another type).
    int Speed_Option(int memType) const;

private:
    void Show(Wizard_Frame f, bool on) { Frame_Visible[static_cast<size_t>(f)] = on; }
    void Hide_Speed_Frames();
    int* Speed_Group(int memType);
    void Store_Mem_Type();
    void Pass0();
    void Pass1();
    void Pass2();
    void Pass3();
    void Pass4();
    void Pass5();
};

// A text without its leading and trailing blanks; other characters and inner blanks stay.
QString Trim_Blanks(const QString& text);
