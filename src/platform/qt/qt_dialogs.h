#pragma once
// Message and input boxes, file and printer dialogs on Qt's own dialogs. They open over
// the active window of the application.
#include "platform/dialogs.h"

class QMessageBox;

class QtDialogs : public Dialogs {
public:
    // `appTitle` captions every box that has no title of its own.
    explicit QtDialogs(const QString& appTitle = QStringLiteral("Morrowbyte"));

    Result messageBox(const QString& text, Buttons buttons = OkOnly, Icon icon = NoIcon,
                      const QString& title = QString()) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText = QString()) override;
    // One dialog shared by all file commands: it starts on the last chosen file. Save asks
    // nothing before overwriting and adds no extension.
    QString openFileName(const QString& title, const QString& filter, int filterIndex) override;
    QString saveFileName(const QString& title, const QString& filter, int filterIndex) override;
    // A printer dialog over a high-resolution printer without a page-range choice.
    std::unique_ptr<Printer> choosePrinter(const QString& title) override;
    int showModal(QDialog* dialog) override;

    // The box messageBox() shows, built but not shown (tests look at it).
    QMessageBox* buildMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                 QWidget* parent) const;
    // The result a closed box gives for the button clicked (nullptr: closed without one).
    static Result resultFor(const QMessageBox& box, Buttons buttons);

private:
    QString fileName(bool save, const QString& title, const QString& filter, int filterIndex);

    QString appTitle_;
    QString lastFile_;
};
