#pragma once
// Setting up or changing the administrator password: the new password typed twice.
// It hides itself when done and stays loaded, so a second opening shows what was typed.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin1 : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin1(QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblLabels2 = nullptr;
    QLabel* lblLabels1 = nullptr;
    QLineEdit* txtPassword2 = nullptr;   // new password (upper box)
    QLineEdit* txtPassword1 = nullptr;   // the same again (lower box)
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    void reject() override;
};
