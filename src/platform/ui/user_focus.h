#pragma once
// Tells a focus change the user made from one Qt makes by itself.
#include <QFocusEvent>

// Starts following focus changes. The program calls it once at start-up, right after
// making the QApplication, before any window can take the focus; later calls do nothing.
void Track_Focus_Changes();

// True when the focus came by the user's own move: a click, or Tab, Backtab or a shortcut
// from a control that can still take it. When the program disables or hides the control
// that has the focus, Qt hands the focus on with the Tab reason as well; the control left
// behind is then disabled or hidden, and the change is not the user's. Focus given back
// when a window or message box closes is not the user's either.
bool Focus_Moved_By_User(const QFocusEvent& event);
