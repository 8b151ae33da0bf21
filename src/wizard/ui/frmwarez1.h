#pragma once
// The SPD wizard window: five pages in one page area beside a picture, with Cancel, Back,
// Next and Finish below. The pages' logic and state live in Warez_Pages; this window
// shows that state on its widgets and hands the user's choices back to it before each
// handler runs. A new window is made for every run of the wizard.
#include <QDialog>
#include <QString>
#include <array>

#include "wizard/wizard_pages.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Captions of the wizard window.
namespace Warez_Text {
inline const QString Caption = QStringLiteral("SPD 精靈");
inline const QString Frame1 = QStringLiteral("模組種類");
inline const QString fraDramIC = QStringLiteral("模組參數");
inline const QString fraDramTime = QStringLiteral("模組時序");
inline const QString fraInfo = QStringLiteral("模組製造資訊");
inline const QString Cancel = QStringLiteral("取 消");
inline const QString Back = QStringLiteral("上一步");
inline const QString Next = QStringLiteral("下一步");
inline const QString Finish = QStringLiteral("完 成");
inline const QString RamTypes[4] = { QStringLiteral("SDRAM"), QStringLiteral("DDR SDRAM"),
                                     QStringLiteral("DDR2 SDRAM"), QStringLiteral("DDR3 SDRAM") };
inline const QString DataWidthLabel = QStringLiteral("DRAM Data Width");
inline const QString SizeLabel = QStringLiteral("DRAM Memory Size");
inline const QString SideLabel = QStringLiteral("Module Side");
inline const QString EccCheck = QStringLiteral("With ECC");
inline const QString TimingLabels[4] = { QStringLiteral("tCL"), QStringLiteral("tRCD"), QStringLiteral("tRP"),
                                         QStringLiteral("tRAS") };
inline const QString IdLabel = QStringLiteral("JEDEC ID");
inline const QString PartLabel = QStringLiteral("Part Num");
} // namespace Warez_Text

class Frmwarez1 : public QDialog {
    Q_OBJECT
public:
    explicit Frmwarez1(QWidget* parent = nullptr);

    // The page procedure (runs the pass for the page counter).
    void step1();

    // Handlers.
    void Form_Load();
    void Command1_Click();   // Cancel
    void Command2_Click();   // Back
    void Command3_Click();   // Next
    void Command4_Click();   // Finish
    void CboDataWidth_Click();

    // The pages' state as the last handler left it.
    const Warez_Pages& pages() const { return m_pages; }
    // The page area's frames, indexed by Wizard_Frame.
    QGroupBox* frame(Wizard_Frame f) const { return m_frames[static_cast<size_t>(f)]; }

    // Controls.
    QLabel* Image1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 4> optRamType{};
    QGroupBox* FraSDRFreq = nullptr;
    QGroupBox* FraDDRFreq = nullptr;
    QGroupBox* FraDDR2Freq = nullptr;
    QGroupBox* FraDDR3freq = nullptr;
    std::array<QRadioButton*, 4> optRamTypeSDR{};
    std::array<QRadioButton*, 4> optRamTypeDDR{};
    std::array<QRadioButton*, 4> optRamTypeDDR2{};
    std::array<QRadioButton*, 4> optRamTypeDDR3{};
    QGroupBox* fraDramIC = nullptr;
    QComboBox* CboDataWidth = nullptr;
    QComboBox* CboSize = nullptr;
    QComboBox* CboSide = nullptr;
    QCheckBox* Check1 = nullptr;
    QGroupBox* fraDramTime = nullptr;
    QComboBox* cbotcl = nullptr;
    QComboBox* cbotrcd = nullptr;
    QComboBox* cbotrp = nullptr;
    QComboBox* cbotras = nullptr;
    QGroupBox* fraInfo = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* InfoMessage = nullptr;   // why Finish refused the JEDEC ID or part number, under the boxes
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

private:
    QGroupBox* speedFrame(int memType, const QString& caption, std::array<QRadioButton*, 4>& options,
                          QButtonGroup*& group);
    void placeControls();
    // The widgets' choices into the page state, and the page state onto the widgets.
    void takeChoices();
    void showState();

    Warez_Pages m_pages;
    std::array<QGroupBox*, Wizard_Frame_Count> m_frames{};
    QButtonGroup* m_typeGroup = nullptr;
    std::array<QButtonGroup*, 4> m_speedGroups{};
};
