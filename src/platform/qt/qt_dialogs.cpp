#include "platform/qt/qt_dialogs.h"

#include "platform/qt/qt_printer.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpacerItem>

namespace {

QWidget* dialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QMessageBox::StandardButtons standardButtons(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Dialogs::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case Dialogs::OkOnly:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Critical:
        return QMessageBox::Critical;
    case Dialogs::Question:
        return QMessageBox::Question;
    case Dialogs::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Information:
        return QMessageBox::Information;
    case Dialogs::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

// Qt sizes a message box for its text and buttons with only a small allowance for the
// caption; a window manager then cuts a caption such as "Morrowburn" over a short text
// down to "M…rn" beside its icon and buttons. A blank row across the box keeps it wide
// enough for the caption in a bold title font and about five title-bar buttons.
void reserveCaptionRoom(QMessageBox* box)
{
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    if (!grid)
        return;
    QFont titleFont = box->font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int width = metrics.horizontalAdvance(box->windowTitle()) + 6 * metrics.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

QtDialogs::QtDialogs(const QString& appTitle) : appTitle_(appTitle) {}

QMessageBox* QtDialogs::buildMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                        QWidget* parent) const
{
    auto* box = new QMessageBox(messageIcon(icon), title.isEmpty() ? appTitle_ : title, text,
                                standardButtons(buttons), parent);
    box->setTextFormat(Qt::PlainText);
    reserveCaptionRoom(box);
    // Escape answers Cancel where there is one; a Yes/No box answers No.
    if (buttons == YesNo)
        box->setEscapeButton(QMessageBox::No);
    return box;
}

Dialogs::Result QtDialogs::resultFor(const QMessageBox& box, Buttons buttons)
{
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return Ok;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Retry:
        return Retry;
    case QMessageBox::Cancel:
        return Cancel;
    default:
        break;
    }
    // Closed without a button (the window was closed from outside).
    switch (buttons) {
    case OkOnly:
        return Ok;
    case YesNo:
        return No;
    default:
        return Cancel;
    }
}

Dialogs::Result QtDialogs::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    QPointer<QMessageBox> box = buildMessageBox(text, buttons, icon, title, dialogParent());
    box->exec();
    if (!box)
        return buttons == OkOnly ? Ok : (buttons == YesNo ? No : Cancel);
    const Result r = resultFor(*box, buttons);
    delete box;
    return r;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title.isEmpty() ? appTitle_ : title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QString QtDialogs::fileName(bool save, const QString& title, const QString& filter, int filterIndex)
{
    QString selected = qtSelectedFilter(filter, filterIndex);
    const QString qtFilter = qtFileFilter(filter);
    QString chosen;
    if (save) {
        // The dialog asks before an existing file is chosen to be replaced.
        chosen = QFileDialog::getSaveFileName(dialogParent(), title, lastFile_, qtFilter, &selected);
    } else {
        chosen = QFileDialog::getOpenFileName(dialogParent(), title, lastFile_, qtFilter, &selected);
    }
    if (!chosen.isEmpty())
        lastFile_ = chosen;
    return chosen;
}

QString QtDialogs::openFileName(const QString& title, const QString& filter, int filterIndex)
{
    return fileName(false, title, filter, filterIndex);
}

QString QtDialogs::saveFileName(const QString& title, const QString& filter, int filterIndex)
{
    return fileName(true, title, filter, filterIndex);
}

std::unique_ptr<Printer> QtDialogs::choosePrinter(const QString& title)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), dialogParent());
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<QtPrinter>(std::move(printer));
}

int QtDialogs::showModal(QDialog* dialog)
{
    return dialog ? dialog->exec() : QDialog::Rejected;
}
