#pragma once
// The administrator login. Four wrong entries close it without rights; it hides itself
// when done and stays loaded until the program ends.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Makes a line edit a password box that shows "*" for each typed character.
void Make_Password_Box(QLineEdit* box);

class frmLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    int Login_Fails = 0;

    QLabel* lblLabels = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    // Esc and the close box act as the Cancel button.
    void reject() override;
};
