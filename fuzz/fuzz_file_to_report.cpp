// The whole road an opened file takes to what the user sees: its bytes through the reader of
// each format, every byte of an accepted image through the decoder its byte 2 selects into
// the panel model, and the report page of its type onto a recording printer. Besides the
// sanitizers' checks, a run stops on a broken promise:
//  - a second decode of the whole image changes no label (no caption depends on the order
//    in which bytes were decoded), and the security value stays a byte;
//  - the page reads the image and changes nothing of the document;
//  - the page prints something, and never at a position before the page's edges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/printer.h"
#include "report/print_lines.h"
#include "report/report_pages.h"
#include "spd_decode/panel_model.h"
#include "spd_decode/spd_decode.h"
#include "spd_document/byte_names.h"
#include "spd_document/document_api.h"
#include "spd_document/main_form_api.h"
#include "spd_document/spd_record.h"
#include "spd_files/spd_file_formats.h"
#include "support/stub_main_form.h"

namespace {

void require(bool condition)
{
    if (!condition) std::abort();
}

// Records what a page prints; nothing leaves the process.
class RecordingPrinter : public Printer {
public:
    void setCurrentX(int twips) override { x = twips; }
    void setCurrentY(int twips) override { y = twips; }
    int currentX() const override { return x; }
    int currentY() const override { return y; }
    void setFontSize(double points) override { size = points; }
    double fontSize() const override { return size; }
    void setFontBold(bool) override {}
    void setFontUnderline(bool) override {}
    void setForeColor(uint32_t bgr) override { color = bgr; }
    uint32_t foreColor() const override { return color; }
    void printLine(const QString& text) override
    {
        require(x >= 0 && y >= 0 && size > 0);
        texts.push_back(text);
        x = 0;
        y += static_cast<int>(size * 20);   // one line of the current font, in twips
    }
    void endDoc() override {}

    int x = 0, y = 0;
    double size = 10;
    uint32_t color = 0;
    std::vector<QString> texts;
};

// The document a page reads: the image, and nothing a page may change.
class ImageDocument : public DocumentApi {
public:
    explicit ImageDocument(const SPD_Record& r) : record(r) {}
    uint8_t Get_Value(int16_t i) const override
    {
        require(i >= 0 && i <= 255);
        return record.Spd_Value[static_cast<size_t>(i)];
    }
    QString Caption() const override { return QStringLiteral("/tmp/fuzz.spd"); }
    int16_t Get_Type() const override { return record.Mem_Type; }
    bool Chk_Form_Chang() const override { return false; }
    int OptcrcChoice() const override { return 0; }
    BurnerPanel* burnerPanel() override { return nullptr; }
    void cal_chksum63() override { std::abort(); }
    void Type_Chang(int16_t) override { std::abort(); }
    void Value_Chang(int16_t, uint8_t) override { std::abort(); }
    void table_chang(int) override { std::abort(); }
    void Set_Value_color_same(int16_t) override { std::abort(); }
    void Set_Value_color_diff2(int16_t) override { std::abort(); }
    void Set_Value_color_diff(int16_t) override { std::abort(); }
    void Set_form_chang(bool) override { std::abort(); }
    void SetCaption(const QString&) override { std::abort(); }
    void SetOptcrc(int) override { std::abort(); }
    void SetOptcrc1Caption(const QString&) override { std::abort(); }

    SPD_Record record;
};

class OneDocumentMain : public StubMainFormBase {
public:
    explicit OneDocumentMain(DocumentApi& d) : doc(d) {}
    DocumentApi* ActiveDocument() override { return &doc; }

    DocumentApi& doc;
};

void showAndPrint(const SPD_Image& image)
{
    SPD_Record record;
    record.Spd_Value = image;
    const int type = Type_Key_Map(image[2]);
    if (type >= 0) record.Mem_Type = static_cast<int16_t>(type);

    PanelModel panel;
    int16_t security = 0;
    QString crcCaption = kCrcFullCaption;
    DecodeContext ctx{ record, panel, security, crcCaption };
    decode_all(ctx);
    require(security >= 0 && security <= 255);
    std::vector<QString> captions;
    for (int i = 0; i < PanelModel::count(); ++i) captions.push_back(panel.caption(static_cast<PanelLabel>(i)));
    const QString firstCrcCaption = crcCaption;
    decode_all(ctx);
    for (int i = 0; i < PanelModel::count(); ++i)
        require(panel.caption(static_cast<PanelLabel>(i)) == captions[static_cast<size_t>(i)]);
    require(crcCaption == firstCrcCaption);

    ImageDocument doc(record);
    OneDocumentMain main(doc);
    RecordingPrinter printer;
    switch (report::Report_Page_For(image[2])) {
    case report::Report_Page::SDRAM: report::SDR_PRINTER(printer, main); break;
    case report::Report_Page::DDR: report::DDR_PRINTER(printer, main); break;
    case report::Report_Page::DDR2: report::DDR2_PRINTER(printer, main); break;
    case report::Report_Page::DDR3: report::DDR3_PRINTER(printer, main); break;
    }
    require(!printer.texts.empty());
    require(doc.record.Spd_Value == image);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fill_Byte_Name_Tables();
    report::Print_Init_All();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SPD_File_Result text = SPD_Hex_File::Parse(bytes);
    if (text.ok()) showAndPrint(text.image);
    const SPD_File_Result raw = SPD_Bin_File::Parse(bytes);
    if (raw.ok()) showAndPrint(raw.image);
    return 0;
}
