// The page printer rendering a real PDF: positions in twips, line advance, emphasis and
// colours, and Chinese text, checked with poppler's tools.
#include "platform/qt/qt_printer.h"
#include "support/pdf_words.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace {

using Word = Pdf_Word;

bool haveTool(const char* name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

// Standard output of a finished program; nothing when it failed.
std::optional<QString> runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString run(const QString& program, const QStringList& args) { return runTool(program, args).value_or(QString()); }

QList<Word> words(const QString& pdf) { return Pdf_Words(pdf); }
const Word* find(const QList<Word>& ws, const QString& text) { return Find_Pdf_Word(ws, text); }

class PdfPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveTool("pdftotext"))
            GTEST_SKIP() << "pdftotext is not installed";
        pdf = dir.path() + "/page.pdf";
    }

    QTemporaryDir dir;
    QString pdf;
};

constexpr double kTolerancePt = 2.5;

} // namespace

TEST_F(PdfPrinter, LinesLandAtTheirTwipPositions)
{
    {
        QtPrinter printer(pdf, 0);
        printer.setFontSize(12);
        printer.setCurrentY(800);
        printer.printLine("Filename:");
        printer.setCurrentY(1340);
        printer.setCurrentX(10300);
        printer.printLine("HEX");
        printer.endDoc();
    }
    const QList<Word> ws = words(pdf);
    const Word* name = find(ws, "Filename:");
    const Word* hex = find(ws, "HEX");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(hex, nullptr);
    // 20 twips to the point; the position names the top of the text.
    EXPECT_NEAR(name->xMin, 0.0, kTolerancePt);
    EXPECT_NEAR(name->yMin, 800 / 20.0, kTolerancePt);
    EXPECT_NEAR(hex->xMin, 10300 / 20.0, kTolerancePt);
    EXPECT_NEAR(hex->yMin, 1340 / 20.0, kTolerancePt);
    // Twelve points whatever the device resolution: nine characters of half the em.
    EXPECT_NEAR(name->xMax - name->xMin, 9 * 6.0, 1.0);
}

TEST_F(PdfPrinter, MarginMovesTheWholePage)
{
    {
        QtPrinter printer(pdf, 720);
        printer.setFontSize(12);
        printer.setCurrentX(1440);
        printer.setCurrentY(1440);
        printer.printLine("Inch");
        printer.endDoc();
    }
    const QList<Word> ws = words(pdf);
    const Word* w = find(ws, "Inch");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin, 36 + 72, kTolerancePt);
    EXPECT_NEAR(w->yMin, 36 + 72, kTolerancePt);
}

TEST_F(PdfPrinter, PrintLineMovesToTheStartOfTheNextLine)
{
    int advance = 0;
    {
        QtPrinter printer(pdf, 0);
        printer.setFontSize(12);
        printer.setCurrentX(2000);
        printer.setCurrentY(3000);
        printer.printLine("upper");
        EXPECT_EQ(printer.currentX(), 0);
        advance = printer.currentY() - 3000;
        EXPECT_EQ(advance, printer.lineHeightTwips());
        printer.printLine("lower");
        printer.endDoc();
    }
    // One 12-point line is 240 twips of type plus some leading.
    EXPECT_GE(advance, 240);
    EXPECT_LE(advance, 400);
    const QList<Word> ws = words(pdf);
    const Word* upper = find(ws, "upper");
    const Word* lower = find(ws, "lower");
    ASSERT_NE(upper, nullptr);
    ASSERT_NE(lower, nullptr);
    EXPECT_NEAR(upper->xMin, 100, kTolerancePt);
    EXPECT_NEAR(lower->xMin, 0, kTolerancePt);
    EXPECT_NEAR(lower->yMin - upper->yMin, advance / 20.0, 1.0);
}

TEST_F(PdfPrinter, PageReachingPastThePaperIsScaledAsAWhole)
{
    // A4 is 595 x 842 points; a line of 200 digits is 1200 points wide at 12 points, and
    // a line at Y 20000 twips lies 1000 points down.
    const struct {
        const char* name;
        int farY;
        int digits;
        double scale;
    } cases[] = {{"too wide", 4000, 200, 595.0 / 1200.0}, {"too tall", 20000, 10, 842.0 / (1000.0 + 12 * 1.448)},
                 {"fits", 4000, 10, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        double scale = 0;
        {
            QtPrinter printer(pdf, 0, QPageSize(QPageSize::A4));
            printer.setFontSize(12);
            printer.setCurrentX(10300);
            printer.setCurrentY(2880);
            printer.printLine("HEX");
            printer.setCurrentY(c.farY);
            printer.printLine(QString(c.digits, '0') + QString(50, ' ')); // blanks at the end do not count
            printer.endDoc();
            scale = printer.lastPageScale();
        }
        EXPECT_NEAR(scale, c.scale, 0.01);
        const QList<Word> ws = words(pdf);
        const Word* hex = find(ws, "HEX");
        const Word* far = find(ws, QString(c.digits, '0'));
        ASSERT_TRUE(hex && far);
        // The same factor for X, Y and the font size.
        EXPECT_NEAR(hex->xMin, 515 * scale, 1.0);
        EXPECT_NEAR(hex->yMin, 144 * scale, 1.0);
        EXPECT_NEAR(hex->xMax - hex->xMin, 18 * scale, 0.5);
        EXPECT_NEAR(far->xMax, c.digits * 6 * scale, 1.0);
        EXPECT_LE(far->xMax, 595.5);
        EXPECT_LE(far->yMax, 842.5);
    }
}

TEST_F(PdfPrinter, FixedPitchFaceHasLatinAtHalfTheEm)
{
    // The preferred face, and the system's fixed-pitch face when a family is missing.
    for (const QString& family : {QtPrinter::Preferred_Family, QStringLiteral("No Such Typeface Mono")}) {
        SCOPED_TRACE(family.toStdString());
        QFont font = QtPrinter::fixedPitchFont(family);
        font.setPointSizeF(12);
        const QFontMetricsF fm(font);
        const double halfEm = 6.0 * fm.fontDpi() / 72.0;
        EXPECT_NEAR(fm.horizontalAdvance(QStringLiteral("0123456789ABCDEF")), 16 * halfEm, 16 * halfEm * 0.01);
        EXPECT_NEAR(fm.horizontalAdvance(QStringLiteral("----------------")), 16 * halfEm, 16 * halfEm * 0.01);
    }
    if (QFontDatabase::hasFamily(QtPrinter::Preferred_Family)) {
        EXPECT_EQ(QFontInfo(QtPrinter::fixedPitchFont(QtPrinter::Preferred_Family)).family(), QtPrinter::Preferred_Family);
    }
    QtPrinter printer(pdf, 0);
    printer.setFontSize(12);
    EXPECT_NEAR(printer.textWidth("0123456789"), 1200, 12);
}

TEST_F(PdfPrinter, LineHeightFollowsTheFontSize)
{
    QtPrinter printer(pdf, 0);
    printer.setFontSize(8);
    const int small = printer.lineHeightTwips();
    printer.setFontSize(24);
    const int large = printer.lineHeightTwips();
    EXPECT_NEAR(static_cast<double>(large) / small, 3.0, 0.3);
    // Emphasis does not change where lines go.
    printer.setFontBold(true);
    printer.setFontUnderline(true);
    EXPECT_NEAR(printer.lineHeightTwips(), large, large * 0.1);
    EXPECT_EQ(printer.fontSize(), 24);
}

TEST_F(PdfPrinter, ChineseTextIsInThePdf)
{
    {
        QtPrinter printer(pdf, 0);
        printer.setFontSize(12);
        printer.setCurrentY(1000);
        printer.printLine("*****   電腦讀取模組 SPD 成功!   *****");
        printer.endDoc();
    }
    QString text = run("pdftotext", {pdf, "-"});
    text.remove(QRegularExpression("\\s"));
    EXPECT_TRUE(text.contains("電腦讀取模組")) << text.toStdString();
    EXPECT_TRUE(text.contains("SPD成功!"));
}

TEST_F(PdfPrinter, ForeColourIsBlueGreenRed)
{
    if (!haveTool("pdftoppm"))
        GTEST_SKIP() << "pdftoppm is not installed";
    {
        QtPrinter printer(pdf, 0);
        printer.setFontSize(48);
        printer.setForeColor(0x0000FF); // red
        EXPECT_EQ(printer.foreColor(), 0x0000FFu);
        printer.setCurrentX(1440);
        printer.setCurrentY(1440);
        printer.printLine("MMMM");
        printer.setForeColor(0xFF0000); // blue
        printer.setCurrentX(1440);
        printer.setCurrentY(4320);
        printer.printLine("MMMM");
        printer.endDoc();
    }
    ASSERT_TRUE(runTool("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, dir.path() + "/page"}));
    QImage page(dir.path() + "/page.png");
    ASSERT_FALSE(page.isNull());
    // Count strongly red and strongly blue pixels in each band (72 dpi: 1 pixel a point).
    auto count = [&](int top, int bottom, bool red) {
        int n = 0;
        for (int y = top; y < bottom && y < page.height(); ++y)
            for (int x = 60; x < 300 && x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                if (red ? (c.red() > 180 && c.blue() < 80 && c.green() < 80)
                        : (c.blue() > 180 && c.red() < 80 && c.green() < 80))
                    ++n;
            }
        return n;
    };
    EXPECT_GT(count(72, 140, true), 100);
    EXPECT_EQ(count(72, 140, false), 0);
    EXPECT_GT(count(216, 284, false), 100);
    EXPECT_EQ(count(216, 284, true), 0);
}

TEST_F(PdfPrinter, NothingPrintedMakesNoDocument)
{
    {
        QtPrinter printer(pdf, 0);
        printer.endDoc();
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PrinterFailure, UnwritableFileFailsQuietlyAndKeepsCounting)
{
    QtPrinter printer("/nonexistent-folder/x/page.pdf", 0);
    printer.setFontSize(12);
    printer.setCurrentY(100);
    printer.printLine("lost");
    EXPECT_TRUE(printer.failed());
    EXPECT_EQ(printer.currentY(), 100 + printer.lineHeightTwips());
    printer.endDoc();
}
