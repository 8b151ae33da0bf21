#pragma once
// A main window on the platform doubles, with a private folder for files.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "support/platform_fixture.h"
#include "shell/admin_password.h"
#include "shell/frm_main.h"
#include "spd_document/ui/frm_document.h"

class ShellWindowTest : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        Reset_Password_Values();
        main = std::make_unique<frmMain>();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override
    {
        main.reset();
        Reset_Password_Values();
        PlatformFixture::TearDown();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    static void putFile(const QString& file, const QByteArray& data)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(data), data.size());
    }
    static QByteArray fileBytes(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Message boxes with the given title, in order.
    QList<FakeDialogs::Call> messagesTitled(const QString& title) const
    {
        QList<FakeDialogs::Call> out;
        for (const FakeDialogs::Call& c : dialogs.messages())
            if (c.title == title) out << c;
        return out;
    }

    // Captions of the shown recent-file entries, entry 1 first.
    QStringList recentFiles() const
    {
        QStringList out;
        for (int i = 1; i <= 3; ++i)
            if (main->mnuFileMRU[static_cast<size_t>(i)]->isVisible()) out << main->mruPath(i);
        return out;
    }

    std::unique_ptr<frmMain> main;
    QTemporaryDir dir;
};
