#pragma once
// The main window: menus, toolbar, status bar, the document windows, the burner port
// and the timers.
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

#include "burner/burner_link.h"
#include "spd_document/main_form_api.h"

class QAction;
class QLabel;
class QLocale;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class frmDocument;

// The status bar's time format for a locale, written so that this Qt can print it.
QString Status_Time_Format(const QLocale& locale);
// A file name or window caption as a menu item's text: each '&' doubled, so that it shows
// as it stands instead of marking the next letter as the item's key.
QString Menu_Text(const QString& name);

class frmMain : public QMainWindow, public MainFormApi {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Load handler: settings, burner port, recent files, administrator dialog.
    void MDIForm_Load();

    // The active document window, or nullptr.
    frmDocument* ActiveForm() const;
    DocumentApi* ActiveDocument() override;
    QList<frmDocument*> Documents() const;

    void Load_New_Document();

    // Menu handlers.
    void mnuFilenew_Click();
    void mnuFileOpen_Click();
    void mnuFileMRU_Click(int Index);
    bool mnuFileSave_Click() override;
    void mnuFileSaveAs_Click();
    void mnuFileClose_Click();
    void mnuFileCloseAll_Click();
    void mnuFilePrint_Click();
    void mnuFileWarez_Click();
    void mnuFileExit_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuConnection_Click();
    void mnuViewpassword_Click();
    void mnuViewOptions_Click();
    void mnuViewWebBrowser_Click();
    void mnuWindowCascade_Click();
    void mnuWindowIconAll_Click();
    void mnuWindowArrangeIcons_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void tbToolbar_ButtonClick(const QString& key);

    // Burner operations (MainFormApi).
    void STATUSIC() override;
    void StopTimer2() override;
    void ReadIC() override;
    void ReadModule() override;
    bool ProgramIC() override;
    void VerifyIc() override;
    void VcopyIc() override;
    void BlankIC() override;
    void EraseIC() override;
    void Read_Command() override;
    void Copy_Command() override;
    void Verify_Command() override;
    void Mcopy_Command() override;
    void EN_KEY_Command() override;
    void DIS_KEY_Command() override;
    void Auto_Command(bool on) override;
    void SNUM_P_Command() override;
    void SNUM_N_Command() override;
    // Kept for the burner operations' interface; no control calls it and it does nothing.
    void dis_prog() {}

    // Timers of the burner link.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    // Controls.
    QMdiArea* mdiArea = nullptr;
    QToolBar* tbToolbar = nullptr;
    QStatusBar* sbStatusBar = nullptr;
    QTimer* Timer1 = nullptr;   // 500 ms result poll
    QTimer* Timer2 = nullptr;   // 400 ms status reader
    QTimer* Timer3 = nullptr;   // 120 ms frame pacing

    QMenu* mnuFile = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuFilenew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileClose = nullptr;
    QAction* mnuFileCloseAll = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileWarez = nullptr;
    QAction* mnuFileBar4 = nullptr;
    std::array<QAction*, 4> mnuFileMRU{};   // 1..3 used
    QAction* mnuFileBar5 = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuConnection = nullptr;
    QAction* mnuViewpassword = nullptr;
    QAction* mnuViewOptions = nullptr;
    QAction* mnuViewWebBrowser = nullptr;
    QAction* mnuWindowCascade = nullptr;
    QAction* mnuWindowIconAll = nullptr;
    QAction* mnuWindowArrangeIcons = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpAbout = nullptr;
    QAction* toolbarButton(const QString& key) const;

    int32_t Doc_Count = 0;

    // ---- SPD wizard hand-off and encoders (frm_main_wizard.cpp): members added here ----
    void warez_set();
    void ddr2_set();
    void ddr3_set();
    // Shows a new wizard window modally; its Finish leaves Warez_OK set.
    void Show_Warez_Wizard();
    // ---- end of wizard members ----

    // ---- report printing (frm_main_print.cpp): members added here ----
    // The report pages for the active document, printed on the printer of the running
    // print command; outside a print command there is no printer and they print nothing.
    void SDR_PRINTER();
    void DDR_PRINTER();
    void DDR2_PRINTER();
    void DDR3_PRINTER();
    // The printer chosen in the print command's dialog, while the command runs.
    class Printer* m_reportPrinter = nullptr;
    // ---- end of report printing members ----

    // ---- files, recent files, administrator dialogs, settings, About (frm_main_files.cpp,
    // frm_main_dialogs.cpp): members added here ----
    // Recent files: puts a path at the top of the list; writes the list to the registry.
    void File_List_Ctl(const QString& path);
    void File_List_Save();
    // The path a recent-file item stands for ("" when the item is not shown).
    QString mruPath(int Index) const;
    // Loads a file into a new document (Open) or into the active one (recent file).
    void Load_SPD_File(const QString& path, bool intoNewDocument);
    // True (and the window brought forward, the path put on top of the recent files) when
    // a window is already captioned with the path.
    bool Bring_Open_Window_Forward(const QString& path);
    // Writes the document's image to the path; on success the document takes the path as
    // its caption and loses its modified mark. A failure is shown and changes nothing.
    bool Save_Document(DocumentApi& doc, const QString& path);
    void SendMail(const QString& Recipient, const QString& Subject, const QString& Body, const QString& CC,
                  const QString& BCC, const QString& Attach);
    // The administrator dialogs: made at their first use, hidden afterwards, kept until exit.
    class frmLogin* m_frmLogin = nullptr;
    class frmLogin1* m_frmLogin1 = nullptr;

    // ---- burner link (frm_main_burner.cpp): members added here ----
    // Longest wait of one program frame for its 120 ms pacing tick; a pacing timer that
    // was stopped meanwhile cannot hang a download.
    static constexpr int Frame_Pacing_Limit_Ms = 1000;
    // Starts the 500 ms result poll, which then runs for the life of the window. The
    // window does it when it is first shown.
    void Burner_Link_Start();
    void showEvent(QShowEvent* event) override;
    bool m_burnerLinkStarted = false;
    // While a burner command waits, every other command, new document, file load and
    // window is refused, and the wait cursor shows why.
    bool Burner_Busy() const override { return m_link.busy(); }
    // Refuses (false) while a wait runs; otherwise first reads a status reply that is
    // still due, so that it goes to the document that asked and the new command's waits
    // cannot take it.
    bool Burner_Command_Start();
    // Runs one burner command: refused while another waits, with the result poll paused.
    // `run` does the command and shows its success, starting the poll again where its
    // message order needs; a failure anywhere in it shows `fail` and starts the poll again.
    void Burner_Run(const std::function<void()>& run, const std::function<void()>& fail);
    // What the link waits for and expects next, and which document each reply belongs to.
    Burner_Link m_link;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void refreshWindowMenu();
    void readCommPortSetting();
    void Load_History();
    void Admin_Dialog();
    void Password_Change();
    QMdiSubWindow* activeSubWindow() const;
    bool closeAllDocuments();

    QLabel* m_datePanel = nullptr;
    QLabel* m_timePanel = nullptr;
    QTimer* m_clockTimer = nullptr;
    QList<QAction*> m_windowListActions;
    QAction* m_windowListSeparator = nullptr;
};
