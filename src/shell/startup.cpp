#include "shell/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "platform/platform.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_com_port.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_registry.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_single_instance.h"
#include "platform/ui/user_focus.h"
#include "shell/frm_main.h"
#include "shell/frm_splash.h"
#include "spd_document/byte_names.h"
#include "spd_document/globals.h"

int Main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setOrganizationName(QStringLiteral("Velmondra inc."));
    // The document and its burner panel tell the user's focus moves from Qt's own.
    Track_Focus_Changes();

    // Without a configured locale (LANG unset or C), dates and times follow the Taiwanese
    // conventions of the rest of the program ("2026/12/9"); Qt's C-locale short date
    // ("9 Dec 2026") does not fit the document's date label.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::Taiwan));

    // Qt's own buttons (是/否/取消) in Traditional Chinese, like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::Taiwan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtComPort com;
    QtRegistry registry;
    QtDialogs dialogs;
    QtShell shell;
    QtClock clock;
    setPlatform(Platform{ &com, &registry, &dialogs, &shell, &clock });

    // Byte entry starts in decimal.
    Num_Mode = 0;
    // One copy per user: a second copy says so, brings the first forward and ends.
    QtSingleInstance instance(kAppTitle);
    if (!instance.tryBecomeFirst()) {
        dialogs.messageBox(QStringLiteral("本程式已執行"), Dialogs::OkOnly, Dialogs::Critical, kProgramTitle);
        instance.activateRunningCopy();
        return 0;
    }
    {
        frmSplash splash;
        splash.exec();
    }
    Fill_Byte_Name_Tables();
    // The main window's load runs the administrator login or password set-up before the
    // window shows.
    auto main = std::make_unique<frmMain>();
    Main_Form = main.get();
    main->setWindowTitle(kProgramTitle);
    instance.setActivationHandler([w = main.get()] {
        w->showNormal();
        w->raise();
        w->activateWindow();
    });
    main->MDIForm_Load();
    main->show();
    const int rc = QApplication::exec();
    Main_Form = nullptr;
    return rc;
}
