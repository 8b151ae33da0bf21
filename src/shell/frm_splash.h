#pragma once
// The splash window shown while the program starts: it closes itself after 2000 ms or
// when it is clicked.
#include <QDialog>

class QLabel;
class QTimer;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    void Timer1_Timer();

    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
