#pragma once
// A document stand-in holding an image and a caption, and a main window handing it out as
// its active document; both count calls and can be told to fail.
#include "spd_document/document_api.h"
#include "spd_document/main_form_api.h"
#include "support/stub_main_form.h"

#include <QFile>
#include <array>
#include <stdexcept>

using Image = std::array<uint8_t, 256>;

// A real module's image from the test data (zeros past the end of a short file).
inline Image Read_Test_Image(const char* name)
{
    Image image{};
    QFile f(QStringLiteral(MB_TESTDATA_DIR "/") + QLatin1String(name));
    const QByteArray data = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    for (int k = 0; k < 256 && k < data.size(); ++k) image[static_cast<size_t>(k)] = static_cast<uint8_t>(data[k]);
    return image;
}

class ImageDocument : public DocumentApi {
public:
    explicit ImageDocument(const Image& bytes = {}, const QString& caption = QStringLiteral("SPD_File 1"))
        : image(bytes), caption(caption) {}
    uint8_t Get_Value(int16_t i) const override
    {
        if (++getValueCalls > failAfterGetValues && failAfterGetValues >= 0) throw std::runtime_error("read failure");
        return image.at(static_cast<size_t>(i));
    }
    QString Caption() const override { return caption; }
    void cal_chksum63() override {}
    void Type_Chang(int16_t) override {}
    int16_t Get_Type() const override { return 0; }
    void Value_Chang(int16_t, uint8_t) override {}
    void table_chang(int) override {}
    void Set_Value_color_same(int16_t) override {}
    void Set_Value_color_diff2(int16_t) override {}
    void Set_Value_color_diff(int16_t) override {}
    bool Chk_Form_Chang() const override { return false; }
    void Set_form_chang(bool) override {}
    void SetCaption(const QString&) override {}
    int OptcrcChoice() const override { return 0; }
    void SetOptcrc(int) override {}
    void SetOptcrc1Caption(const QString&) override {}
    BurnerPanel* burnerPanel() override { return nullptr; }

    Image image;
    QString caption;
    mutable int getValueCalls = 0;
    int failAfterGetValues = -1;
};

class OneDocumentMain : public StubMainFormBase {
public:
    explicit OneDocumentMain(DocumentApi* doc) : active(doc) {}
    // After `closeAfter` calls the document is gone (-1: never).
    DocumentApi* ActiveDocument() override { return ++calls > closeAfter && closeAfter >= 0 ? nullptr : active; }

    DocumentApi* active;
    int calls = 0;
    int closeAfter = -1;
};
