#pragma once
// Message boxes, input boxes, file and printer dialogs, and modal windows.
#include <QString>
#include <memory>

class QDialog;
class QWidget;
class Printer;

class Dialogs {
public:
    enum Icon { NoIcon, Critical, Question, Exclamation, Information };
    enum Buttons { OkOnly, OkCancel, YesNoCancel, YesNo, RetryCancel };
    enum Result { Ok, Cancel, Yes, No, Retry };

    virtual ~Dialogs() = default;
    // A box without a title of its own is captioned with the application title.
    virtual Result messageBox(const QString& text, Buttons buttons = OkOnly, Icon icon = NoIcon,
                              const QString& title = QString()) = 0;
    // The typed text; "" when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText = QString()) = 0;
    // VB-style filter "A (*.spd)|*.spd|B|*.bin"; index counts from 1. "" on Cancel.
    virtual QString openFileName(const QString& title, const QString& filter, int filterIndex) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter, int filterIndex) = 0;
    // The chosen printer, or nullptr when the user cancels.
    virtual std::unique_ptr<Printer> choosePrinter(const QString& title) = 0;
    // Shows the window modally; returns its result code.
    virtual int showModal(QDialog* dialog) = 0;
};

// "A (*.spd)|*.spd|B|*.bin" -> "A (*.spd);;B (*.bin)" as Qt wants it: a description that
// already ends with its patterns keeps them, any other gets them appended; "*.*" (every
// file on Windows) becomes "*", and ';' between patterns becomes a blank.
QString qtFileFilter(const QString& vbFilter);
// The Qt filter entry for a 1-based VB filter index ("" when out of range).
QString qtSelectedFilter(const QString& vbFilter, int filterIndex);
