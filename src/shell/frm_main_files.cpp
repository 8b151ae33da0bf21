// File commands of the main window: open, save, save as and the recent-files list.
#include "shell/frm_main.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "shell/admin_password.h"
#include "shell/frm_login.h"
#include "shell/frm_login1.h"
#include "shell/shell_texts.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "spd_document/ui/frm_document.h"
#include "spd_files/spd_file_formats.h"

namespace {

void showFileError(const SPD_File_Result& result)
{
    if (Dialogs* dialogs = platform().dialogs)
        dialogs->messageBox(result.message(), Dialogs::OkOnly, Dialogs::Critical, SPD_File_Error_Title);
}

QString askFileName(bool save, const QString& title)
{
    Dialogs* dialogs = platform().dialogs;
    if (!dialogs) return QString();
    return save ? dialogs->saveFileName(title, kSpdFileFilter, kSpdFileFilterIndex)
                : dialogs->openFileName(title, kSpdFileFilter, kSpdFileFilterIndex);
}

// The non-administrator's answer to Save and Save As; true when saving may go on.
bool mayWrite()
{
    if (Admin_LoggedIn) return true;
    if (Dialogs* dialogs = platform().dialogs)
        dialogs->messageBox(kNoSaveRightsText, Dialogs::OkOnly, Dialogs::Critical, kErrorTitle);
    return false;
}

}  // namespace

// ---------------------------------------------------------------- recent files

QString frmMain::mruPath(int Index) const
{
    if (Index < 1 || Index > 3) return QString();
    const QAction* item = mnuFileMRU[static_cast<size_t>(Index)];
    return item->isVisible() ? item->data().toString() : QString();
}

namespace {
// The item shows the path as it stands: a '&' in it is not a mnemonic.
void setMruCaption(QAction* item, const QString& path)
{
    item->setData(path);
    item->setText(Menu_Text(path));
}
}  // namespace

void frmMain::File_List_Ctl(const QString& path)
{
    QAction* e1 = mnuFileMRU[1];
    QAction* e2 = mnuFileMRU[2];
    QAction* e3 = mnuFileMRU[3];
    const QString c1 = e1->data().toString();
    const QString c2 = e2->data().toString();

    if (!e1->isVisible()) {
        setMruCaption(e1, path);
        e1->setVisible(true);
        mnuFileBar5->setVisible(true);
        return;
    }
    if (path == c1) return;
    if (!e2->isVisible()) {
        setMruCaption(e2, c1);
        setMruCaption(e1, path);
        e2->setVisible(true);
        return;
    }
    if (path == c2) {
        setMruCaption(e2, c1);
        setMruCaption(e1, path);
        return;
    }
    setMruCaption(e3, c2);
    setMruCaption(e2, c1);
    setMruCaption(e1, path);
    e3->setVisible(true);
}

void frmMain::File_List_Save()
{
    Registry* reg = platform().registry;
    if (!reg) return;
    reg->createKey(Registry::CurrentUser, kProgramKey);
    reg->createKey(Registry::CurrentUser, kSettingsKey);
    reg->createKey(Registry::CurrentUser, kHistoryKey);
    for (int i = 1; i <= 3; ++i) {
        const QAction* item = mnuFileMRU[static_cast<size_t>(i)];
        if (item->isVisible())
            reg->writeValue(Registry::CurrentUser, kHistoryKey, QString::number(i), item->data().toString());
    }
}

void frmMain::Load_History()
{
    // Recent files "1" to "3".
    for (int i = 1; i <= 3; ++i) {
        QAction* item = mnuFileMRU[static_cast<size_t>(i)];
        const std::optional<QString> path = Read_History_String(QString::number(i));
        if (!path) {
            item->setVisible(false);
            continue;
        }
        setMruCaption(item, *path);
        item->setVisible(true);
        if (i == 1) mnuFileBar5->setVisible(true);
    }
    // The administrator password set-up.
    PASS1_Value = Read_History_String(QStringLiteral("PASS1")).value_or(QString());
    PASS2_Value = Read_History_String(QStringLiteral("PASS2")).value_or(QString());
}

// ---------------------------------------------------------------- loading

bool frmMain::Bring_Open_Window_Forward(const QString& path)
{
    // The windows in the order they were loaded: the main window, the administrator
    // dialogs, then the documents.
    bool found = false;
    if (windowTitle() == path) {
        raise();
        activateWindow();
        found = true;
    }
    for (QWidget* dialog : { static_cast<QWidget*>(m_frmLogin), static_cast<QWidget*>(m_frmLogin1) }) {
        if (found) break;
        if (dialog && dialog->windowTitle() == path) {
            if (dialog->isVisible()) dialog->raise();
            found = true;
        }
    }
    if (!found) {
        for (QMdiSubWindow* sub : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
            auto* doc = qobject_cast<frmDocument*>(sub->widget());
            if (doc && doc->Caption() == path) {
                mdiArea->setActiveSubWindow(sub);
                found = true;
                break;
            }
        }
    }
    if (!found) return false;
    File_List_Ctl(path);
    File_List_Save();
    return true;
}

void frmMain::Load_SPD_File(const QString& path, bool intoNewDocument)
{
    if (Bring_Open_Window_Forward(path)) return;

    // A file loaded into the active document replaces its image: unsaved changes are
    // first offered for saving with the document's close prompt. Cancel, or a save that
    // did not happen, keeps the document as it is.
    frmDocument* replaced = intoNewDocument ? nullptr : ActiveForm();
    if (replaced && !replaced->Form_Unload()) return;

    // The whole file is read and checked before any document is made or touched: a file
    // that cannot be read leaves every window as it was.
    const SPD_File_Result file = Read_SPD_File(path);
    if (!file.ok()) {
        showFileError(file);
        return;
    }

    DocumentApi* doc = nullptr;
    if (intoNewDocument || !ActiveDocument()) {
        // The new document waits for the burner's status with events running: the file
        // goes into that document only, even if another became active meanwhile, and into
        // none should it be closed (or not be made).
        const QList<frmDocument*> before = Documents();
        Load_New_Document();
        for (frmDocument* made : Documents())
            if (!before.contains(made)) doc = made;
    } else {
        doc = ActiveDocument();
    }
    if (!doc) return;
    doc->SetCaption(path);
    for (int k = 0; k < 256; ++k) {
        doc->Value_Chang(static_cast<int16_t>(k), file.image[static_cast<size_t>(k)]);
        doc->table_chang(k);
    }
    // Type_Key_Map: byte 2 picks the check-value option and the memory type.
    const uint8_t byte2 = doc->Get_Value(2);
    doc->SetOptcrc(0);
    doc->SetOptcrc(Type_Key_Optcrc(byte2));
    const int type = Type_Key_Map(byte2);
    if (type >= 0) doc->Type_Chang(static_cast<int16_t>(type));
    // One decode of the whole image and the selection's description of its type.
    if (auto* form = dynamic_cast<frmDocument*>(doc)) form->Image_Loaded();
    // The document now shows the file as it is on disk.
    if (replaced) doc->Set_form_chang(false);

    File_List_Ctl(path);
    File_List_Save();
    // A binary file longer than an image, or a .spd text with more than its 16 lines: say
    // what was left out.
    if (!file.notice().isEmpty())
        if (Dialogs* dialogs = platform().dialogs)
            dialogs->messageBox(file.notice(), Dialogs::OkOnly, Dialogs::Exclamation);
}

void frmMain::mnuFileOpen_Click()
{
    // A file is not loaded while a burner command waits (its new document would ask too).
    if (Burner_Busy()) return;
    const QString path = askFileName(false, kOpenDialogTitle);
    if (path.isEmpty()) return;
    Load_SPD_File(path, true);
}

void frmMain::mnuFileMRU_Click(int Index)
{
    if (Burner_Busy()) return;
    const QString path = mruPath(Index);
    if (path.isEmpty()) return;
    Load_SPD_File(path, false);
}

// ---------------------------------------------------------------- saving

bool frmMain::Save_Document(DocumentApi& doc, const QString& path)
{
    SPD_Image image{};
    for (int k = 0; k < 256; ++k) image[static_cast<size_t>(k)] = doc.Get_Value(static_cast<int16_t>(k));
    const SPD_File_Result result = Write_SPD_File(path, image);
    if (!result.ok()) {
        // The document keeps its caption and its modified mark: nothing was saved.
        showFileError(result);
        return false;
    }
    doc.Set_form_chang(false);
    doc.SetCaption(path);
    return true;
}

bool frmMain::mnuFileSave_Click()
{
    if (!mayWrite()) return false;
    DocumentApi* doc = ActiveDocument();
    if (!doc) return false;
    const QString caption = doc->Caption();
    QString path;
    if (caption.left(kUntitledCaptionStart.size()) == kUntitledCaptionStart) {
        path = askFileName(true, kSaveDialogTitle);
        if (path.isEmpty()) return false;
    } else if (caption.endsWith(QLatin1Char('*'))) {
        path = caption.chopped(1);
    } else {
        path = caption;
    }
    return Save_Document(*doc, path);
}

void frmMain::mnuFileSaveAs_Click()
{
    if (Burner_Busy() || !mayWrite()) return;
    DocumentApi* doc = ActiveDocument();
    if (!doc) return;
    const QString path = askFileName(true, kSaveAsDialogTitle);
    if (path.isEmpty()) return;
    Save_Document(*doc, path);
}
