// Filters for Qt's file dialog, and the Qt dialogs driven as a user would.
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_printer.h"

#include "support/event_wait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kProgramFilter =
    "Velmondra SPD Files (*.spd)|*.spd|Bin Files (*.bin)|*.bin|All Files (*.*)|*.*";

// Runs `act` on the next modal window to open (waiting up to Event_Wait_Ms for it).
void whenModal(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, tries] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(w);
            // A window the action failed to close would hang the test: close it.
            QPointer<QWidget> left(w);
            QTimer::singleShot(Event_Wait_Ms, [left] {
                if (left && left->isVisible()) {
                    ADD_FAILURE() << "the modal window stayed open";
                    if (auto* d = qobject_cast<QDialog*>(left.data()))
                        d->reject();
                    else
                        left->close();
                }
            });
        } else if (++*tries > Event_Wait_Ms / 10) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    poll->start();
}

// Picks `path` in a file dialog as a user typing its name would, and confirms.
void chooseFile(QFileDialog* fd, const QString& path)
{
    fd->setDirectory(QFileInfo(path).absolutePath());
    fd->selectFile(path);
    // selectFile() can lose the race with the folder listing; the typed name cannot.
    if (auto* edit = fd->findChild<QLineEdit*>("fileNameEdit"))
        edit->setText(QFileInfo(path).fileName());
    static_cast<QDialog*>(fd)->accept();
}

QAbstractButton* button(QMessageBox* box, QMessageBox::StandardButton which)
{
    return box->button(which);
}

} // namespace

TEST(FileFilter, ProgramFilterBecomesQtEntries)
{
    EXPECT_EQ(qtFileFilter(kProgramFilter), "Velmondra SPD Files (*.spd);;Bin Files (*.bin);;All Files (*)");
    EXPECT_EQ(qtSelectedFilter(kProgramFilter, 1), "Velmondra SPD Files (*.spd)");
    EXPECT_EQ(qtSelectedFilter(kProgramFilter, 3), "All Files (*)");
}

TEST(FileFilter, ConversionCases)
{
    struct Case {
        const char* vb;
        const char* qt;
    } cases[] = {
        {"A (*.spd)|*.spd|B|*.bin", "A (*.spd);;B (*.bin)"},
        // A description whose parentheses say something else keeps them; Qt reads the last group.
        {"Old (see manual)|*.bin", "Old (see manual) (*.bin)"},
        {"Images|*.spd;*.bin", "Images (*.spd *.bin)"},
        {"Images (*.spd;*.bin)|*.spd;*.bin", "Images (*.spd *.bin)"},
        {"|*.bin", "*.bin"},
        {"Nothing|", "Nothing (*)"},
        {"A|*.spd|Dangling", "A (*.spd)"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtFileFilter(c.vb), QString::fromUtf8(c.qt)) << c.vb;
}

TEST(FileFilter, SelectedEntryOutOfRangeIsEmpty)
{
    EXPECT_EQ(qtSelectedFilter(kProgramFilter, 0), "");
    EXPECT_EQ(qtSelectedFilter(kProgramFilter, 4), "");
    EXPECT_EQ(qtSelectedFilter("", 1), "");
}

TEST(FileFilter, AllFilesMatchesNamesWithoutADot)
{
    // Windows' "*.*" takes every file; binary images may have no extension at all.
    QTemporaryDir dir;
    for (const char* name : {"myspd", "a.spd", "b.bin"}) {
        QFile f(dir.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir d(dir.path());
    const QString all = qtSelectedFilter(kProgramFilter, 3);
    const QString patterns = all.mid(all.lastIndexOf('(') + 1).chopped(1);
    d.setNameFilters(patterns.split(' '));
    EXPECT_EQ(d.entryList(QDir::Files), QStringList({"a.spd", "b.bin", "myspd"}));
}

TEST(QtMessageBox, CaptionIconAndButtons)
{
    QtDialogs dialogs;
    struct Case {
        Dialogs::Buttons buttons;
        Dialogs::Icon icon;
        QMessageBox::StandardButtons expected;
        QMessageBox::Icon expectedIcon;
    } cases[] = {
        {Dialogs::OkOnly, Dialogs::Critical, QMessageBox::Ok, QMessageBox::Critical},
        {Dialogs::OkCancel, Dialogs::Question, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question},
        {Dialogs::YesNoCancel, Dialogs::Exclamation, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Warning},
        {Dialogs::YesNo, Dialogs::Information, QMessageBox::Yes | QMessageBox::No, QMessageBox::Information},
        {Dialogs::RetryCancel, Dialogs::NoIcon, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::NoIcon},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QMessageBox> box(dialogs.buildMessageBox("text", c.buttons, c.icon, QString(), nullptr));
        EXPECT_EQ(box->standardButtons(), c.expected);
        EXPECT_EQ(box->icon(), c.expectedIcon);
        EXPECT_EQ(box->windowTitle(), "Morrowbyte");
    }
    std::unique_ptr<QMessageBox> titled(
        dialogs.buildMessageBox("x", Dialogs::OkOnly, Dialogs::Critical, "錯誤訊息", nullptr));
    EXPECT_EQ(titled->windowTitle(), "錯誤訊息");
}

TEST(QtMessageBox, TextIsShownAsWrittenIncludingBlanks)
{
    QtDialogs dialogs;
    const QString text = "      *****   無法讀取狀態 !   *****      ";
    std::unique_ptr<QMessageBox> box(dialogs.buildMessageBox(text, Dialogs::OkOnly, Dialogs::Critical, "", nullptr));
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    // Markup-looking text is not interpreted.
    std::unique_ptr<QMessageBox> markup(
        dialogs.buildMessageBox("<b>x</b>", Dialogs::OkOnly, Dialogs::NoIcon, "", nullptr));
    EXPECT_EQ(markup->textFormat(), Qt::PlainText);
}

// A short text must not leave the box too narrow for its caption beside the window
// manager's buttons ("Morrowburn" was cut to "M…rn").
TEST(QtMessageBox, ShortTextLeavesRoomForTheCaption)
{
    QtDialogs dialogs;
    std::unique_ptr<QMessageBox> box(
        dialogs.buildMessageBox("本程式已執行", Dialogs::OkOnly, Dialogs::Critical, "Morrowburn", nullptr));
    box->show();
    QFont bold = box->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // The caption and four title-bar buttons as wide as the title bar is high.
    EXPECT_GE(box->width(), metrics.horizontalAdvance("Morrowburn") + 4 * (metrics.height() + 4));
}

TEST(QtMessageBox, ClickedButtonIsTheAnswer)
{
    QtDialogs dialogs;
    whenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Morrowbyte");
        button(box, QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.messageBox("Save?", Dialogs::YesNoCancel, Dialogs::Question), Dialogs::No);

    whenModal([](QWidget* w) { button(qobject_cast<QMessageBox*>(w), QMessageBox::Retry)->click(); });
    EXPECT_EQ(dialogs.messageBox("Again?", Dialogs::RetryCancel), Dialogs::Retry);
}

TEST(QtMessageBox, EscapeAnswersCancelOrNo)
{
    QtDialogs dialogs;
    whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.messageBox("?", Dialogs::OkCancel), Dialogs::Cancel);
    whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.messageBox("?", Dialogs::YesNo), Dialogs::No);
    whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.messageBox("!", Dialogs::OkOnly), Dialogs::Ok);
}

TEST(QtInputBox, TypedTextOrEmptyOnCancel)
{
    QtDialogs dialogs;
    whenModal([](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->windowTitle(), "Morrowbyte");
        EXPECT_EQ(input->labelText(), "Serial number");
        EXPECT_EQ(input->textValue(), "0001");
        input->setTextValue("0042");
        input->accept();
    });
    EXPECT_EQ(dialogs.inputBox("Serial number", "", "0001"), "0042");

    whenModal([](QWidget* w) {
        qobject_cast<QInputDialog*>(w)->setTextValue("typed");
        qobject_cast<QDialog*>(w)->reject();
    });
    EXPECT_EQ(dialogs.inputBox("Serial number", "Title", "0001"), "");
}

TEST(QtFileDialogs, OpenShowsTheFiltersAndReturnsTheChosenFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/module.spd";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QtDialogs dialogs;
    whenModal([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        EXPECT_EQ(fd->windowTitle(), "開啟舊檔");
        EXPECT_EQ(fd->nameFilters(),
                  QStringList({"Velmondra SPD Files (*.spd)", "Bin Files (*.bin)", "All Files (*)"}));
        EXPECT_EQ(fd->selectedNameFilter(), "Bin Files (*.bin)");
        chooseFile(fd, path);
    });
    EXPECT_EQ(dialogs.openFileName("開啟舊檔", kProgramFilter, 2), path);

    whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(dialogs.openFileName("開啟舊檔", kProgramFilter, 1), "");
}

TEST(QtFileDialogs, SaveOverAnExistingFileAsksBeforeReplacingAndStartsFromTheLastFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/existing.spd";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QtDialogs dialogs;
    bool asked = false;
    whenModal([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        EXPECT_EQ(fd->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(fd->defaultSuffix().isEmpty());
        // The question whether to replace the file is a second modal window over the dialog.
        whenModal([&](QWidget* question) {
            auto* box = qobject_cast<QMessageBox*>(question);
            ASSERT_NE(box, nullptr);
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        chooseFile(fd, path);
        EXPECT_FALSE(fd->isVisible());
    });
    EXPECT_EQ(dialogs.saveFileName("儲存", kProgramFilter, 1), path);
    EXPECT_TRUE(asked);

    // The dialog keeps the last name, as one shared file dialog does.
    whenModal([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        EXPECT_EQ(fd->directory().absolutePath(), QDir(dir.path()).absolutePath());
        EXPECT_EQ(fd->selectedFiles().value(0), path);
        fd->reject();
    });
    EXPECT_EQ(dialogs.saveFileName("另存新檔", kProgramFilter, 1), "");
}

TEST(QtShowModal, ReturnsTheWindowsResult)
{
    QtDialogs dialogs;
    QDialog dialog;
    whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->done(7); });
    EXPECT_EQ(dialogs.showModal(&dialog), 7);
    EXPECT_EQ(dialogs.showModal(nullptr), QDialog::Rejected);
}

TEST(QtPrinterDialog, CancelGivesNoPrinterAndOkAHighResolutionOne)
{
    QtDialogs dialogs;
    whenModal([](QWidget* w) {
        auto* pd = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(pd, nullptr);
        EXPECT_EQ(pd->windowTitle(), "Print");
        EXPECT_FALSE(pd->testOption(QAbstractPrintDialog::PrintPageRange));
        pd->reject();
    });
    EXPECT_EQ(dialogs.choosePrinter("Print"), nullptr);

    QTemporaryDir dir;
    whenModal([&](QWidget* w) {
        auto* pd = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(pd, nullptr);
        pd->printer()->setOutputFormat(QPrinter::PdfFormat);
        pd->printer()->setOutputFileName(dir.path() + "/out.pdf");
        pd->accept();
    });
    std::unique_ptr<Printer> printer = dialogs.choosePrinter("Print");
    ASSERT_NE(printer, nullptr);
    auto* qt = dynamic_cast<QtPrinter*>(printer.get());
    ASSERT_NE(qt, nullptr);
    EXPECT_GE(qt->qprinter()->resolution(), 600);
}
