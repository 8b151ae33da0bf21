// One real report through the print command onto a PDF file, read back with poppler's
// pdftotext: the Chinese file name, the column titles and the hex values stand where the
// page puts them, each value on the line of its description.
#include "print_command_fixture.h"

#include "platform/qt/qt_printer.h"
#include "support/pdf_words.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using Word = Pdf_Word;
const Word* Find(const QList<Word>& words, const QString& text) { return Find_Pdf_Word(words, text); }

// Points on the page of a twip position; the printable area starts at the margin.
constexpr int Margin_Twips = 360;
double Points(int twips) { return (twips + Margin_Twips) / 20.0; }

class ReportPdf : public PrintCommandTest {
protected:
    void SetUp() override
    {
        PrintCommandTest::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("report.pdf"));
        dialogs.makePrinter = [this] { return std::make_unique<QtPrinter>(pdf, Margin_Twips); };
    }

    QTemporaryDir dir;
    QString pdf;
};

} // namespace

TEST_F(ReportPdf, Ddr3ReportShowsNameTitlesAndValuesOnTheirLines)
{
    // A file with a Chinese name, so the header needs the CJK glyphs.
    const QString image = dir.filePath(QStringLiteral("記憶體模組-ddr3.bin"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MB_TESTDATA_DIR "/ddr3-kingston-1333-1.bin"), image));
    frmDocument* doc = Open(image);
    ASSERT_NE(doc, nullptr);
    main->mnuFilePrint_Click();

    const QList<Word> words = Pdf_Words(pdf);
    ASSERT_FALSE(words.isEmpty()) << "no text in " << pdf.toStdString();

    const Word* label = Find(words, QStringLiteral("Filename:"));
    const Word* name = Find(words, QStringLiteral("記憶體模組-ddr3.bin"));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR(label->yMin, Points(900), 3.0);
    EXPECT_NEAR(name->yMin, label->yMin, 4.0);
    EXPECT_GT(name->xMin, label->xMax);

    const Word* hex = Find(words, QStringLiteral("HEX"));
    const Word* byteTitle = Find(words, QStringLiteral("BYTE"));
    ASSERT_NE(hex, nullptr);
    ASSERT_NE(byteTitle, nullptr);
    EXPECT_NEAR(hex->xMin, Points(10300), 3.0);
    EXPECT_NEAR(hex->yMin, Points(1500), 3.0);
    EXPECT_NEAR(byteTitle->yMin, hex->yMin, 2.0);

    // Byte 12 (tCKmin) in the upper section and the DRAM maker's ID and the part number in
    // the lower one, each on the line of its description.
    const auto beside = [&](const QString& rowWord, const QString& value, int xTwips) -> const Word* {
        for (const Word& row : words) {
            if (row.text != rowWord) continue;
            for (const Word& w : words)
                if (w.text.startsWith(value) && std::abs(w.xMin - Points(xTwips)) < 3.0 && std::abs(w.yMin - row.yMin) < 4.0)
                    return &w;
        }
        return nullptr;
    };
    // Only the start of the part number is checked: with the default typeface a long field
    // runs past the right edge of the paper.
    QString dramMaker, partNumber;
    for (int b = 148; b <= 149; ++b) dramMaker += Hex_Byte_Text(doc->Get_Value(static_cast<int16_t>(b)));
    for (int b = 128; b <= 135; ++b) partNumber += Hex_Byte_Text(doc->Get_Value(static_cast<int16_t>(b)));
    EXPECT_NE(beside(QStringLiteral("(tCKmin)"), Hex_Byte_Text(doc->Get_Value(12)), 10500), nullptr);
    EXPECT_NE(beside(QStringLiteral("DRAM"), dramMaker, 10270), nullptr);
    EXPECT_NE(beside(QStringLiteral("Part"), partNumber, 6670), nullptr);
    EXPECT_NE(Find(words, QStringLiteral("www.velmondra.com.tw")), nullptr);
}
