// Addresses handed to the desktop unchanged, and programs that are not there not started.
#include "platform/qt/qt_shell.h"

#include "support/event_wait.h"

#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

TEST(QtShellUrls, WebAndMailAddressesReachTheDesktopIntact)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QtShell shell;
    EXPECT_TRUE(shell.openUrl("mailto:service@example.com?subject=SPD Error Mail"));
    EXPECT_TRUE(shell.openUrl("http://www.example.com/"));
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("http");
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].scheme(), "mailto");
    EXPECT_EQ(catcher.urls[0].path(), "service@example.com");
    EXPECT_EQ(catcher.urls[0].query(QUrl::FullyDecoded), "subject=SPD Error Mail");
    EXPECT_EQ(catcher.urls[1], QUrl("http://www.example.com/"));
    EXPECT_FALSE(shell.openUrl(""));
}

TEST(QtShellPrograms, OnlyExistingExecutablesCount)
{
    QTemporaryDir dir;
    QFile plain(dir.path() + "/notes.txt");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QtShell shell;
    EXPECT_TRUE(shell.programExists("/bin/sh"));
    EXPECT_FALSE(shell.programExists(plain.fileName()));
    EXPECT_FALSE(shell.programExists(dir.path()));
    EXPECT_FALSE(shell.programExists("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE"));
    EXPECT_FALSE(shell.programExists(""));
    EXPECT_FALSE(shell.startProgram(dir.path() + "/missing-program"));
    EXPECT_FALSE(shell.startProgram(plain.fileName()));
}

TEST(QtShellPrograms, StartsAProgramDetached)
{
    QTemporaryDir dir;
    const QString mark = dir.path() + "/started";
    QtShell shell;
    ASSERT_TRUE(shell.startProgram("/bin/sh", {"-c", "touch \"$0\"", mark}));
    const QDeadlineTimer deadline(Event_Wait_Ms);
    while (!QFile::exists(mark) && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(mark));
}

#include "test_shell.moc"
