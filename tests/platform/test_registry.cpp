// Registry values kept in settings files: where they land, what reads give back, and the
// owner-only file that holds the administrator password.
#include "platform/qt/qt_registry.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t fileMode(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t m) : old_(::umask(m)) {}
    ~ScopedUmask() { ::umask(old_); }

private:
    mode_t old_;
};

class RegistryFiles : public ::testing::Test {
protected:
    QString userFile() const { return dir.path() + "/user/Velmondra inc./Morrowburn.conf"; }
    QString systemFile() const { return dir.path() + "/system/Morrowburn.conf"; }

    QTemporaryDir dir;
    QtRegistry reg{userFile(), systemFile()};
};

constexpr auto HKCU = Registry::CurrentUser;
constexpr auto HKLM = Registry::LocalMachine;

} // namespace

TEST_F(RegistryFiles, ProgramSubkeysBecomeGroupsOfTheProgramFile)
{
    ASSERT_TRUE(reg.writeValue(HKCU, kSettingsKey, "CommPort", "3"));
    ASSERT_TRUE(reg.writeValue(HKCU, kHistoryKey, "1", "/home/u/a.spd"));
    ASSERT_TRUE(reg.writeValue(HKCU, kHistoryKey, "PASS2", "secret"));

    QSettings file(userFile(), QSettings::IniFormat);
    EXPECT_EQ(file.value("Settings/CommPort").toString(), "3");
    EXPECT_EQ(file.value("History/1").toString(), "/home/u/a.spd");
    EXPECT_EQ(file.value("History/PASS2").toString(), "secret");
    EXPECT_EQ(file.childGroups(), QStringList({"History", "Settings"}));
}

TEST_F(RegistryFiles, ValuesReadBackExactly)
{
    const QStringList samples = {
        "1", "", " ", "  leading and trailing  ", "a,b,c", "semi;colon", "#hash", "=equals",
        "@Invalid()", "@String(x)", "quote\"inside", "back\\slash", "/home/u/My Files/x.spd",
        "電腦讀取模組", "line1\nline2", "tab\there", QString(300, QChar('x'))};
    for (int i = 0; i < samples.size(); ++i) {
        const QString name = QString("v%1").arg(i);
        ASSERT_TRUE(reg.writeValue(HKCU, kHistoryKey, name, samples[i])) << i;
    }
    QtRegistry fresh(userFile(), systemFile()); // read through a new object, from the file
    for (int i = 0; i < samples.size(); ++i) {
        const auto v = fresh.readValue(HKCU, kHistoryKey, QString("v%1").arg(i));
        ASSERT_TRUE(v.has_value()) << i;
        EXPECT_EQ(*v, samples[i]) << i;
    }
}

TEST_F(RegistryFiles, EmptyStringIsAValueNotAMissingOne)
{
    ASSERT_TRUE(reg.writeValue(HKCU, kHistoryKey, "PASS1", ""));
    const auto v = reg.readValue(HKCU, kHistoryKey, "PASS1");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, "");
}

TEST_F(RegistryFiles, MissingValuesAndKeysReadAsNothing)
{
    EXPECT_FALSE(reg.readValue(HKCU, kSettingsKey, "CommPort").has_value()); // no file yet
    ASSERT_TRUE(reg.writeValue(HKCU, kSettingsKey, "CommPort", "2"));
    EXPECT_FALSE(reg.readValue(HKCU, kSettingsKey, "Other").has_value());
    EXPECT_FALSE(reg.readValue(HKCU, kHistoryKey, "CommPort").has_value());
    EXPECT_FALSE(reg.readValue(HKCU, kProgramKey, "CommPort").has_value());
    EXPECT_FALSE(reg.readValue(HKCU, "SOFTWARE\\Other", "CommPort").has_value());
}

TEST_F(RegistryFiles, KeyAndValueNamesIgnoreCase)
{
    ASSERT_TRUE(reg.writeValue(HKCU, kSettingsKey, "CommPort", "4"));
    EXPECT_EQ(reg.readValue(HKCU, "Software\\Velmondra inc.\\Morrowburn\\Settings", "CommPort"), "4");
    EXPECT_EQ(reg.readValue(HKCU, "software\\VELMONDRA INC.\\morrowburn\\SETTINGS", "commport"), "4");
    // A write in other spelling replaces the value instead of adding a second one.
    ASSERT_TRUE(reg.writeValue(HKCU, "Software\\Velmondra inc.\\Morrowburn\\settings", "COMMPORT", "1"));
    EXPECT_EQ(reg.readValue(HKCU, kSettingsKey, "CommPort"), "1");
    QSettings file(userFile(), QSettings::IniFormat);
    file.beginGroup("Settings");
    EXPECT_EQ(file.childKeys(), QStringList({"CommPort"}));
}

TEST_F(RegistryFiles, OtherKeysKeepTheirPathAndMachineKeysTheirOwnFile)
{
    const QString msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    ASSERT_TRUE(reg.writeValue(HKLM, msinfo, "PATH", "/usr/bin/msinfo"));
    ASSERT_TRUE(reg.writeValue(HKCU, msinfo, "PATH", "/home/u/msinfo"));
    EXPECT_EQ(reg.readValue(HKLM, msinfo, "PATH"), "/usr/bin/msinfo");
    EXPECT_EQ(reg.readValue(HKCU, msinfo, "PATH"), "/home/u/msinfo");

    QSettings machine(systemFile(), QSettings::IniFormat);
    EXPECT_EQ(machine.value("SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH").toString(), "/usr/bin/msinfo");
    EXPECT_FALSE(reg.readValue(HKLM, kSettingsKey, "CommPort").has_value());
}

TEST_F(RegistryFiles, NamesThatCannotBeStoredAreRefused)
{
    EXPECT_FALSE(reg.writeValue(HKCU, kSettingsKey, "", "x"));
    EXPECT_FALSE(reg.writeValue(HKCU, kSettingsKey, "a/b", "x"));
    EXPECT_FALSE(reg.writeValue(HKCU, "SOFTWARE\\\\Empty part", "a", "x"));
    EXPECT_FALSE(reg.writeValue(HKCU, "", "a", "x"));
    EXPECT_FALSE(reg.readValue(HKCU, kSettingsKey, "a/b").has_value());
    EXPECT_FALSE(reg.createKey(HKCU, "SOFTWARE\\a/b"));
}

TEST_F(RegistryFiles, FileIsOwnerOnlyFromItsFirstWrite)
{
    ScopedUmask open022(022);
    ASSERT_TRUE(reg.writeValue(HKCU, kHistoryKey, "PASS2", "secret"));
    EXPECT_EQ(fileMode(userFile()), 0600u);
    ASSERT_TRUE(reg.writeValue(HKCU, kHistoryKey, "PASS1", "x"));
    EXPECT_EQ(fileMode(userFile()), 0600u);
}

TEST_F(RegistryFiles, CreateKeyMakesAnOwnerOnlyFile)
{
    ScopedUmask open000(0);
    EXPECT_TRUE(reg.createKey(HKCU, kSettingsKey));
    ASSERT_TRUE(QFileInfo::exists(userFile()));
    EXPECT_EQ(fileMode(userFile()), 0600u);
    EXPECT_FALSE(reg.readValue(HKCU, kSettingsKey, "CommPort").has_value());
}

TEST_F(RegistryFiles, ReadableFileLeftByOthersIsClosedOnTheNextWrite)
{
    ASSERT_TRUE(reg.writeValue(HKCU, kSettingsKey, "CommPort", "1"));
    ASSERT_TRUE(QFile::setPermissions(userFile(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                      QFile::ReadOther));
    ASSERT_TRUE(reg.writeValue(HKCU, kHistoryKey, "PASS2", "secret"));
    EXPECT_EQ(fileMode(userFile()), 0600u);
}

TEST_F(RegistryFiles, WriteToAnUnwritableFileReportsFailure)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind the superuser";
    ASSERT_TRUE(reg.writeValue(HKCU, kSettingsKey, "CommPort", "1"));
    ASSERT_TRUE(QFile::setPermissions(userFile(), QFile::ReadOwner));
    EXPECT_FALSE(reg.writeValue(HKCU, kSettingsKey, "CommPort", "2"));
    EXPECT_EQ(reg.readValue(HKCU, kSettingsKey, "CommPort"), "1");
}

TEST(RegistryFailure, FileThatCannotBeMadeReportsFailure)
{
    QTemporaryDir dir;
    QFile blocker(dir.path() + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtRegistry reg(blocker.fileName() + "/Morrowburn.conf", blocker.fileName() + "/system.conf");
    EXPECT_FALSE(reg.createKey(HKCU, kSettingsKey));
    EXPECT_FALSE(reg.writeValue(HKCU, kSettingsKey, "CommPort", "1"));
    EXPECT_FALSE(reg.writeValue(HKLM, kSettingsKey, "CommPort", "1"));
    EXPECT_FALSE(reg.readValue(HKCU, kSettingsKey, "CommPort").has_value());
}

TEST(RegistryStandardFile, LivesInTheUsersConfigFolder)
{
    // The test main points the per-user settings at a private folder.
    QtRegistry reg;
    const QString file = reg.fileName(Registry::CurrentUser);
    EXPECT_TRUE(file.endsWith("/Velmondra inc./Morrowburn.conf")) << file.toStdString();
    ASSERT_TRUE(reg.writeValue(Registry::CurrentUser, kSettingsKey, "CommPort", "2"));
    EXPECT_EQ(fileMode(file), 0600u);
    EXPECT_EQ(reg.readValue(Registry::CurrentUser, kSettingsKey, "CommPort"), "2");
    QFile::remove(file);
}
