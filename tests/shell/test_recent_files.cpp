// The recent-files list: the order rule, the separator, writing to and reading from the
// "History" key.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "shell/shell_texts.h"
#include "shell_test_fixture.h"

namespace {

const QString P1 = QStringLiteral("/data/spd/p1.spd");
const QString P2 = QStringLiteral("/data/spd/p2.bin");
const QString P3 = QStringLiteral("/data/spd/p3.spd");
const QString P4 = QStringLiteral("/data/spd/p4.bin");

class RecentFilesTest : public ShellWindowTest {
protected:
    void use(const QString& p)
    {
        main->File_List_Ctl(p);
        main->File_List_Save();
    }
    std::optional<QString> stored(const char* name) const
    {
        return registry.get(kHistoryKey, QString::fromLatin1(name));
    }
    bool separatorShown() const { return main->mnuFileBar5->isVisible(); }
};

TEST_F(RecentFilesTest, NothingIsShownBeforeTheFirstFile)
{
    EXPECT_TRUE(recentFiles().isEmpty());
    EXPECT_FALSE(separatorShown());
}

TEST_F(RecentFilesTest, FirstFileBecomesEntryOneAndShowsTheSeparator)
{
    use(P1);
    EXPECT_EQ(recentFiles(), QStringList{ P1 });
    EXPECT_TRUE(separatorShown());
    EXPECT_EQ(main->mnuFileMRU[1]->text(), P1);
    EXPECT_EQ(stored("1"), P1);
    EXPECT_FALSE(stored("2").has_value());
}

TEST_F(RecentFilesTest, FourFilesLeaveTheLastThreeMostRecentFirst)
{
    for (const QString& p : { P1, P2, P3, P4 }) use(p);
    EXPECT_EQ(recentFiles(), (QStringList{ P4, P3, P2 }));
    EXPECT_EQ(stored("1"), P4);
    EXPECT_EQ(stored("2"), P3);
    EXPECT_EQ(stored("3"), P2);
}

TEST_F(RecentFilesTest, ReusingAnEntryOfAFullList)
{
    struct Case { QString path; QStringList after; };
    const Case cases[] = {
        { P2, { P2, P4, P3 } },   // the third moves to the top
        { P3, { P3, P4, P2 } },   // the second swaps with the first
        { P4, { P4, P3, P2 } },   // the first stays
        { P1, { P1, P4, P3 } },   // a new one pushes the third out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        main = std::make_unique<frmMain>();
        for (const QString& p : { P2, P3, P4 }) use(p);
        ASSERT_EQ(recentFiles(), (QStringList{ P4, P3, P2 }));
        use(c.path);
        EXPECT_EQ(recentFiles(), c.after);
        EXPECT_EQ(stored("1"), c.after[0]);
        EXPECT_EQ(stored("2"), c.after[1]);
        EXPECT_EQ(stored("3"), c.after[2]);
    }
}

TEST_F(RecentFilesTest, TwoEntries)
{
    use(P1);
    use(P1);
    EXPECT_EQ(recentFiles(), QStringList{ P1 });
    EXPECT_FALSE(main->mnuFileMRU[2]->isVisible());
    use(P2);
    EXPECT_EQ(recentFiles(), (QStringList{ P2, P1 }));
    EXPECT_TRUE(main->mnuFileMRU[2]->isVisible());
    use(P1);
    EXPECT_EQ(recentFiles(), (QStringList{ P1, P2 }));
    EXPECT_FALSE(main->mnuFileMRU[3]->isVisible());
    use(P1);
    EXPECT_EQ(recentFiles(), (QStringList{ P1, P2 }));
}

TEST_F(RecentFilesTest, PathsDifferingInCaseAreTwoEntries)
{
    use(QStringLiteral("/data/A.spd"));
    use(QStringLiteral("/data/a.spd"));
    EXPECT_EQ(recentFiles(), (QStringList{ QStringLiteral("/data/a.spd"), QStringLiteral("/data/A.spd") }));
}

TEST_F(RecentFilesTest, ListControlAloneWritesNothing)
{
    main->File_List_Ctl(P1);
    main->File_List_Ctl(P2);
    EXPECT_TRUE(registry.writes.isEmpty());
}

TEST_F(RecentFilesTest, SaveMakesSureOfBothKeysAndLeavesAbsentEntriesAlone)
{
    registry.set(kHistoryKey, QStringLiteral("2"), QString());
    registry.set(kHistoryKey, QStringLiteral("3"), QStringLiteral("/old/three.spd"));
    use(P1);
    EXPECT_TRUE(registry.createdKeys.contains(kSettingsKey));
    EXPECT_TRUE(registry.createdKeys.contains(kHistoryKey));
    EXPECT_EQ(stored("1"), P1);
    EXPECT_EQ(stored("2"), QString());
    EXPECT_EQ(stored("3"), QStringLiteral("/old/three.spd"));
    EXPECT_EQ(registry.writes.size(), 1);
}

TEST_F(RecentFilesTest, AnAmpersandInAPathIsShownAsItStands)
{
    int window = 0;
    for (const QString& odd : { QStringLiteral("/data/R&D/x.spd"), QStringLiteral("/data/A&&B.bin") }) {
        use(odd);
        EXPECT_EQ(main->mruPath(1), odd);
        EXPECT_EQ(stored("1"), odd);
        // Shown literally, not as a mnemonic, in the recent files and in the window list.
        EXPECT_EQ(main->mnuFileMRU[1]->iconText(), odd);
        main->Load_New_Document();
        main->ActiveForm()->SetCaption(odd);
        emit main->mnuWindow->aboutToShow();
        EXPECT_EQ(main->mnuWindow->actions().last()->iconText(), QStringLiteral("%1 ").arg(++window) + odd);
    }
}

// ---------------------------------------------------------------- reading at load

class RecentFilesLoadTest : public RecentFilesTest {
protected:
    void load()
    {
        registry.writes.clear();
        main->MDIForm_Load();
    }
};

TEST_F(RecentFilesLoadTest, StoredListIsShownAtLoad)
{
    registry.set(kHistoryKey, QStringLiteral("1"), P3);
    registry.set(kHistoryKey, QStringLiteral("2"), P2);
    registry.set(kHistoryKey, QStringLiteral("3"), P1);
    load();
    EXPECT_EQ(recentFiles(), (QStringList{ P3, P2, P1 }));
    EXPECT_TRUE(separatorShown());
    // Values that were fine are not written back.
    for (const auto& w : registry.writes) EXPECT_FALSE(w.name == QStringLiteral("1") || w.name == QStringLiteral("3"));
}

TEST_F(RecentFilesLoadTest, MissingOrTooShortValuesAreWrittenBackEmptyAndHidden)
{
    registry.set(kHistoryKey, QStringLiteral("1"), QStringLiteral("ab"));   // 3 bytes with its NUL: kept
    registry.set(kHistoryKey, QStringLiteral("2"), QStringLiteral("x"));    // 2 bytes: too short
    load();
    EXPECT_EQ(recentFiles(), QStringList{ QStringLiteral("ab") });
    EXPECT_TRUE(separatorShown());
    EXPECT_EQ(stored("2"), QString());
    EXPECT_EQ(stored("3"), QString());
    EXPECT_TRUE(registry.writes.contains(
        FakeRegistry::Write{ Registry::CurrentUser, kHistoryKey, QStringLiteral("2"), QString() }));
    EXPECT_TRUE(registry.writes.contains(
        FakeRegistry::Write{ Registry::CurrentUser, kHistoryKey, QStringLiteral("3"), QString() }));
}

TEST_F(RecentFilesLoadTest, OneChineseCharacterIsLongEnough)
{
    // Three bytes in UTF-8: stated length 4.
    registry.set(kHistoryKey, QStringLiteral("1"), QStringLiteral("檔"));
    load();
    EXPECT_EQ(recentFiles(), QStringList{ QStringLiteral("檔") });
}

TEST_F(RecentFilesLoadTest, AGapInTheStoredListKeepsTheSeparatorHidden)
{
    registry.set(kHistoryKey, QStringLiteral("2"), P2);
    load();
    EXPECT_FALSE(main->mnuFileMRU[1]->isVisible());
    EXPECT_TRUE(main->mnuFileMRU[2]->isVisible());
    EXPECT_FALSE(separatorShown());
    // The next file fills entry 1 and shows the separator.
    use(P1);
    EXPECT_EQ(recentFiles(), (QStringList{ P1, P2 }));
    EXPECT_TRUE(separatorShown());
}

TEST_F(RecentFilesLoadTest, AFirstRunLeavesTheListEmpty)
{
    load();
    EXPECT_TRUE(recentFiles().isEmpty());
    EXPECT_FALSE(separatorShown());
    EXPECT_EQ(stored("1"), QString());
}

TEST_F(RecentFilesLoadTest, ListSurvivesARestartThroughARealLoad)
{
    for (const QString& p : { P1, P2, P3 }) use(p);
    main = std::make_unique<frmMain>();
    load();
    EXPECT_EQ(recentFiles(), (QStringList{ P3, P2, P1 }));
}

}  // namespace
