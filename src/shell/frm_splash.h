#pragma once
// The splash window shown while the program starts: it closes itself 2000 ms after it was
// made, or at once when its picture is clicked.
#include <QDialog>
#include <array>

class QLabel;
class QTimer;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    void Image1_Click();
    void Timer1_Timer();

    QLabel* Image1 = nullptr;
    std::array<QLabel*, 2> Label2{};   // 0 "DDR  I  II  III", 1 "SDRAM"
    QLabel* Label1 = nullptr;          // "Ver: C 3.0"
    QTimer* Timer1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
