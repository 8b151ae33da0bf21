// The main window's file commands: Open, a recent file, Save and Save As, driven through
// their handlers with the platform doubles and real files in a private folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>

#include "shell/shell_texts.h"
#include "shell_test_fixture.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_files/spd_file_formats.h"

namespace {

SPD_Image imageWithType(uint8_t byte2, uint8_t seed = 3)
{
    SPD_Image image{};
    for (int k = 0; k < 256; ++k) image[static_cast<size_t>(k)] = static_cast<uint8_t>(k * 7 + seed);
    image[2] = byte2;
    return image;
}

SPD_Image imageOf(frmDocument* doc)
{
    SPD_Image image{};
    for (int k = 0; k < 256; ++k) image[static_cast<size_t>(k)] = doc->Get_Value(static_cast<int16_t>(k));
    return image;
}

class FileCommandsTest : public ShellWindowTest {
protected:
    // Opens `file` through the Open command with the dialog answering it.
    void open(const QString& file)
    {
        dialogs.openAnswers << file;
        main->mnuFileOpen_Click();
    }
    QString writeSpd(const QString& name, const SPD_Image& image)
    {
        const QString p = path(name);
        putFile(p, SPD_Hex_File::Format(image));
        return p;
    }
    QString writeBin(const QString& name, const SPD_Image& image)
    {
        const QString p = path(name);
        putFile(p, SPD_Bin_File::Format(image));
        return p;
    }
    // An untitled document holding `image`, marked modified.
    frmDocument* editedDocument(const SPD_Image& image)
    {
        main->Load_New_Document();
        frmDocument* doc = main->ActiveForm();
        for (int k = 0; k < 256; ++k) doc->Value_Chang(static_cast<int16_t>(k), image[static_cast<size_t>(k)]);
        doc->Set_form_chang(true);
        return doc;
    }
    int documentCount() const { return main->Documents().size(); }
};

// ---------------------------------------------------------------- Open

TEST_F(FileCommandsTest, OpenAsksWithTheSharedDialogSetUp)
{
    main->mnuFileOpen_Click();
    const auto calls = dialogs.callsOf(FakeDialogs::OpenFileCall);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].title, QStringLiteral("開啟舊檔"));
    EXPECT_EQ(calls[0].filter,
              QStringLiteral("Velmondra SPD Files (*.spd)|*.spd|Bin Files (*.bin)|*.bin|All Files (*.*)|*.*"));
    EXPECT_EQ(calls[0].filterIndex, 1);
    // Cancelled: nothing made, nothing listed.
    EXPECT_EQ(documentCount(), 0);
    EXPECT_TRUE(recentFiles().isEmpty());
    EXPECT_TRUE(registry.writes.isEmpty());
}

TEST_F(FileCommandsTest, OpenSpdMakesOneDocumentWithTheImageCaptionTypeAndRecentEntry)
{
    const SPD_Image image = imageWithType(0x08);
    const QString file = writeSpd(QStringLiteral("ddr2.spd"), image);
    main->Load_New_Document();   // an open document does not receive the file
    open(file);

    ASSERT_EQ(documentCount(), 2);
    frmDocument* doc = main->ActiveForm();
    ASSERT_EQ(doc, main->Documents().last());
    EXPECT_EQ(imageOf(doc), image);
    EXPECT_EQ(doc->Caption(), file);
    EXPECT_EQ(doc->grid->caption(2), QStringLiteral("08"));
    EXPECT_EQ(doc->grid->caption(255), Hex_Byte_Text(image[255]));
    EXPECT_EQ(doc->SPD.Mem_Type, MT_DDR2);
    EXPECT_EQ(doc->OptcrcChoice(), 0);
    EXPECT_FALSE(doc->Chk_Form_Chang());
    EXPECT_EQ(main->Documents().first()->Caption(), QStringLiteral("SPD_File 1"));
    EXPECT_EQ(recentFiles(), QStringList{ file });
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("1")), file);
}

TEST_F(FileCommandsTest, ByteTwoPicksTheCheckValueOptionAndMemoryType)
{
    struct Case { uint8_t byte2; int optcrc; int16_t type; };
    // 0x0C and 0x01 leave the type a new document starts with (0).
    const Case cases[] = { { 0x04, 0, MT_SDRAM }, { 0x07, 0, MT_DDR }, { 0x08, 0, MT_DDR2 },
                           { 0x09, 1, MT_DDR3 },  { 0x0B, 1, MT_DDR3 }, { 0x0C, 0, 0 },
                           { 0x01, 0, 0 } };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byte2);
        const QString file = writeBin(QStringLiteral("t%1.bin").arg(n++), imageWithType(c.byte2));
        open(file);
        frmDocument* doc = main->ActiveForm();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->Caption(), file);
        EXPECT_EQ(doc->OptcrcChoice(), c.optcrc);
        EXPECT_EQ(doc->SPD.Mem_Type, c.type);
    }
}

TEST_F(FileCommandsTest, UnknownByteTwoKeepsTheMemoryTypeButReplacesNone)
{
    main->Load_New_Document();
    frmDocument* doc = main->ActiveForm();
    doc->Type_Chang(MT_DDR2);
    doc->SetOptcrc(2);
    const QString file = writeBin(QStringLiteral("c.bin"), imageWithType(0x0C));
    main->File_List_Ctl(file);
    main->mnuFileMRU_Click(1);
    EXPECT_EQ(doc->SPD.Mem_Type, MT_DDR2);
    EXPECT_EQ(doc->OptcrcChoice(), 0);
    EXPECT_EQ(doc->Get_Value(2), 0x0C);
}

TEST_F(FileCommandsTest, RealImagesLoadFromBothFormats)
{
    const QString dataDir = QStringLiteral(MB_TESTDATA_DIR "/files");
    for (const QString& name : { QStringLiteral("ddr3-kingston-1333-1"), QStringLiteral("ddr2-kingston-ddr2-800-1"),
                                 QStringLiteral("sdram-nomfr-pc133-malta-1") }) {
        SCOPED_TRACE(name.toStdString());
        const QString bin = dataDir + QLatin1Char('/') + name + QStringLiteral(".bin");
        const QString spd = dataDir + QLatin1Char('/') + name + QStringLiteral(".spd");
        ASSERT_TRUE(QFileInfo::exists(bin) && QFileInfo::exists(spd));
        open(bin);
        const SPD_Image fromBin = imageOf(main->ActiveForm());
        open(spd);
        const SPD_Image fromSpd = imageOf(main->ActiveForm());
        EXPECT_EQ(fromBin, fromSpd);
        QByteArray raw = fileBytes(bin).left(256);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(fromBin.data()), 256), raw);
    }
}

TEST_F(FileCommandsTest, LenientSpdTextReadsToTheSameImage)
{
    const SPD_Image image = imageWithType(0x0B);
    const QByteArray saved = SPD_Hex_File::Format(image);
    // Lower-case digits, no leading blank, extra lines, trailing blanks, LF line ends.
    QByteArray lower = saved.toLower();
    QByteArray noLead;
    QByteArray longLines;
    for (const QByteArray& line : saved.split('\n')) {
        if (line.isEmpty()) continue;
        noLead += line.mid(1);
        noLead += '\n';
        longLines += line.left(49) + "   \r\n";
    }
    longLines += "garbage after the sixteenth line\r\n";
    const QByteArray variants[] = { lower, noLead, longLines };
    int n = 0;
    for (const QByteArray& text : variants) {
        SCOPED_TRACE(n);
        const QString file = path(QStringLiteral("v%1.Spd").arg(n++));
        putFile(file, text);
        open(file);
        EXPECT_EQ(imageOf(main->ActiveForm()), image);
        EXPECT_EQ(main->ActiveForm()->SPD.Mem_Type, MT_DDR3);
    }
}

TEST_F(FileCommandsTest, NameEndDecidesTheFormat)
{
    const SPD_Image image = imageWithType(0x07);
    // Text under a name ending in "spd" without a dot, binary under ".txt".
    const QString text = path(QStringLiteral("myspd"));
    putFile(text, SPD_Hex_File::Format(image));
    const QString binary = path(QStringLiteral("image.txt"));
    putFile(binary, SPD_Bin_File::Format(image));
    open(text);
    EXPECT_EQ(imageOf(main->ActiveForm()), image);
    open(binary);
    EXPECT_EQ(imageOf(main->ActiveForm()), image);
}

// ---------------------------------------------------------------- files that cannot be loaded

TEST_F(FileCommandsTest, UnreadableFilesShowAnErrorAndLeaveNoDocument)
{
    QByteArray fifteenLines;
    for (int i = 0; i < 15; ++i) fifteenLines += SPD_Hex_File::Format(imageWithType(4)).left(51);
    QByteArray shortLine = SPD_Hex_File::Format(imageWithType(4));
    shortLine.replace(51 * 3, 49, " 00 01 02\r\n");   // line 4 ends after three fields
    QByteArray longLine = SPD_Hex_File::Format(imageWithType(4));
    longLine.insert(51 * 2 + 49, "7F ");               // a 17th byte on line 3
    struct Bad { QString name; QByteArray data; bool create; };
    const Bad bad[] = {
        { QStringLiteral("missing.spd"), {}, false },
        { QStringLiteral("fifteen.spd"), fifteenLines, true },
        { QStringLiteral("shortline.spd"), shortLine, true },
        { QStringLiteral("longline.spd"), longLine, true },
        { QStringLiteral("empty.spd"), QByteArray(), true },
        { QStringLiteral("short.bin"), QByteArray(255, '\x11'), true },
        { QStringLiteral("empty.bin"), QByteArray(), true },
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.name.toStdString());
        dialogs.clear();
        const QString file = path(b.name);
        if (b.create) putFile(file, b.data);
        open(file);
        EXPECT_EQ(documentCount(), 0);
        EXPECT_TRUE(recentFiles().isEmpty());
        const auto errors = messagesTitled(QStringLiteral("錯誤"));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_EQ(errors[0].icon, Dialogs::Critical);
        EXPECT_EQ(errors[0].buttons, Dialogs::OkOnly);
        EXPECT_TRUE(errors[0].text.contains(file)) << errors[0].text.toStdString();
        EXPECT_TRUE(errors[0].text.contains(QStringLiteral("*****")));
    }
    EXPECT_TRUE(registry.writes.isEmpty());
}

TEST_F(FileCommandsTest, AFolderIsNotAFile)
{
    open(dir.path());
    EXPECT_EQ(documentCount(), 0);
    ASSERT_EQ(messagesTitled(QStringLiteral("錯誤")).size(), 1);
    EXPECT_TRUE(messagesTitled(QStringLiteral("錯誤"))[0].text.contains(QStringLiteral("資料夾")));
}

TEST_F(FileCommandsTest, ALongFileLoadsItsImageAndSaysWhatItLeftOut)
{
    const SPD_Image image = imageWithType(0x0B);
    const QByteArray spd = SPD_Hex_File::Format(image);
    const struct { const char* name; QByteArray bytes; const char* said; } cases[] = {
        { "dump.bin", SPD_Bin_File::Format(image) + QByteArray(256, '\x5A'), "512" },
        { "17 lines.spd", spd + spd.left(51), "其後 51 字元未載入" },
        { "2 MB line.spd", spd + QByteArray(2 << 20, 'A'), "其後 2097152 字元未載入" },   // beyond what is read
    };
    for (const auto& c : cases) {
        dialogs.clear();
        putFile(path(c.name), c.bytes);
        open(path(c.name));
        EXPECT_EQ(imageOf(main->ActiveForm()), image);
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].text.contains(QString::fromUtf8(c.said))) << dialogs.messages()[0].text.toStdString();
        EXPECT_EQ(fileBytes(path(c.name)), c.bytes);
    }
}

TEST_F(FileCommandsTest, RecentFileThatIsGoneLeavesTheActiveDocumentAlone)
{
    const SPD_Image image = imageWithType(0x08);
    const QString gone = writeBin(QStringLiteral("gone.bin"), imageWithType(0x0B));
    main->File_List_Ctl(gone);
    ASSERT_TRUE(QFile::remove(gone));
    frmDocument* doc = editedDocument(image);
    const QString caption = doc->Caption();
    dialogs.messageAnswers << Dialogs::No;

    main->mnuFileMRU_Click(1);

    EXPECT_EQ(documentCount(), 1);
    EXPECT_EQ(doc->Caption(), caption);
    EXPECT_EQ(imageOf(doc), image);
    EXPECT_TRUE(doc->Chk_Form_Chang());
    EXPECT_EQ(messagesTitled(QStringLiteral("錯誤")).size(), 1);
    // The entry stays in the list.
    EXPECT_EQ(recentFiles(), QStringList{ gone });
}

TEST_F(FileCommandsTest, RecentFileThatIsGoneMakesNoDocumentWhenNoneIsOpen)
{
    main->File_List_Ctl(path(QStringLiteral("never.spd")));
    main->mnuFileMRU_Click(1);
    EXPECT_EQ(documentCount(), 0);
}

// ---------------------------------------------------------------- already open

TEST_F(FileCommandsTest, OpeningAPathShownInAnUnmodifiedWindowBringsItForward)
{
    const SPD_Image first = imageWithType(0x08, 1);
    const QString a = writeBin(QStringLiteral("a.bin"), first);
    const QString b = writeBin(QStringLiteral("b.bin"), imageWithType(0x07));
    open(a);
    frmDocument* docA = main->ActiveForm();
    open(b);
    ASSERT_NE(main->ActiveForm(), docA);
    // The file changes on disk; the already-open test must not read it.
    putFile(a, SPD_Bin_File::Format(imageWithType(0x04, 9)));

    open(a);

    EXPECT_EQ(documentCount(), 2);
    EXPECT_EQ(main->ActiveForm(), docA);
    EXPECT_EQ(imageOf(docA), first);
    EXPECT_EQ(recentFiles(), (QStringList{ a, b }));
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("1")), a);
    EXPECT_EQ(registry.get(kHistoryKey, QStringLiteral("2")), b);
}

TEST_F(FileCommandsTest, AModifiedWindowNeverMatchesSoTheFileOpensAgain)
{
    const SPD_Image onDisk = imageWithType(0x08, 1);
    const QString a = writeBin(QStringLiteral("a.bin"), onDisk);
    open(a);
    frmDocument* docA = main->ActiveForm();
    docA->Value_Chang(10, 0xEE);
    docA->Set_form_chang(true);
    ASSERT_EQ(docA->Caption(), a + QLatin1Char('*'));

    open(a);

    ASSERT_EQ(documentCount(), 2);
    frmDocument* second = main->ActiveForm();
    EXPECT_NE(second, docA);
    EXPECT_EQ(second->Caption(), a);
    EXPECT_EQ(imageOf(second), onDisk);
    EXPECT_EQ(docA->Get_Value(10), 0xEE);
}

TEST_F(FileCommandsTest, AlreadyOpenTestIsCaseSensitive)
{
    const QString lower = writeBin(QStringLiteral("case.bin"), imageWithType(0x08));
    const QString upper = path(QStringLiteral("CASE.BIN"));
    putFile(upper, SPD_Bin_File::Format(imageWithType(0x07)));
    open(lower);
    open(upper);
    EXPECT_EQ(documentCount(), 2);
    EXPECT_EQ(recentFiles(), (QStringList{ upper, lower }));
}

// A second image loaded into the same document leaves nothing of the first: every label is
// decoded from the new bytes, the selected byte is described by the new type, and stamps
// made on the old image are dropped, so that a later stamp gives back the new image's bytes.
TEST_F(FileCommandsTest, AnImageLoadedIntoTheSameDocumentLeavesNothingOfTheOldOne)
{
    clock.setDate(QDate(2012, 3, 15));
    const QString data = QStringLiteral(MB_TESTDATA_DIR "/");
    struct Case { const char* first; const char* second; };
    const Case cases[] = {
        { "ddr2-kingston-ddr2-800-1.bin", "ddr2-transcend-ddr2-667-1.bin" },
        { "ddr2-kingston-ddr2-800-1.bin", "ddr3-kingston-1333-1.bin" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        open(data + c.first);
        frmDocument* doc = main->ActiveForm();
        ASSERT_NE(doc, nullptr);
        doc->spd_l_value_Click(100);
        doc->Check2->setChecked(true);
        doc->Check2_Click();
        doc->Check3->setChecked(true);
        doc->Check3_Click();

        main->File_List_Ctl(data + c.second);
        dialogs.messageAnswers << Dialogs::No;   // the stamps are unsaved changes
        main->mnuFileMRU_Click(1);
        ASSERT_EQ(main->ActiveForm(), doc);
        const SPD_Image image = Read_SPD_File(data + c.second).image;
        EXPECT_EQ(imageOf(doc), image);
        EXPECT_FALSE(doc->Check2->isChecked());
        EXPECT_FALSE(doc->Check3->isChecked());

        const bool ddr3 = image[2] >= 9;
        SPD_Record record;
        record.Spd_Value = image;
        const int security = ddr3 ? 0 : ((cal_bytesum(record, 62) + image[93]) % 256 + image[94]) % 256;
        EXPECT_EQ(doc->Label99->text(), Hex_Byte_Text(static_cast<uint8_t>(security)));
        EXPECT_EQ(doc->Optcrc[1]->text(), ddr3 && (image[0] & 0x80) ? "CRC (0-116)" : "CRC (0-125)");
        EXPECT_EQ(doc->Label1->text(), "Byte100");
        EXPECT_EQ(doc->Label2->text(), (ddr3 ? DDR3_Byte_Name : DDR2_Byte_Name)[100]);

        doc->Check2->setChecked(true);
        doc->Check2_Click();
        doc->Check2->setChecked(false);
        doc->Check2_Click();
        EXPECT_EQ(imageOf(doc), image);

        doc->Set_form_chang(false);
        main->mnuFileClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(FileCommandsTest, RecentFileWithNoDocumentOpenMakesExactlyOne)
{
    const QString file = writeBin(QStringLiteral("one.bin"), imageWithType(0x08));
    main->File_List_Ctl(file);
    main->mnuFileMRU_Click(1);
    ASSERT_EQ(documentCount(), 1);
    EXPECT_EQ(main->ActiveForm()->Caption(), file);
    // A hidden item or an index out of range does nothing.
    main->mnuFileMRU_Click(2);
    main->mnuFileMRU_Click(0);
    main->mnuFileMRU_Click(4);
    EXPECT_EQ(documentCount(), 1);
}

TEST_F(FileCommandsTest, TheMenuItemsOpenTheirFiles)
{
    const QString file = writeBin(QStringLiteral("menu.bin"), imageWithType(0x08));
    main->File_List_Ctl(file);
    main->mnuFileMRU[1]->trigger();
    ASSERT_EQ(documentCount(), 1);
    dialogs.openAnswers << file;
    main->tbToolbar_ButtonClick(QStringLiteral("OPEN"));
    EXPECT_EQ(documentCount(), 1);   // already open: brought forward
    EXPECT_EQ(dialogs.callsOf(FakeDialogs::OpenFileCall).size(), 1);
}

// ---------------------------------------------------------------- Save

TEST_F(FileCommandsTest, SaveWithoutRightsShowsTheMessageAndChangesNothing)
{
    frmDocument* doc = editedDocument(imageWithType(0x08));
    const QString caption = doc->Caption();
    EXPECT_FALSE(main->mnuFileSave_Click());
    main->mnuFileSaveAs_Click();
    main->tbToolbar_ButtonClick(QStringLiteral("SAVE"));

    const auto msgs = dialogs.messages();
    ASSERT_EQ(msgs.size(), 3);
    for (const auto& m : msgs) {
        EXPECT_EQ(m.text, QStringLiteral("      *****   權限不足無法存檔,請洽管理人員 !   *****      "));
        EXPECT_EQ(m.title, QStringLiteral("錯誤"));
        EXPECT_EQ(m.icon, Dialogs::Critical);
        EXPECT_EQ(m.buttons, Dialogs::OkOnly);
    }
    EXPECT_TRUE(dialogs.callsOf(FakeDialogs::SaveFileCall).isEmpty());
    EXPECT_EQ(doc->Caption(), caption);
    EXPECT_TRUE(doc->Chk_Form_Chang());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(FileCommandsTest, RightsAreTestedBeforeLookingForADocument)
{
    EXPECT_FALSE(main->mnuFileSave_Click());
    EXPECT_EQ(dialogs.messages().size(), 1);
    Admin_LoggedIn = true;
    dialogs.clear();
    EXPECT_FALSE(main->mnuFileSave_Click());
    main->mnuFileSaveAs_Click();
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(FileCommandsTest, SaveUntitledAsksForANameAndWritesText)
{
    Admin_LoggedIn = true;
    SPD_Image image = imageWithType(0x08);
    for (int k = 0; k < 16; ++k) image[static_cast<size_t>(k)] = static_cast<uint8_t>(k);
    frmDocument* doc = editedDocument(image);
    ASSERT_EQ(doc->Caption(), QStringLiteral("SPD_File 1*"));
    const QString file = path(QStringLiteral("saved.spd"));
    dialogs.saveAnswers << file;

    EXPECT_TRUE(main->mnuFileSave_Click());

    const auto calls = dialogs.callsOf(FakeDialogs::SaveFileCall);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].title, QStringLiteral("儲存"));
    EXPECT_EQ(calls[0].filter, kSpdFileFilter);
    EXPECT_EQ(calls[0].filterIndex, 1);
    const QByteArray written = fileBytes(file);
    ASSERT_EQ(written.size(), 816);
    EXPECT_EQ(written.left(51), QByteArray(" 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \r\n"));
    EXPECT_EQ(SPD_Hex_File::Parse(written).image, image);
    EXPECT_EQ(doc->Caption(), file);
    EXPECT_FALSE(doc->Chk_Form_Chang());
    // Save leaves the recent files alone.
    EXPECT_TRUE(recentFiles().isEmpty());
    // The next Save writes to that path without a dialog.
    doc->Value_Chang(100, 0x5A);
    doc->Set_form_chang(true);
    EXPECT_TRUE(main->mnuFileSave_Click());
    EXPECT_EQ(dialogs.callsOf(FakeDialogs::SaveFileCall).size(), 1);
    EXPECT_EQ(SPD_Hex_File::Parse(fileBytes(file)).image[100], 0x5A);
    EXPECT_EQ(doc->Caption(), file);
}

TEST_F(FileCommandsTest, SaveUntitledUnmodifiedStillAsks)
{
    Admin_LoggedIn = true;
    main->Load_New_Document();
    EXPECT_FALSE(main->mnuFileSave_Click());   // dialog cancelled
    EXPECT_EQ(dialogs.callsOf(FakeDialogs::SaveFileCall).size(), 1);
    EXPECT_EQ(main->ActiveForm()->Caption(), QStringLiteral("SPD_File 1"));
}

TEST_F(FileCommandsTest, CancelledSaveDialogChangesNothing)
{
    Admin_LoggedIn = true;
    frmDocument* doc = editedDocument(imageWithType(0x08));
    EXPECT_FALSE(main->mnuFileSave_Click());
    EXPECT_EQ(doc->Caption(), QStringLiteral("SPD_File 1*"));
    EXPECT_TRUE(doc->Chk_Form_Chang());
    main->mnuFileSaveAs_Click();
    EXPECT_EQ(doc->Caption(), QStringLiteral("SPD_File 1*"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(FileCommandsTest, SaveOnAModifiedPathWritesToThePath)
{
    Admin_LoggedIn = true;
    const QString file = writeBin(QStringLiteral("p.bin"), imageWithType(0x08));
    open(file);
    frmDocument* doc = main->ActiveForm();
    doc->Value_Chang(0, 0x80);
    doc->Set_form_chang(true);
    ASSERT_EQ(doc->Caption(), file + QLatin1Char('*'));

    EXPECT_TRUE(main->mnuFileSave_Click());

    EXPECT_TRUE(dialogs.callsOf(FakeDialogs::SaveFileCall).isEmpty());
    EXPECT_EQ(doc->Caption(), file);
    EXPECT_FALSE(doc->Chk_Form_Chang());
    const QByteArray written = fileBytes(file);
    ASSERT_EQ(written.size(), 256);
    EXPECT_EQ(static_cast<uint8_t>(written[0]), 0x80);
}

TEST_F(FileCommandsTest, BinarySaveOverALongerFileKeepsItsTail)
{
    Admin_LoggedIn = true;
    const QString file = path(QStringLiteral("long.bin"));
    QByteArray old(300, '\x00');
    for (int i = 0; i < 300; ++i) old[i] = static_cast<char>(0xA0 + i % 7);
    putFile(file, old);
    open(file);
    frmDocument* doc = main->ActiveForm();
    doc->Value_Chang(5, 0x42);
    doc->Set_form_chang(true);
    EXPECT_TRUE(main->mnuFileSave_Click());
    const QByteArray written = fileBytes(file);
    ASSERT_EQ(written.size(), 300);
    EXPECT_EQ(static_cast<uint8_t>(written[5]), 0x42);
    EXPECT_EQ(written.mid(256), old.mid(256));
}

TEST_F(FileCommandsTest, TypedNameWithoutExtensionIsBinaryAndSpdAddedIsText)
{
    Admin_LoggedIn = true;
    const SPD_Image image = imageWithType(0x0B);
    editedDocument(image);
    const QString plain = path(QStringLiteral("noext"));
    dialogs.saveAnswers << plain;
    EXPECT_TRUE(main->mnuFileSave_Click());
    EXPECT_EQ(fileBytes(plain), SPD_Bin_File::Format(image));

    const QString text = path(QStringLiteral("noext.Spd"));
    dialogs.saveAnswers << text;
    main->mnuFileSaveAs_Click();
    EXPECT_EQ(fileBytes(text), SPD_Hex_File::Format(image));
    EXPECT_EQ(main->ActiveForm()->Caption(), text);
}

TEST_F(FileCommandsTest, SaveAsWritesUnderTheChosenNameAndKeepsIt)
{
    Admin_LoggedIn = true;
    const QString original = writeBin(QStringLiteral("orig.bin"), imageWithType(0x08));
    open(original);
    frmDocument* doc = main->ActiveForm();
    doc->Value_Chang(20, 0x33);
    doc->Set_form_chang(true);
    const QString copy = path(QStringLiteral("copy.bin"));
    dialogs.saveAnswers << copy;

    main->mnuFileSaveAs_Click();

    const auto calls = dialogs.callsOf(FakeDialogs::SaveFileCall);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].title, QStringLiteral("另存新檔"));
    EXPECT_EQ(calls[0].filterIndex, 1);
    EXPECT_EQ(doc->Caption(), copy);
    EXPECT_FALSE(doc->Chk_Form_Chang());
    EXPECT_EQ(static_cast<uint8_t>(fileBytes(copy)[20]), 0x33);
    EXPECT_NE(static_cast<uint8_t>(fileBytes(original)[20]), 0x33);
    EXPECT_EQ(recentFiles(), QStringList{ original });
    // Later saves go to the new name.
    doc->Value_Chang(21, 0x44);
    EXPECT_TRUE(main->mnuFileSave_Click());
    EXPECT_EQ(static_cast<uint8_t>(fileBytes(copy)[21]), 0x44);
}

TEST_F(FileCommandsTest, SaveAsWithNoDocumentShowsNoDialog)
{
    Admin_LoggedIn = true;
    main->mnuFileSaveAs_Click();
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(FileCommandsTest, SavingUnderAPathAnotherWindowShowsLeavesTwoAndLoadPicksTheFirst)
{
    Admin_LoggedIn = true;
    const QString file = writeBin(QStringLiteral("twin.bin"), imageWithType(0x08));
    open(file);
    frmDocument* first = main->ActiveForm();
    frmDocument* second = editedDocument(imageWithType(0x07));
    dialogs.saveAnswers << file;
    EXPECT_TRUE(main->mnuFileSave_Click());
    EXPECT_EQ(second->Caption(), file);
    EXPECT_EQ(first->Caption(), file);
    open(file);
    EXPECT_EQ(main->ActiveForm(), first);
    EXPECT_EQ(documentCount(), 2);
}

// ---------------------------------------------------------------- files that cannot be written

TEST_F(FileCommandsTest, AFailedSaveShowsAnErrorAndKeepsCaptionAndFlag)
{
    Admin_LoggedIn = true;
    frmDocument* doc = editedDocument(imageWithType(0x08));
    for (const QString& target : { path(QStringLiteral("no/such/folder/x.spd")),
                                   path(QStringLiteral("no/such/folder/x.bin")), dir.path() }) {
        SCOPED_TRACE(target.toStdString());
        dialogs.clear();
        dialogs.saveAnswers << target;
        EXPECT_FALSE(main->mnuFileSave_Click());
        EXPECT_EQ(doc->Caption(), QStringLiteral("SPD_File 1*"));
        EXPECT_TRUE(doc->Chk_Form_Chang());
        const auto errors = messagesTitled(QStringLiteral("錯誤"));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_EQ(errors[0].icon, Dialogs::Critical);
        EXPECT_TRUE(errors[0].text.contains(target));
    }
}

TEST_F(FileCommandsTest, AFailedSaveOfANamedDocumentKeepsItsModifiedCaption)
{
    Admin_LoggedIn = true;
    const QString file = writeSpd(QStringLiteral("will-vanish.spd"), imageWithType(0x08));
    open(file);
    frmDocument* doc = main->ActiveForm();
    doc->Set_form_chang(true);
    // The folder disappears under the document.
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    EXPECT_FALSE(main->mnuFileSave_Click());
    EXPECT_EQ(doc->Caption(), file + QLatin1Char('*'));
    EXPECT_TRUE(doc->Chk_Form_Chang());
    EXPECT_EQ(messagesTitled(QStringLiteral("錯誤")).size(), 1);
}

// ---------------------------------------------------------------- the close prompt

class ClosePromptTest : public FileCommandsTest {
protected:
    void SetUp() override
    {
        FileCommandsTest::SetUp();
        Main_Form = main.get();
    }
    // Closes the active document's window as its close box does.
    void closeActive()
    {
        main->mnuFileClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(ClosePromptTest, RecentFileOverAModifiedDocumentAsksFirst)
{
    // No loads the file as it is on disk; Cancel, or Yes without a save, loads nothing.
    const std::pair<Dialogs::Result, QString> cases[] = {
        { Dialogs::No, "" }, { Dialogs::Cancel, "" }, { Dialogs::Yes, "" }, { Dialogs::Yes, path("s.spd") } };
    Admin_LoggedIn = true;
    const SPD_Image image = imageWithType(0x0B), edited = imageWithType(0x04, 5);
    main->File_List_Ctl(writeSpd(QStringLiteral("r.spd"), image));
    for (const auto& [answer, saveAs] : cases) {
        frmDocument* doc = editedDocument(edited);
        dialogs.clear();
        dialogs.messageAnswers << answer;
        dialogs.saveAnswers << saveAs;
        main->mnuFileMRU_Click(1);
        const bool loaded = answer == Dialogs::No || !saveAs.isEmpty();
        EXPECT_EQ(dialogs.messageTexts(), QStringList{ " SPD 檔案已被修改 , 是否儲存該檔案 ?" });
        EXPECT_EQ(imageOf(doc), loaded ? image : edited) << answer << saveAs.toStdString();
        EXPECT_EQ(doc->Chk_Form_Chang(), !loaded);
        if (!saveAs.isEmpty()) {
            EXPECT_EQ(Read_SPD_File(saveAs).image, edited);
        }
        doc->Set_form_chang(false);
        closeActive();
    }
}

TEST_F(ClosePromptTest, AFileWhoseNewDocumentIsClosedDuringItsStatusWaitGoesIntoNoOther)
{
    const SPD_Image edited = imageWithType(0x04, 5);
    frmDocument* kept = editedDocument(edited);
    clock.onProcessEvents = [&] {
        if (documentCount() == 2) main->Documents().last()->parentWidget()->close();
    };
    open(writeSpd(QStringLiteral("w.spd"), imageWithType(0x0B)));
    clock.onProcessEvents = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(main->Documents(), QList<frmDocument*>{ kept });
    EXPECT_EQ(imageOf(kept), edited);
    EXPECT_EQ(kept->Caption(), QStringLiteral("SPD_File 1*"));
}

TEST_F(ClosePromptTest, YesSavesAndCloses)
{
    Admin_LoggedIn = true;
    const SPD_Image image = imageWithType(0x08);
    editedDocument(image);
    const QString file = path(QStringLiteral("closing.spd"));
    dialogs.messageAnswers << Dialogs::Yes;
    dialogs.saveAnswers << file;
    closeActive();
    EXPECT_EQ(documentCount(), 0);
    EXPECT_EQ(SPD_Hex_File::Parse(fileBytes(file)).image, image);
}

TEST_F(ClosePromptTest, YesWithACancelledSaveKeepsTheDocument)
{
    Admin_LoggedIn = true;
    frmDocument* doc = editedDocument(imageWithType(0x08));
    dialogs.messageAnswers << Dialogs::Yes;
    closeActive();
    ASSERT_EQ(documentCount(), 1);
    EXPECT_TRUE(doc->Chk_Form_Chang());
}

TEST_F(ClosePromptTest, YesWithoutRightsKeepsTheDocumentAndSaysWhy)
{
    frmDocument* doc = editedDocument(imageWithType(0x08));
    dialogs.messageAnswers << Dialogs::Yes;
    closeActive();
    ASSERT_EQ(documentCount(), 1);
    EXPECT_TRUE(doc->Chk_Form_Chang());
    EXPECT_EQ(dialogs.messageTexts().last(), kNoSaveRightsText);
}

TEST_F(ClosePromptTest, YesWithAFailedWriteKeepsTheDocument)
{
    Admin_LoggedIn = true;
    frmDocument* doc = editedDocument(imageWithType(0x08));
    dialogs.messageAnswers << Dialogs::Yes;
    dialogs.saveAnswers << path(QStringLiteral("missing-folder/a.bin"));
    closeActive();
    ASSERT_EQ(documentCount(), 1);
    EXPECT_TRUE(doc->Chk_Form_Chang());
}

TEST_F(ClosePromptTest, NoClosesWithoutWriting)
{
    Admin_LoggedIn = true;
    editedDocument(imageWithType(0x08));
    dialogs.messageAnswers << Dialogs::No;
    closeActive();
    EXPECT_EQ(documentCount(), 0);
    EXPECT_TRUE(dialogs.callsOf(FakeDialogs::SaveFileCall).isEmpty());
}

}  // namespace
