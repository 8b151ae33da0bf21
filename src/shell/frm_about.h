#pragma once
// The About window: program title, version, the legal warning, and a button that starts
// the system-information tool. A new one is made for each opening.
#include <QDialog>
#include <QStringList>
#include <QList>

#include "platform/registry.h"

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // A program that shows the machine's system information, with its arguments.
    struct SysInfoProgram {
        QString path;
        QStringList args;
    };

    explicit frmAbout(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    // Reads a string value; false (and an empty string) when the key or value cannot be
    // read or the value does not fit the 1024-byte buffer.
    static bool GetKeyValue(Registry::Root KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                            QString& KeyVal);

    // The system-information programs installed on this machine, tried in order when the
    // registry names no tool. Filled from the PATH when the window is made.
    QList<SysInfoProgram> localSysInfoPrograms;
    static QList<SysInfoProgram> Find_Local_SysInfo_Programs();

    QLabel* Picture1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    void showUnavailable();
};
