#include "platform/ui/user_focus.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
// The widget that had the focus before the latest change. QApplication emits focusChanged
// after the FocusIn event, so while a FocusIn is handled this still names the widget left.
QPointer<QWidget>& lastFocus()
{
    static QPointer<QWidget> widget;
    return widget;
}
}  // namespace

void Track_Focus_Changes()
{
    static bool tracking = false;
    if (tracking || !qApp) return;
    tracking = true;
    lastFocus() = QApplication::focusWidget();
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) { lastFocus() = now; });
}

bool Focus_Moved_By_User(const QFocusEvent& event)
{
    switch (event.reason()) {
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason: {
        const QWidget* left = lastFocus();
        return left && left->isEnabled() && left->isVisible();
    }
    default:
        return false;
    }
}
