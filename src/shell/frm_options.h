#pragma once
// The settings dialog: the number base of guided byte entry and the burner's serial port.
// A new one is made for each opening and dropped when it closes.
#include <QDialog>
#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    QGroupBox* FraNumber = nullptr;
    std::array<QRadioButton*, 2> OptNum{};    // 0 "Dec Mode", 1 "Hex Mode"
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 5> optCom{};    // 1..4 "Com1".."Com4"; 0 unused
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    void reject() override;
};
