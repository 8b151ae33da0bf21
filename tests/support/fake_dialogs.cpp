#include "fake_dialogs.h"

#include <QDialog>
#include <QMetaObject>
#include <QStringList>

namespace {
template <typename T>
T takeOr(QList<T>& queue, const T& fallback)
{
    return queue.isEmpty() ? fallback : queue.takeFirst();
}
}

Dialogs::Result FakeDialogs::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    Call c;
    c.kind = MessageBoxCall;
    c.text = text;
    c.title = title;
    c.caption = title.isEmpty() ? appTitle : title;
    c.icon = icon;
    c.buttons = buttons;
    calls << c;
    if (onMessage)
        onMessage(c);
    Result first = Ok;
    if (buttons == YesNo || buttons == YesNoCancel)
        first = Yes;
    else if (buttons == RetryCancel)
        first = Retry;
    return takeOr(messageAnswers, defaultMessageAnswer.value_or(first));
}

QString FakeDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    Call c;
    c.kind = InputBoxCall;
    c.text = prompt;
    c.title = title;
    c.caption = title.isEmpty() ? appTitle : title;
    c.defaultText = defaultText;
    calls << c;
    return takeOr(inputAnswers, defaultInputAnswer);
}

QString FakeDialogs::openFileName(const QString& title, const QString& filter, int filterIndex)
{
    Call c;
    c.kind = OpenFileCall;
    c.title = c.caption = title;
    c.filter = filter;
    c.filterIndex = filterIndex;
    calls << c;
    return takeOr(openAnswers, defaultFileAnswer);
}

QString FakeDialogs::saveFileName(const QString& title, const QString& filter, int filterIndex)
{
    Call c;
    c.kind = SaveFileCall;
    c.title = c.caption = title;
    c.filter = filter;
    c.filterIndex = filterIndex;
    calls << c;
    return takeOr(saveAnswers, defaultFileAnswer);
}

std::unique_ptr<Printer> FakeDialogs::choosePrinter(const QString& title)
{
    Call c;
    c.kind = PrinterCall;
    c.title = c.caption = title;
    calls << c;
    if (!takeOr(printerAnswers, defaultPrinterChosen))
        return nullptr;
    if (makePrinter)
        return makePrinter();
    auto printer = std::make_unique<FakePrinter>(printerLog);
    printer->failAtLine = printerFailAtLine;
    return printer;
}

int FakeDialogs::showModal(QDialog* dialog)
{
    Call c;
    c.kind = ModalCall;
    c.dialog = dialog;
    if (dialog) {
        c.dialogClass = QString::fromLatin1(dialog->metaObject()->className());
        c.title = c.caption = dialog->windowTitle();
    }
    calls << c;
    if (onModal)
        return onModal(dialog);
    return modalDefault;
}

QList<FakeDialogs::Call> FakeDialogs::callsOf(Kind kind) const
{
    QList<Call> out;
    for (const Call& c : calls)
        if (c.kind == kind)
            out << c;
    return out;
}

QStringList FakeDialogs::messageTexts() const
{
    QStringList out;
    for (const Call& c : calls)
        if (c.kind == MessageBoxCall)
            out << c.text;
    return out;
}

const FakeDialogs::Call* FakeDialogs::lastMessage() const
{
    for (int i = calls.size() - 1; i >= 0; --i)
        if (calls[i].kind == MessageBoxCall)
            return &calls[i];
    return nullptr;
}

void FakeDialogs::clear()
{
    calls.clear();
    messageAnswers.clear();
    inputAnswers.clear();
    openAnswers.clear();
    saveAnswers.clear();
    printerAnswers.clear();
    *printerLog = FakePrinter::Log();
}
