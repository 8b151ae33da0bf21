// The document window through its handlers and real key events, with the platform doubles.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

#include "spd_decode/ui/decode_panels.h"
#include "spd_document/byte_names.h"
#include <QGroupBox>
#include "spd_document/globals.h"
#include "spd_document/main_form_api.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_document/ui/frm_document.h"
#include "support/event_wait.h"
#include "support/platform_fixture.h"
#include "support/stub_main_form.h"

namespace {

// A main window that only records what a document asks of it.
class RecordingMainForm : public StubMainFormBase {
public:
    DocumentApi* ActiveDocument() override { return active; }
    bool mnuFileSave_Click() override
    {
        ++saves;
        if (saveSucceeds && active) active->Set_form_chang(false);
        return saveSucceeds;
    }
    void STATUSIC() override { ++statusRequests; statusQueryDuringRequest = Status_Query; }
    void StopTimer2() override { ++timer2Stops; }

    DocumentApi* active = nullptr;
    bool saveSucceeds = false;
    int saves = 0;
    int statusRequests = 0;
    int statusQueryDuringRequest = -1;
    int timer2Stops = 0;
};

class DocumentTest : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        Fill_Byte_Name_Tables();
        Main_Form = &main;
    }
    std::unique_ptr<frmDocument> makeDoc(bool admin)
    {
        Admin_LoggedIn = admin;
        auto doc = std::make_unique<frmDocument>();
        doc->setWindowTitle(QStringLiteral("SPD_File 1"));
        doc->Form_Load();
        doc->show();
        main.active = doc.get();
        return doc;
    }
    // Loads a real image from the test data as a file load does; returns it as loaded.
    static SPD_Record loadImage(frmDocument& doc, const QString& name)
    {
        QFile file(QStringLiteral(MB_TESTDATA_DIR "/spd/") + name + QStringLiteral(".bin"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        SPD_Record image;
        for (int k = 0; k < 256 && k < bytes.size(); ++k) image.Spd_Value[static_cast<size_t>(k)] = static_cast<uint8_t>(bytes[k]);
        for (int k = 0; k < 256; ++k) doc.Value_Chang(static_cast<int16_t>(k), image.Spd_Value[static_cast<size_t>(k)]);
        doc.SetOptcrc(Is_Crc_Layout(image) ? 1 : 0);
        doc.Image_Loaded();
        return image;
    }
    static void type(QLineEdit* edit, const QString& text)
    {
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    RecordingMainForm main;
};

TEST_F(DocumentTest, NewDocumentShowsEmptyImageWithDdrNames)
{
    auto doc = makeDoc(true);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(doc->grid->caption(i), "00");
        ASSERT_EQ(doc->grid->tooltip(i), QStringLiteral("Byte ") + QString::number(i));
    }
    EXPECT_EQ(doc->Label1->text(), "Byte0");
    EXPECT_EQ(doc->Label2->text(), "Number of SPD Bytes written(DDR SDRAM)");
    EXPECT_EQ(doc->Label3->text(), "Value");
    EXPECT_EQ(doc->Label4->text(), "00");
    EXPECT_TRUE(doc->Optcrc[2]->isChecked());
    EXPECT_EQ(doc->grid->headerBackColor(31), Color_Selected);
    EXPECT_EQ(doc->Get_Type(), 0);
    EXPECT_FALSE(doc->Chk_Form_Chang());
    EXPECT_EQ(Fill_Start, 255);
    // The status request ran with Status_Query raised, after the status reader was stopped.
    EXPECT_EQ(main.statusRequests, 1);
    EXPECT_EQ(main.statusQueryDuringRequest, 1);
    EXPECT_EQ(main.timer2Stops, 1);
    EXPECT_EQ(Status_Query, 0);
}

TEST_F(DocumentTest, TypeChangeCopiesNamesOnlyForKnownCodes)
{
    auto doc = makeDoc(true);
    doc->Type_Chang(2);
    EXPECT_EQ(doc->Get_Type(), 2);
    EXPECT_EQ(doc->Byte_Desc[63], DDR2_Byte_Name[63]);
    doc->Label1->setText("Byte9");
    doc->Type_Chang(5);
    EXPECT_EQ(doc->Get_Type(), 2);
    EXPECT_EQ(doc->Byte_Desc[63], DDR2_Byte_Name[63]);
    EXPECT_EQ(doc->Label1->text(), "Byte0");
    doc->Type_Chang(0);
    EXPECT_EQ(doc->Byte_Desc[63], "Checksun 0-62");
    doc->Type_Chang(4);
    EXPECT_EQ(doc->Byte_Desc[63], "Address Mapping from Edge Connector to DRAM");
    // The copy is the document's own.
    doc->Byte_Desc[0] = "changed";
    EXPECT_NE(DDR3_Byte_Name[0], "changed");
}

TEST_F(DocumentTest, ValueChangStoresAndCaptionsOnly)
{
    auto doc = makeDoc(true);
    const uint32_t before = doc->grid->backColor(10);
    doc->Value_Chang(10, 0x0A);
    EXPECT_EQ(doc->Get_Value(10), 0x0A);
    EXPECT_EQ(doc->grid->caption(10), "0A");
    EXPECT_EQ(doc->grid->backColor(10), before);
    EXPECT_FALSE(doc->Chk_Form_Chang());
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1");
}

TEST_F(DocumentTest, PanelSwitchFollowsByte2UnlessNone)
{
    auto doc = makeDoc(true);
    doc->Optcrc[0]->setChecked(true);
    for (int type : { 9, 11 }) {
        doc->Value_Chang(2, static_cast<uint8_t>(type));
        doc->table_chang(40);
        EXPECT_TRUE(doc->Optcrc[1]->isChecked()) << type;
        EXPECT_TRUE(doc->panels()->Frame10->isVisibleTo(doc.get()));
        EXPECT_FALSE(doc->panels()->Frame2->isVisibleTo(doc.get()));
    }
    for (int type : { 4, 7, 8 }) {
        doc->Value_Chang(2, static_cast<uint8_t>(type));
        doc->table_chang(0);
        EXPECT_TRUE(doc->Optcrc[0]->isChecked()) << type;
        EXPECT_TRUE(doc->panels()->Frame2->isVisibleTo(doc.get()));
    }
    doc->Optcrc[2]->setChecked(true);
    doc->Value_Chang(2, 11);
    doc->table_chang(3);
    EXPECT_TRUE(doc->Optcrc[2]->isChecked());
}

TEST_F(DocumentTest, ModifiedFlagKeepsOneStar)
{
    auto doc = makeDoc(true);
    doc->Set_form_chang(true);
    doc->Set_form_chang(true);
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1*");
    doc->Set_form_chang(false);
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1");
    doc->Set_form_chang(false);
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1");
}

TEST_F(DocumentTest, ColourOperationsPaintBackgroundOnly)
{
    auto doc = makeDoc(true);
    doc->Set_Value_color_same(1);
    doc->Set_Value_color_diff(2);
    doc->Set_Value_color_diff2(3);
    EXPECT_EQ(doc->grid->backColor(1), Color_Same);
    EXPECT_EQ(doc->grid->backColor(2), Color_Diff);
    EXPECT_EQ(doc->grid->backColor(3), Color_Diff2);
    EXPECT_EQ(doc->grid->caption(2), "00");
}

TEST_F(DocumentTest, ChecksumFocusRewritesByte63AndMarksTheChange)
{
    // Byte 63 of a DDR3 image is its address mapping, not a checksum: it stays.
    for (const uint8_t type : { 0x08, 0x0B }) {
        auto doc = makeDoc(true);
        doc->Value_Chang(2, type);
        doc->Value_Chang(62, static_cast<uint8_t>(0x81 - type));
        doc->Optcrc_GotFocus(1);
        doc->Optcrc_GotFocus(2);
        EXPECT_EQ(doc->grid->caption(63), "00");
        doc->Optcrc_GotFocus(0);
        EXPECT_EQ(doc->grid->caption(63), type == 0x08 ? "81" : "00");
        EXPECT_EQ(doc->Chk_Form_Chang(), type == 0x08);
    }
    // Focus that Qt hands on from a control the program disables is no move of the user's.
    auto doc = makeDoc(true);
    QApplication::setActiveWindow(doc.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get(), Event_Wait_Ms));
    doc->Value_Chang(0, 0x80);
    QWidget::setTabOrder(doc->Text1, doc->Optcrc[0]);
    doc->Text1->setFocus();
    doc->Text1->setEnabled(false);
    ASSERT_TRUE(doc->Optcrc[0]->hasFocus());
    EXPECT_EQ(doc->Get_Value(63), 0);
}

// ---- closing

TEST_F(DocumentTest, CloseUnmodifiedAsksNothing)
{
    auto doc = makeDoc(true);
    EXPECT_TRUE(doc->Form_Unload());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(DocumentTest, ClosePromptCancelKeepsDocumentOpen)
{
    auto doc = makeDoc(true);
    doc->Set_form_chang(true);
    dialogs.messageAnswers = { Dialogs::Cancel };
    EXPECT_FALSE(doc->Form_Unload());
    ASSERT_EQ(dialogs.messages().size(), 1);
    const FakeDialogs::Call m = dialogs.messages().first();
    EXPECT_EQ(m.text, " SPD 檔案已被修改 , 是否儲存該檔案 ?");
    EXPECT_EQ(m.title, "SPD_File 1*");
    EXPECT_EQ(m.buttons, Dialogs::YesNoCancel);
    EXPECT_EQ(main.saves, 0);
}

TEST_F(DocumentTest, ClosePromptNoClosesWithoutSaving)
{
    auto doc = makeDoc(true);
    doc->Set_form_chang(true);
    dialogs.messageAnswers = { Dialogs::No };
    EXPECT_TRUE(doc->Form_Unload());
    EXPECT_EQ(main.saves, 0);
}

TEST_F(DocumentTest, ClosePromptYesClosesOnlyWhenSaved)
{
    auto doc = makeDoc(true);
    doc->Set_form_chang(true);
    dialogs.messageAnswers = { Dialogs::Yes };
    main.saveSucceeds = false;
    EXPECT_FALSE(doc->Form_Unload());
    EXPECT_TRUE(doc->Chk_Form_Chang());
    dialogs.messageAnswers = { Dialogs::Yes };
    main.saveSucceeds = true;
    EXPECT_TRUE(doc->Form_Unload());
    EXPECT_EQ(main.saves, 2);
}

// ---- rights

TEST_F(DocumentTest, WithoutRightsProtectedBytesAreRedAndNotEditable)
{
    auto doc = makeDoc(false);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(doc->grid->foreColor(i), 0x0000FFu);
    EXPECT_EQ(doc->grid->foreColor(64), ByteGrid::kDefaultColor);
    EXPECT_FALSE(doc->Text1->isVisible());
    EXPECT_FALSE(doc->Text2->isVisible());
    EXPECT_FALSE(doc->Text2->isEnabled());
    doc->spd_l_value_Click(5);
    EXPECT_EQ(doc->grid->backColor(5), Color_Selected);
    EXPECT_FALSE(doc->Text1->isVisible());
    doc->spd_l_value_Click(64);
    EXPECT_TRUE(doc->Text1->isVisible());
    EXPECT_TRUE(doc->Text1->isEnabled());
}

// ---- hex entry through real key presses

TEST_F(DocumentTest, TypingStoresAdvancesAndMarksModified)
{
    auto doc = makeDoc(true);
    doc->spd_l_value_Click(10);
    EXPECT_EQ(doc->Label1->text(), "Byte10");
    type(doc->Text1, "1f");
    EXPECT_EQ(doc->Get_Value(10), 0x1F);
    EXPECT_EQ(doc->grid->caption(10), "1F");
    EXPECT_EQ(doc->grid->backColor(10), Color_Edited);
    EXPECT_EQ(doc->grid->backColor(11), Color_Selected);
    EXPECT_EQ(doc->Label1->text(), "Byte 11");
    EXPECT_EQ(doc->Text1->text(), "");
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1*");
    EXPECT_TRUE(doc->Chk_Form_Chang());
}

TEST_F(DocumentTest, TypedTextRules)
{
    auto doc = makeDoc(true);
    struct Case { const char* typed; uint8_t expected; };
    const Case cases[] = { { "ABC", 0xBC }, { "", 0x00 }, { "1G", 0x00 }, { "7", 0x07 }, { "a0", 0xA0 } };
    for (const Case& c : cases) {
        doc->Value_Chang(100, 0x55);
        doc->spd_l_value_Click(100);
        type(doc->Text1, QString::fromLatin1(c.typed));
        EXPECT_EQ(doc->Get_Value(100), c.expected) << c.typed;
    }
}

TEST_F(DocumentTest, EnterOnLastByteWrapsAndHidesEntryWithoutRights)
{
    auto doc = makeDoc(false);
    doc->spd_l_value_Click(255);
    ASSERT_TRUE(doc->Text1->isVisible());
    type(doc->Text1, "12");
    EXPECT_EQ(doc->Get_Value(255), 0x12);
    EXPECT_EQ(doc->Sel_Index, 0);
    EXPECT_EQ(doc->grid->backColor(0), Color_Selected);
    EXPECT_FALSE(doc->Text1->isVisible());
    EXPECT_EQ(doc->Label1->text(), "Byte 0");
}

TEST_F(DocumentTest, ChecksumReplacesTypedByte63)
{
    auto doc = makeDoc(true);
    doc->Value_Chang(2, 8);  // DDR2: "Checksum" chosen by decoding
    doc->Optcrc[0]->setChecked(true);
    doc->Value_Chang(0, 0x80);
    doc->spd_l_value_Click(63);
    type(doc->Text1, "FF");
    EXPECT_EQ(doc->Get_Value(63), (0x80 + 8) % 256);
    EXPECT_EQ(doc->grid->backColor(63), Color_Edited);
}

TEST_F(DocumentTest, CrcReplacesTypedBytes126And127)
{
    auto doc = makeDoc(true);
    doc->Value_Chang(2, 11);
    doc->Value_Chang(0, 0x92);
    doc->Optcrc[0]->setChecked(true);  // any choice but "None" follows byte 2
    doc->table_chang(0);
    ASSERT_TRUE(doc->Optcrc[1]->isChecked());
    doc->spd_l_value_Click(126);
    type(doc->Text1, "AA");
    SPD_Record r = doc->SPD;
    const uint16_t crc = crc16_spd(r, 116);
    EXPECT_EQ(doc->Get_Value(126), crc & 0xFF);
    EXPECT_EQ(doc->Get_Value(127), crc >> 8);
    EXPECT_EQ(doc->grid->backColor(126), Color_Edited);
    EXPECT_EQ(doc->grid->backColor(127), Color_Selected);  // the next byte, selected after the upkeep
}

TEST_F(DocumentTest, AnOptionLeftOnTheOtherTypesCheckValueKeepsTheImagesOwn)
{
    // CRC chosen on DDR2, "Checksum" on DDR3: a key keeps the image's own check value only.
    for (const uint8_t type : { 0x08, 0x0B }) {
        auto doc = makeDoc(true);
        const bool ddr3 = type >= 9;
        doc->Value_Chang(2, type);
        doc->spd_l_value_Click(100);
        doc->Optcrc[ddr3 ? 0 : 1]->setChecked(true);
        QTest::keyClick(doc->Text1, Qt::Key_Return);
        EXPECT_EQ(doc->Get_Value(63), ddr3 ? 0 : type);
        EXPECT_EQ(doc->Get_Value(126) | (doc->Get_Value(127) << 8), ddr3 ? crc16_spd(doc->SPD, 125) : 0);
        EXPECT_TRUE(doc->Optcrc[ddr3 ? 1 : 0]->isChecked());
    }
}

// Every writer of the image, on real images: only what the user changed changes, and the
// image's own check value is kept (or given back) by the option chosen.
TEST_F(DocumentTest, WritersChangeOnlyWhatTheUserChanges)
{
    clock.setDate(QDate(2012, 3, 15));
    auto untick = [](frmDocument& d) { d.Check2->setChecked(!d.Check2->isChecked()); d.Check2_Click(); };
    auto fill70 = [](frmDocument& d) { d.value_x_Click(23); type(d.Text2, "AA"); };
    auto fillFrom112 = [](SPD_Record& r) { for (int i = 112; i < 256; ++i) r.Spd_Value[static_cast<size_t>(i)] = 0xAA; };
    struct Case {
        const char* what; const char* image; int option;
        std::function<void(frmDocument&)> act; std::function<void(SPD_Record&)> expect; bool modified;
    };
    const Case cases[] = {
        { "keys other than Enter store nothing", "sdram-nomfr-pc133-malta-1", 0,
          [](frmDocument& d) {
              d.spd_l_value_Click(70);
              for (int key : { int(Qt::Key_Right), int(Qt::Key_Shift), int(Qt::Key_Tab) }) QTest::keyClick(d.Text1, Qt::Key(key));
              d.Text1->setFocus();
              QTest::keyClick(d.Text1, Qt::Key_S, Qt::ControlModifier);
          }, [](SPD_Record&) {}, false },
        { "date stamp, None, untick gives the CRC back", "ddr3-hynix-1333-ecc-1", 0,
          [&](frmDocument& d) { untick(d); d.SetOptcrc(2); untick(d); }, [](SPD_Record&) {}, true },
        { "date stamp and untick give a wrong checksum back", "sdram-nomfr-pc133-malta-1", 0,
          [&](frmDocument& d) { untick(d); untick(d); }, [](SPD_Record&) {}, true },
        { "a byte typed between stamp and untick keeps the CRC right", "ddr3-hynix-1333-ecc-1", 1,
          [&](frmDocument& d) { untick(d); d.spd_l_value_Click(100); type(d.Text1, "5A"); untick(d); },
          [](SPD_Record& r) { r.Spd_Value[100] = 0x5A; crc_upkeep(r); }, true },
        { "an untick after byte 2 changed gives the date bytes back where the stamp wrote them",
          "ddr2-kingston-ddr2-800-1", 0,
          [&](frmDocument& d) {
              untick(d);
              d.spd_l_value_Click(2); type(d.Text1, "0B");
              untick(d);
              d.spd_l_value_Click(2); type(d.Text1, "08");
          },
          [](SPD_Record& r) { r.Spd_Value[2] = 0x0B; crc_upkeep(r); r.Spd_Value[2] = 0x08; checksum_upkeep(r); }, true },
        { "a fill keeps the CRC", "ddr3-samsung-1600-1", 1, fill70,
          [&](SPD_Record& r) { fillFrom112(r); crc_upkeep(r); }, true },
        { "a fill with None writes over it", "ddr3-samsung-1600-1", 2, fill70, fillFrom112, true },
    };
    for (const Case& c : cases) {
        auto doc = makeDoc(true);
        SPD_Record expected = loadImage(*doc, c.image);
        doc->SetOptcrc(c.option);
        c.act(*doc);
        c.expect(expected);
        EXPECT_EQ(doc->SPD.Spd_Value, expected.Spd_Value) << c.what;
        EXPECT_EQ(doc->Chk_Form_Chang(), c.modified) << c.what;
        EXPECT_EQ(doc->grid->caption(127), Hex_Byte_Text(expected.Spd_Value[127])) << c.what;
    }
}

TEST_F(DocumentTest, RowFillFromRow20)
{
    auto doc = makeDoc(true);
    doc->value_x_Click(18);  // row "20"
    EXPECT_EQ(Fill_Start, 32);
    EXPECT_EQ(doc->grid->headerBackColor(18), Color_Selected);
    EXPECT_EQ(doc->grid->headerBackColor(31), ByteGrid::kDefaultColor);
    type(doc->Text2, "AA");
    for (int i = 0; i < 256; ++i) ASSERT_EQ(doc->Get_Value(static_cast<int16_t>(i)), i >= 32 ? 0xAA : 0) << i;
    EXPECT_EQ(doc->grid->caption(200), "AA");
    EXPECT_TRUE(doc->Chk_Form_Chang());
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1*");
    doc->value_x_Click(18);
    QTest::keyClick(doc->Text2, Qt::Key_Return);
    EXPECT_EQ(doc->Get_Value(32), 0);
}

TEST_F(DocumentTest, RowFillBeforeAnyHeaderChangesOnlyByte255AndColumnHeadersDoNothing)
{
    auto doc = makeDoc(true);
    doc->value_x_Click(3);  // a column header
    EXPECT_EQ(Fill_Start, 255);
    doc->Text2->setFocus();
    type(doc->Text2, "5A");
    EXPECT_EQ(doc->Get_Value(255), 0x5A);
    EXPECT_EQ(doc->Get_Value(254), 0);
}

// ---- guided entry

TEST_F(DocumentTest, GuidedEntryDecimal)
{
    auto doc = makeDoc(true);
    Num_Mode = 0;
    dialogs.inputAnswers = { "256", "-1", "abc", "00", "255", " 0 ", "2.5", "" };
    dialogs.messageAnswers = { Dialogs::Ok, Dialogs::Ok, Dialogs::Ok, Dialogs::Ok, Dialogs::Yes };
    doc->key_in_data();
    EXPECT_EQ(doc->Get_Value(0), 255);
    EXPECT_EQ(doc->Get_Value(1), 0);
    EXPECT_EQ(doc->Get_Value(2), 2);  // halves go to the even number
    const QStringList texts = dialogs.messageTexts();
    EXPECT_EQ(texts.count("Input Error"), 4);
    EXPECT_EQ(texts.last(), "Do you want to exit");
    const auto inputs = dialogs.callsOf(FakeDialogs::InputBoxCall);
    EXPECT_EQ(inputs.first().text, "Please input value ,the rang is 0 - 255 , Dec Mode");
    EXPECT_EQ(inputs.first().title, "Input byte0 Value");
    EXPECT_EQ(inputs.last().title, "Input byte3 Value");
    EXPECT_EQ(doc->Get_Value(63), (255 + 0 + 2) % 256);
    EXPECT_TRUE(doc->Chk_Form_Chang());
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1*");
}

TEST_F(DocumentTest, GuidedEntryHexAndNoAfterEmpty)
{
    auto doc = makeDoc(true);
    Num_Mode = 1;
    dialogs.inputAnswers = { "ff", "1G", "", "0A", "" };
    dialogs.messageAnswers = { Dialogs::Ok, Dialogs::No, Dialogs::Ok, Dialogs::Yes };
    doc->key_in_data();
    EXPECT_EQ(doc->Get_Value(0), 0xFF);
    EXPECT_EQ(doc->Get_Value(1), 0x0A);
    const auto inputs = dialogs.callsOf(FakeDialogs::InputBoxCall);
    EXPECT_EQ(inputs.first().text, "Please input value ,the rang is 0 - FF , Hex Mode");
    // "1G" and the empty answer after No both ask byte 1 again.
    EXPECT_EQ(inputs[1].title, "Input byte1 Value");
    EXPECT_EQ(inputs[2].title, "Input byte1 Value");
    EXPECT_EQ(inputs[3].title, "Input byte1 Value");
    const auto msgs = dialogs.messages();
    EXPECT_EQ(msgs[1].title, "Stop");
    EXPECT_EQ(msgs[1].buttons, Dialogs::YesNo);
    EXPECT_EQ(msgs[0].title, "Error");
}

// ---- date code and security stamps

TEST_F(DocumentTest, DateStampWritesBcdYearAndWeekAndRestores)
{
    clock.setDate(QDate(2012, 3, 15));
    auto doc = makeDoc(false);  // the stamps need no rights
    doc->Value_Chang(2, 8);
    doc->Value_Chang(93, 0x07);
    doc->Value_Chang(94, 0x30);
    doc->Check2->setChecked(true);
    doc->Check2_Click();
    EXPECT_EQ(doc->Get_Value(93), 0x12);
    EXPECT_EQ(doc->Get_Value(94), 0x11);
    EXPECT_EQ(doc->grid->caption(93), "12");
    EXPECT_EQ(doc->grid->foreColor(94), Color_Selected);
    EXPECT_EQ(doc->Label98->text(), "11");
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1*");
    doc->Check2->setChecked(false);
    doc->Check2_Click();
    EXPECT_EQ(doc->Get_Value(93), 0x07);
    EXPECT_EQ(doc->Get_Value(94), 0x30);
    EXPECT_EQ(doc->grid->foreColor(93), ByteGrid::kDefaultColor);
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1*");
}

// A DDR3 image whose CRC covers bytes 0-125 holds the date bytes 120-121 and, in byte 127,
// the CRC's high byte: a date stamp and its removal keep the CRC right, a security stamp is
// refused with a message and writes nothing.
TEST_F(DocumentTest, StampsKeepTheDdr3CrcRight)
{
    clock.setDate(QDate(2012, 3, 15));
    auto doc = makeDoc(false);
    QFile file(QStringLiteral(MB_TESTDATA_DIR "/ddr3-kingston-1333-1.bin"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 256);
    SPD_Record image;
    for (int k = 0; k < 256; ++k) image.Spd_Value[static_cast<size_t>(k)] = static_cast<uint8_t>(bytes[k]);
    image.Spd_Value[0] = 0x12;   // CRC over 0-125
    crc_upkeep(image);
    for (int k = 0; k < 256; ++k) doc->Value_Chang(static_cast<int16_t>(k), image.Spd_Value[static_cast<size_t>(k)]);
    doc->SetOptcrc(1);
    for (int k = 0; k < 256; ++k) doc->table_chang(k);
    auto crcIsRight = [&] {
        return crc16_spd(doc->SPD, 125) == (doc->Get_Value(126) | (doc->Get_Value(127) << 8));
    };

    doc->Check2->setChecked(true);
    doc->Check2_Click();
    EXPECT_EQ(doc->Get_Value(120), 0x12);
    EXPECT_EQ(doc->Get_Value(121), 0x11);
    EXPECT_TRUE(crcIsRight());
    EXPECT_EQ(doc->grid->caption(127), Hex_Byte_Text(doc->Get_Value(127)));
    doc->Check2->setChecked(false);
    doc->Check2_Click();
    EXPECT_EQ(doc->SPD.Spd_Value, image.Spd_Value);

    doc->Security_Value = 0x33;
    doc->Check3->setChecked(true);
    doc->Check3_Click();
    EXPECT_FALSE(doc->Check3->isChecked());
    EXPECT_EQ(doc->SPD.Spd_Value, image.Spd_Value);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("CRC")));
}

TEST_F(DocumentTest, DateStampRefusedOutsideTwoDigitYears)
{
    clock.setDate(QDate(2101, 1, 5));
    auto doc = makeDoc(true);
    doc->Check2->setChecked(true);
    doc->Check2_Click();
    EXPECT_FALSE(doc->Check2->isChecked());
    EXPECT_EQ(doc->Get_Value(93), 0);
    EXPECT_EQ(doc->Get_Value(94), 0);
    EXPECT_FALSE(doc->Chk_Form_Chang());
    ASSERT_EQ(dialogs.messages().size(), 1);
}

TEST_F(DocumentTest, SecurityStampGivesBackTheByteItReplaced)
{
    auto doc = makeDoc(true);
    doc->Value_Chang(127, 0x5A);
    doc->Security_Value = 0x33;
    doc->Check3->setChecked(true);
    doc->Check3_Click();
    EXPECT_EQ(doc->Get_Value(127), 0x33);
    EXPECT_EQ(doc->grid->foreColor(127), Color_Selected);
    EXPECT_TRUE(doc->panelModel().caption(QStringLiteral("Label28")).endsWith(QStringLiteral("33")));
    doc->Check3->setChecked(false);
    doc->Check3_Click();
    EXPECT_EQ(doc->Get_Value(127), 0x5A);
    EXPECT_EQ(doc->grid->caption(127), "5A");
    EXPECT_EQ(doc->windowTitle(), "SPD_File 1*");

    // Once the image has become DDR3, byte 127 is its CRC's high byte: an untick leaves it.
    doc->Check3->setChecked(true);
    doc->Check3_Click();
    doc->Value_Chang(2, 0x0B);
    doc->Value_Chang(127, 0xC4);
    doc->Check3->setChecked(false);
    doc->Check3_Click();
    EXPECT_EQ(doc->Get_Value(127), 0xC4);
}

}  // namespace
