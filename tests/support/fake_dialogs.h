#pragma once
// Dialogs that record every call and answer from scripts, so tests can check the exact
// text, title, icon and buttons of each message without showing anything.
#include "platform/dialogs.h"

#include "fake_printer.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class FakeDialogs : public Dialogs {
public:
    enum Kind { MessageBoxCall, InputBoxCall, OpenFileCall, SaveFileCall, PrinterCall, ModalCall };
    struct Call {
        Kind kind = MessageBoxCall;
        QString text;        // message text or input prompt
        QString title;       // as passed
        QString caption;     // as shown: an empty title shows the application title
        Icon icon = NoIcon;
        Buttons buttons = OkOnly;
        QString defaultText; // input box
        QString filter;      // file dialogs, as passed (VB form)
        int filterIndex = 0;
        QDialog* dialog = nullptr;  // showModal
        QString dialogClass;        // showModal: the window's class name
    };

    Result messageBox(const QString& text, Buttons buttons = OkOnly, Icon icon = NoIcon,
                      const QString& title = QString()) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText = QString()) override;
    QString openFileName(const QString& title, const QString& filter, int filterIndex) override;
    QString saveFileName(const QString& title, const QString& filter, int filterIndex) override;
    // A FakePrinter writing into printerLog, or nullptr when the script says Cancel.
    std::unique_ptr<Printer> choosePrinter(const QString& title) override;
    // Runs onModal when set (it may fill and close the window and returns the result
    // code); otherwise answers modalDefault without showing the window.
    int showModal(QDialog* dialog) override;

    // Scripts: queued answers are used first, in order; then the defaults.
    QList<Result> messageAnswers;
    // Unset: the first button of the box (Ok, Yes or Retry).
    std::optional<Result> defaultMessageAnswer;
    QList<QString> inputAnswers;        // "" stands for Cancel
    QString defaultInputAnswer;
    QList<QString> openAnswers;
    QList<QString> saveAnswers;
    QString defaultFileAnswer;          // "" = Cancel
    QList<bool> printerAnswers;         // true = a printer is chosen
    bool defaultPrinterChosen = true;
    // A chosen printer fails at this line (see FakePrinter::failAtLine); -1 never.
    int printerFailAtLine = -1;
    // When set, makes the printer that a chosen answer hands out (e.g. a real PDF printer)
    // instead of the FakePrinter writing into printerLog.
    std::function<std::unique_ptr<Printer>()> makePrinter;
    std::function<int(QDialog*)> onModal;
    int modalDefault = 0;
    // Called for each message box before it answers (e.g. to look at the window behind it).
    std::function<void(const Call&)> onMessage;

    QString appTitle = QStringLiteral("Morrowbyte");
    std::shared_ptr<FakePrinter::Log> printerLog = std::make_shared<FakePrinter::Log>();

    // Record.
    QList<Call> calls;
    QList<Call> callsOf(Kind kind) const;
    QList<Call> messages() const { return callsOf(MessageBoxCall); }
    // The text of every message box, in order.
    QStringList messageTexts() const;
    const Call* lastMessage() const;
    void clear();
};
