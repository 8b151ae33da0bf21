#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool QtShell::openUrl(const QString& url)
{
    const QUrl u = QUrl::fromUserInput(url);
    if (!u.isValid() || u.isEmpty())
        return false;
    return QDesktopServices::openUrl(u);
}

bool QtShell::startProgram(const QString& path, const QStringList& args)
{
    if (!programExists(path))
        return false;
    return QProcess::startDetached(path, args);
}

bool QtShell::programExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
