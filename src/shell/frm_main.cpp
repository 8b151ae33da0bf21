#include "shell/frm_main.h"

#include <QAction>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>

#include "platform/clock.h"
#include "platform/com_port.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "shell/comm_setting.h"
#include "shell/shell_pictures.h"
#include "spd_document/globals.h"
#include "spd_document/ui/frm_document.h"

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(kProgramTitle);
    mdiArea = new QMdiArea(this);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);

    buildMenus();
    buildToolbar();
    buildStatusBar();

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    // The status reader and the frame pacing keep their intervals to the millisecond: a
    // coarse timer may run 5% early or late (about 416 ms instead of 400, 125 instead of
    // 120 per program frame).
    Timer2 = new QTimer(this);
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setInterval(400);
    connect(Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    Timer3 = new QTimer(this);
    Timer3->setTimerType(Qt::PreciseTimer);
    Timer3->setInterval(120);
    connect(Timer3, &QTimer::timeout, this, &frmMain::Timer3_Timer);

    // Wide enough for a maximised document with its whole burner panel, where the screen allows.
    QSize size(1320, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
}

QString Status_Time_Format(const QLocale& locale)
{
    // Some locales (zh_TW among them) write the time of day with the day-period letter
    // "B", which this Qt prints literally ("B17:05"); the morning/afternoon marker says
    // the same thing.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (format.contains(QLatin1Char('B')) && !format.contains(QLatin1Char('\'')))
        format.replace(QLatin1Char('B'), QStringLiteral("AP "));
    return format;
}

QString Menu_Text(const QString& name)
{
    QString text = name;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

frmMain::~frmMain()
{
    if (Main_Form == this) Main_Form = nullptr;
}

// ---------------------------------------------------------------- building the window

void frmMain::buildMenus()
{
    auto add = [this](QMenu* menu, const QString& caption, void (frmMain::*handler)(),
                      const QKeySequence& shortcut = QKeySequence()) {
        QAction* a = menu->addAction(caption);
        if (!shortcut.isEmpty()) a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };

    mnuFile = menuBar()->addMenu(QStringLiteral("檔案"));
    mnuFilenew = add(mnuFile, QStringLiteral("開新檔案"), &frmMain::mnuFilenew_Click, QKeySequence(QStringLiteral("Ctrl+N")));
    mnuFileOpen = add(mnuFile, QStringLiteral("開啟舊檔"), &frmMain::mnuFileOpen_Click, QKeySequence(QStringLiteral("Ctrl+O")));
    mnuFile->addSeparator();
    mnuFileSave = mnuFile->addAction(QStringLiteral("儲存檔案"));
    mnuFileSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    // The user's Save waits for a burner command to end, as Save As does (it may ask for a
    // file name); the save that a closing document asks for goes on.
    connect(mnuFileSave, &QAction::triggered, this, [this] {
        if (!Burner_Busy()) mnuFileSave_Click();
    });
    mnuFileSaveAs = add(mnuFile, QStringLiteral("另存新檔"), &frmMain::mnuFileSaveAs_Click);
    mnuFileClose = add(mnuFile, QStringLiteral("關    閉"), &frmMain::mnuFileClose_Click);
    mnuFileCloseAll = add(mnuFile, QStringLiteral("關閉所有檔案"), &frmMain::mnuFileCloseAll_Click);
    mnuFile->addSeparator();
    mnuFilePrint = add(mnuFile, QStringLiteral("列    印"), &frmMain::mnuFilePrint_Click, QKeySequence(QStringLiteral("Ctrl+P")));
    mnuFile->addSeparator();
    mnuFileWarez = add(mnuFile, QStringLiteral("精    靈"), &frmMain::mnuFileWarez_Click);
    mnuFileBar4 = mnuFile->addSeparator();
    for (int i = 1; i <= 3; ++i) {
        QAction* a = mnuFile->addAction(QString());
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { mnuFileMRU_Click(i); });
        mnuFileMRU[static_cast<size_t>(i)] = a;
    }
    mnuFileBar5 = mnuFile->addSeparator();
    mnuFileBar5->setVisible(false);
    mnuFileExit = add(mnuFile, QStringLiteral("離    開"), &frmMain::mnuFileExit_Click);

    mnuView = menuBar()->addMenu(QStringLiteral("檢視"));
    // The handlers invert the check mark themselves; Qt's own toggle on a click is undone first.
    mnuViewToolbar = mnuView->addAction(QStringLiteral("工 具 列"));
    mnuViewStatusBar = mnuView->addAction(QStringLiteral("狀 態 列"));
    for (QAction* a : { mnuViewToolbar, mnuViewStatusBar }) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    connect(mnuViewToolbar, &QAction::triggered, this, [this] {
        mnuViewToolbar->setChecked(!mnuViewToolbar->isChecked());
        mnuViewToolbar_Click();
    });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] {
        mnuViewStatusBar->setChecked(!mnuViewStatusBar->isChecked());
        mnuViewStatusBar_Click();
    });
    mnuView->addSeparator();
    mnuConnection = add(mnuView, QStringLiteral("重新連線"), &frmMain::mnuConnection_Click);
    mnuViewpassword = add(mnuView, QStringLiteral("密碼設定"), &frmMain::mnuViewpassword_Click);
    mnuViewOptions = add(mnuView, QStringLiteral("通訊設定"), &frmMain::mnuViewOptions_Click);
    mnuViewWebBrowser = add(mnuView, QStringLiteral("Velmondra網站"), &frmMain::mnuViewWebBrowser_Click);

    mnuWindow = menuBar()->addMenu(QStringLiteral("視窗"));
    mnuWindowCascade = add(mnuWindow, QStringLiteral("重疊顯示"), &frmMain::mnuWindowCascade_Click);
    mnuWindowIconAll = add(mnuWindow, QStringLiteral("最小化"), &frmMain::mnuWindowIconAll_Click);
    mnuWindowArrangeIcons = add(mnuWindow, QStringLiteral("排列圖示"), &frmMain::mnuWindowArrangeIcons_Click);
    m_windowListSeparator = mnuWindow->addSeparator();
    m_windowListSeparator->setVisible(false);
    connect(mnuWindow, &QMenu::aboutToShow, this, &frmMain::refreshWindowMenu);

    mnuHelp = menuBar()->addMenu(QStringLiteral("說明"));
    mnuHelpContents = add(mnuHelp, QStringLiteral("郵     件"), &frmMain::mnuHelpContents_Click);
    mnuHelp->addSeparator();
    mnuHelpAbout = add(mnuHelp, QStringLiteral("關      於"), &frmMain::mnuHelpAbout_Click);
}

void frmMain::buildToolbar()
{
    tbToolbar = addToolBar(QStringLiteral("tbToolbar"));
    tbToolbar->setMovable(false);
    struct Button { const char* key; QString tip; };
    const Button buttons[] = {
        { "NEW", QStringLiteral("開新檔案") },
        { "OPEN", QStringLiteral("開啟舊檔") },
        { "SAVE", QStringLiteral("儲存") },
        { "PRINT", QStringLiteral("列印") },
        { "WIZARD", QStringLiteral("精靈") },
        { "MAIL", QStringLiteral("郵件") },
        { "CONNECT", QStringLiteral("重新連線") },
    };
    for (const Button& b : buttons) {
        QAction* a = tbToolbar->addAction(Toolbar_Icon(QString::fromLatin1(b.key)), b.tip);
        a->setToolTip(b.tip);
        a->setData(QString::fromLatin1(b.key));
        a->setObjectName(QString::fromLatin1(b.key));
        const QString key = QString::fromLatin1(b.key);
        connect(a, &QAction::triggered, this, [this, key] { tbToolbar_ButtonClick(key); });
    }
}

QAction* frmMain::toolbarButton(const QString& key) const
{
    for (QAction* a : tbToolbar->actions())
        if (a->data().toString() == key) return a;
    return nullptr;
}

void frmMain::buildStatusBar()
{
    sbStatusBar = statusBar();
    auto* text = new QLabel(sbStatusBar);
    sbStatusBar->addWidget(text, 1);
    m_datePanel = new QLabel(sbStatusBar);
    m_timePanel = new QLabel(sbStatusBar);
    sbStatusBar->addPermanentWidget(m_datePanel);
    sbStatusBar->addPermanentWidget(m_timePanel);
    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    const QString timeFormat = Status_Time_Format(QLocale());
    auto tick = [this, timeFormat] {
        const QDateTime now = QDateTime::currentDateTime();
        m_datePanel->setText(QLocale().toString(now.date(), QLocale::ShortFormat));
        m_timePanel->setText(QLocale().toString(now.time(), timeFormat));
    };
    connect(m_clockTimer, &QTimer::timeout, this, tick);
    tick();
    m_clockTimer->start();
}

void frmMain::refreshWindowMenu()
{
    for (QAction* a : m_windowListActions) {
        mnuWindow->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    m_windowListSeparator->setVisible(!windows.isEmpty());
    int n = 1;
    for (QMdiSubWindow* w : windows) {
        QAction* a = mnuWindow->addAction(QStringLiteral("&%1 %2").arg(n++).arg(Menu_Text(w->windowTitle())));
        a->setCheckable(true);
        a->setChecked(w == activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { mdiArea->setActiveSubWindow(w); });
        m_windowListActions.append(a);
    }
}

// ---------------------------------------------------------------- load

void frmMain::MDIForm_Load()
{
    Registry* reg = platform().registry;
    ComPort* com = platform().com;
    // The result poll runs from the start, through the modal administrator dialogs too.
    if (!m_burnerLinkStarted) Burner_Link_Start();
    // The settings key and the burner port number stored in it.
    if (reg) reg->createKey(Registry::CurrentUser, kSettingsKey);
    readCommPortSetting();
    // Open the port; a stored port that cannot be opened falls back to port 1 for this
    // run, leaving the stored setting as it is.
    if (com && !com->isOpen() && !com->open() && com->portNumber() != 1) {
        com->close();
        com->setPortNumber(1);
        Com_Port = 1;
        com->open();
    }
    // The history key: recent files and the administrator password.
    if (reg) reg->createKey(Registry::CurrentUser, kHistoryKey);
    Load_History();
    // Administrator login, or the password set-up when none has been done.
    Admin_Dialog();
}

void frmMain::readCommPortSetting()
{
    Registry* reg = platform().registry;
    ComPort* com = platform().com;
    const std::optional<QString> stored =
        reg ? reg->readValue(Registry::CurrentUser, kSettingsKey, QStringLiteral("CommPort")) : std::nullopt;
    if (!stored) {
        if (reg) reg->writeValue(Registry::CurrentUser, kSettingsKey, QStringLiteral("CommPort"), QStringLiteral("1"));
        if (com && com->isOpen()) com->close();
        if (com) com->setPortNumber(1);
        Com_Port = 1;
        return;
    }
    if (com && com->isOpen()) com->close();
    const int port = Comm_Port_From_Setting(*stored);
    if (com) com->setPortNumber(port);
    Com_Port = static_cast<uint8_t>(port);
}

// ---------------------------------------------------------------- documents

QMdiSubWindow* frmMain::activeSubWindow() const
{
    if (QMdiSubWindow* w = mdiArea->activeSubWindow()) return w;
    if (QMdiSubWindow* w = mdiArea->currentSubWindow()) return w;
    const QList<QMdiSubWindow*> list = mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    return list.isEmpty() ? nullptr : list.last();
}

frmDocument* frmMain::ActiveForm() const
{
    QMdiSubWindow* w = activeSubWindow();
    return w ? qobject_cast<frmDocument*>(w->widget()) : nullptr;
}

DocumentApi* frmMain::ActiveDocument() { return ActiveForm(); }

QList<frmDocument*> frmMain::Documents() const
{
    QList<frmDocument*> docs;
    for (QMdiSubWindow* w : mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* d = qobject_cast<frmDocument*>(w->widget())) docs.append(d);
    return docs;
}

void frmMain::Load_New_Document()
{
    // A new document asks the burner for its status: not while another command waits.
    if (!Burner_Command_Start()) return;
    ++Doc_Count;
    auto* doc = new frmDocument;
    QPointer<QMdiSubWindow> sub = mdiArea->addSubWindow(doc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    doc->setWindowTitle(QStringLiteral("SPD_File ") + QString::number(Doc_Count));
    {
        // Its status request is its own, though it is not the active document yet.
        const Burner_Link::Status_Owner owner(m_link, doc);
        doc->Form_Load();
    }
    // The load waits for the burner's status with events running: "close all" or "exit"
    // chosen meanwhile may have closed the new window already.
    if (!sub) return;
    sub->resize(doc->size() + QSize(0, sub->style()->pixelMetric(QStyle::PM_TitleBarHeight)));
    sub->show();
    mdiArea->setActiveSubWindow(sub);
}

void frmMain::mnuFilenew_Click() { Load_New_Document(); }

void frmMain::mnuFileClose_Click()
{
    if (QMdiSubWindow* w = activeSubWindow()) w->close();
}

bool frmMain::closeAllDocuments()
{
    // Each close asks about its own unsaved changes; a document the user keeps open
    // stops the loop.
    while (QMdiSubWindow* w = activeSubWindow()) {
        const int before = mdiArea->subWindowList().size();
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (mdiArea->subWindowList().size() >= before) return false;
    }
    return true;
}

void frmMain::mnuFileCloseAll_Click() { closeAllDocuments(); }

void frmMain::mnuFileExit_Click() { close(); }

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!closeAllDocuments()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

void frmMain::mnuWindowCascade_Click() { mdiArea->cascadeSubWindows(); }

void frmMain::mnuWindowIconAll_Click()
{
    for (QMdiSubWindow* w : mdiArea->subWindowList()) w->showMinimized();
}

void frmMain::mnuWindowArrangeIcons_Click()
{
    // Minimised windows are lined up along the bottom of the area, in creation order.
    int x = 0;
    const int y = mdiArea->viewport()->height();
    for (QMdiSubWindow* w : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized()) continue;
        const QSize s = w->size();
        w->move(x, y - s.height());
        x += s.width();
    }
}

void frmMain::mnuViewToolbar_Click()
{
    mnuViewToolbar->setChecked(!mnuViewToolbar->isChecked());
    tbToolbar->setVisible(mnuViewToolbar->isChecked());
}

void frmMain::mnuViewStatusBar_Click()
{
    mnuViewStatusBar->setChecked(!mnuViewStatusBar->isChecked());
    sbStatusBar->setVisible(mnuViewStatusBar->isChecked());
}

void frmMain::mnuFileWarez_Click()
{
    // Its document could not be made while a burner command waits.
    if (Burner_Busy()) return;
    Warez_OK = false;
    Warez_Param.fill(0);
    Show_Warez_Wizard();
    if (!Warez_OK) return;
    // The image goes into the new document only: should that one be closed while its load
    // waits for the burner, no other document may be painted, overwritten or marked.
    const QList<frmDocument*> before = Documents();
    Load_New_Document();
    frmDocument* doc = ActiveForm();
    if (!doc || before.contains(doc)) return;
    warez_set();
    if ((doc = ActiveForm())) doc->Set_form_chang(true);
}

void frmMain::mnuConnection_Click() { STATUSIC(); }

void frmMain::mnuViewpassword_Click()
{
    if (Burner_Busy() || !Admin_LoggedIn) return;
    Password_Change();
}

void frmMain::tbToolbar_ButtonClick(const QString& key)
{
    // A failing command stops where it failed; the toolbar shows nothing of it.
    try {
        if (key == QLatin1String("NEW")) Load_New_Document();
        else if (key == QLatin1String("OPEN")) mnuFileOpen_Click();
        else if (key == QLatin1String("SAVE")) {
            if (!Burner_Busy()) mnuFileSave_Click();
        }
        else if (key == QLatin1String("PRINT")) {
            // Greyed for want of rights, the menu item prints nothing; nor does its button.
            if (mnuFilePrint->isEnabled()) mnuFilePrint_Click();
        }
        else if (key == QLatin1String("WIZARD")) mnuFileWarez_Click();
        else if (key == QLatin1String("MAIL")) mnuHelpContents_Click();
        else if (key == QLatin1String("CONNECT")) STATUSIC();
    } catch (...) {
    }
}
