#pragma once
// The document window: one SPD image, its byte grid, decoding panels, checksum choice,
// date-code frame and burner panel, and the public operations other windows call.
#include <QString>
#include <QWidget>
#include <array>
#include <memory>

#include "spd_decode/spd_decode.h"
#include "spd_document/date_code.h"
#include "spd_document/document_api.h"
#include "spd_document/spd_record.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
class QCheckBox;
class ByteGrid;
class DecodePanels;
class BurnerPanel;

class frmDocument : public QWidget, public DocumentApi {
    Q_OBJECT
public:
    explicit frmDocument(QWidget* parent = nullptr);
    ~frmDocument() override;

    // Runs the window's set-up; the main window calls it right after creating the window.
    void Form_Load();

    // --- public operations, in the order of the window's interface ---
    void cal_totalchksum();
    void cal_chksum63() override;
    void Type_Chang(int16_t Index) override;
    int16_t Get_Type() const override { return SPD.Mem_Type; }
    void Value_Chang(int16_t I_INDEX, uint8_t I_Value) override;
    void Dimm_Status(int16_t I_INDEX);
    void table_chang(int A) override;
    void ddr3_table_chang(int A);
    void ddr2_table_chang(int A);
    void JEDEC_PROG(const QString& JEDEC);
    uint8_t Form_Sel() const { return 2; }
    uint8_t Get_Value(int16_t I_INDEX) const override;
    void Set_Value_color_same(int16_t I_INDEX) override;
    void Set_Value_color_diff2(int16_t I_INDEX) override;
    void Set_Value_color_diff(int16_t I_INDEX) override;
    bool Chk_Form_Chang() const override { return Form_Chang; }
    void Set_form_chang(bool flag) override;
    void key_in_data();
    void SD_LANG();
    void DDR_LANG();
    void DDR2_LANG();
    void DDR3_LANG();
    void RAMBUS_LANG();
    void set_print_value();
    // Brings the window in line with a whole new image, once all 256 bytes are in (a file,
    // a module or burner read, the wizard): stamps made on the old image are dropped without
    // writing, every label is decoded afresh and the selected byte's description follows the
    // new type. The loaders call it after their last byte.
    void Image_Loaded();
    // A good status reply from the burner gives the editing controls to the administrator:
    // the hex entry and row-fill boxes (shown and enabled, or hidden and disabled) and the
    // check-value options.
    void Show_Status_Rights(bool admin);

    // --- DocumentApi extras ---
    QString Caption() const override { return windowTitle(); }
    void SetCaption(const QString& caption) override { setWindowTitle(caption); }
    int OptcrcChoice() const override;
    void SetOptcrc(int index) override;
    void SetOptcrc1Caption(const QString& caption) override;
    BurnerPanel* burnerPanel() override { return m_burner; }

    // --- event handlers ---
    void spd_l_value_Click(int Index);
    void Text1_KeyDown(int KeyCode, int Shift);
    void Text2_KeyDown(int KeyCode, int Shift);
    void value_x_Click(int Index);
    void Label4_Click() {}
    void Optcrc_Click(int Index) {}
    void Optcrc_GotFocus(int Index);
    void Timer1_Timer();
    void Check2_Click();
    void Check3_Click();
    // Close prompt; true when the window may close.
    bool Form_Unload();

    // --- members ---
    SPD_Record SPD;
    bool Form_Chang = false;
    std::array<QString, 256> Byte_Desc;
    int16_t Sel_Index = 0;
    uint32_t Saved_Color = 0;
    int16_t Security_Value = 0;
    int16_t Saved_Date1 = 0;
    int16_t Saved_Date2 = 0;
    uint8_t Saved_Byte127 = 0;
    int16_t Date_Year = 0;
    int16_t Date_Week = 0;

    // --- controls ---
    QGroupBox* Frame1 = nullptr;
    ByteGrid* grid = nullptr;             // spd_l_value(0-255) and value_x(0-31)
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QGroupBox* Frame9 = nullptr;
    std::array<QRadioButton*, 3> Optcrc{};
    QGroupBox* Frame5 = nullptr;
    QCheckBox* Check2 = nullptr;   // date-code stamp
    QCheckBox* Check3 = nullptr;   // security stamp (byte 127)
    QLabel* Label97 = nullptr;     // today's date
    QLabel* Label98 = nullptr;     // current week number
    QLabel* Label99 = nullptr;     // security value
    QTimer* Timer1 = nullptr;
    DecodePanels* panels() const { return m_panels.get(); }
    PanelModel& panelModel() { return m_model; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recaptionAll();
    void Get_Date_Code();
    void syncPanels();
    void showSelection(int index, bool withBlank);
    Check_Value_Kind keepCheckValue(Check_Value_Undo* undo = nullptr);

    QWidget* m_content = nullptr;
    std::unique_ptr<DecodePanels> m_panels;
    BurnerPanel* m_burner = nullptr;
    PanelModel m_model;
    QString m_optcrc1Caption;
    Check_Value_Undo m_dateStampCheckValue;   // what the last date stamp did to the check value
    DateCodePosition m_dateStampAt;           // where the last date stamp wrote (93-94 or 120-121)
};
