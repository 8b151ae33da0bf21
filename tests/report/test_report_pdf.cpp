// Real reports through the print command onto PDF files on A4 and on US Letter, read back
// with poppler's pdftotext: every value whole and on the paper beside its row, no value
// over a description, the descriptions in one column, the closing rule on the paper, and
// the Chinese file name in the header.
#include "print_command_fixture.h"

#include "platform/qt/qt_printer.h"
#include "report/report_texts.h"
#include "spd_document/spd_record.h"
#include "support/pdf_words.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace {

using Word = Pdf_Word;

constexpr int Margin_Twips = 360;
constexpr double Margin_Points = Margin_Twips / 20.0;

// A value the page prints: bytes first to last beside the row whose byte label is `label`,
// or `below` lines under it.
struct Value_Row {
    QString label;
    int first, last;
    bool partNumber = false;
    int below = 0;
};

void Singles(std::vector<Value_Row>& rows, int first, int last)
{
    for (int b = first; b <= last; ++b) rows.push_back({QString::number(b), b, b});
}
// A field row: its label is its byte range.
void Field(std::vector<Value_Row>& rows, int first, int last)
{
    rows.push_back({QStringLiteral("%1-%2").arg(first).arg(last), first, last});
}
// A reserved range of which the page shows only the first byte.
void First_Of(std::vector<Value_Row>& rows, int first, int last)
{
    rows.push_back({QStringLiteral("%1-%2").arg(first).arg(last), first, first});
}

// Bytes 64-127 of the SDRAM, DDR and DDR2 pages, up to the manufacturer's data.
void Module_Rows(std::vector<Value_Row>& rows)
{
    Field(rows, 64, 71);
    Singles(rows, 72, 72);
    rows.push_back({QStringLiteral("73-90"), 73, 90, true});
    Field(rows, 91, 92);
    Singles(rows, 93, 94);
    Field(rows, 95, 98);
}

std::vector<Value_Row> Sdram_Rows()
{
    std::vector<Value_Row> rows;
    Singles(rows, 0, 35);
    First_Of(rows, 36, 40);
    Singles(rows, 41, 41);
    First_Of(rows, 42, 61);
    Singles(rows, 62, 63);
    Module_Rows(rows);
    Field(rows, 99, 125);
    Singles(rows, 126, 127);
    return rows;
}

std::vector<Value_Row> Ddr_Rows(int lastSingle)
{
    std::vector<Value_Row> rows;
    Singles(rows, 0, 35);
    if (lastSingle < 46) { // DDR: 36-40 reserved, 41-45 timings, 46-61 reserved
        First_Of(rows, 36, 40);
        Singles(rows, 41, 45);
    } else {
        Singles(rows, 36, 46);
    }
    First_Of(rows, lastSingle + 1, 61);
    Singles(rows, 62, 63);
    Module_Rows(rows);
    Field(rows, 99, 127);
    return rows;
}

std::vector<Value_Row> Ddr3_Rows()
{
    std::vector<Value_Row> rows;
    Singles(rows, 0, 31);
    First_Of(rows, 32, 59);
    Singles(rows, 60, 63);
    First_Of(rows, 64, 116);
    Singles(rows, 117, 121);
    Field(rows, 122, 125);
    Singles(rows, 126, 127);
    Field(rows, 128, 145);
    Field(rows, 146, 147);
    Field(rows, 148, 149);
    Field(rows, 150, 175);
    rows.push_back({QStringLiteral("176-255"), 176, 191});
    rows.push_back({QStringLiteral("176-255"), 192, 223, false, 1});
    rows.push_back({QStringLiteral("176-255"), 224, 255, false, 2});
    return rows;
}

struct Pdf_Case {
    const char* name;
    const char* image;
    std::vector<Value_Row> values;
};

const std::vector<Pdf_Case>& Cases()
{
    static const std::vector<Pdf_Case> cases = {
        {"SDRAM", "sdram-daneelec-pc133-1.bin", Sdram_Rows()},
        {"DDR", "ddr-corsair-ddr400-1.bin", Ddr_Rows(45)},
        // Its part number ends in zero bytes.
        {"DDR2", "ddr2-kingston-ddr2-800-1.bin", Ddr_Rows(46)},
        {"DDR3", "ddr3-kingston-1333-1.bin", Ddr3_Rows()},
    };
    return cases;
}

// On one line, within a quarter of a box's height (pdftotext's boxes are about one and a
// half lines high); the hex anchors may sit a sixth of a line below their rows.
bool Same_Line(const Word& a, const Word& b) { return std::abs(a.yMin - b.yMin) < (a.yMax - a.yMin) / 4; }

// The word with this text that begins its line: a row's byte label.
const Word* Row_Label(const QList<Word>& words, const QString& label)
{
    for (const Word& w : words) {
        if (w.text != label) continue;
        if (std::none_of(words.begin(), words.end(), [&](const Word& o) { return Same_Line(o, w) && o.xMin < w.xMin; }))
            return &w;
    }
    return nullptr;
}

class ReportPdf : public PrintCommandTest {
protected:
    void SetUp() override
    {
        PrintCommandTest::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
        ASSERT_TRUE(dir.isValid());
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ReportPdf, EveryValueIsWholeOnThePaperBesideItsRowOnA4AndLetter)
{
    for (const QPageSize::PageSizeId paperId : {QPageSize::A4, QPageSize::Letter}) {
        const QPageSize paper(paperId);
        const QSizeF sheet = paper.size(QPageSize::Point);
        for (const Pdf_Case& c : Cases()) {
            SCOPED_TRACE(QStringLiteral("%1 on %2").arg(c.name, paper.name()).toStdString());
            const QString pdf = dir.filePath(QStringLiteral("%1-%2.pdf").arg(c.name).arg(paperId));
            dialogs.makePrinter = [&] { return std::make_unique<QtPrinter>(pdf, Margin_Twips, paper); };
            // A Chinese file name, so the header needs the CJK glyphs.
            const QString image = dir.filePath(QStringLiteral("記憶體模組-%1").arg(c.image));
            QFile::remove(image);
            ASSERT_TRUE(QFile::copy(QStringLiteral(MB_TESTDATA_DIR "/") + c.image, image));
            frmDocument* doc = Open(image);
            ASSERT_NE(doc, nullptr);
            main->mnuFilePrint_Click();
            const QList<Word> words = Pdf_Words(pdf);
            ASSERT_FALSE(words.isEmpty()) << "no text in " << pdf.toStdString();

            // Nothing reaches outside the printable area.
            for (const Word& w : words) {
                EXPECT_GE(w.xMin, Margin_Points - 0.5) << w.text.toStdString();
                EXPECT_LE(w.xMax, sheet.width() - Margin_Points + 0.5) << w.text.toStdString();
                EXPECT_LE(w.yMax, sheet.height() - Margin_Points + 0.5) << w.text.toStdString();
            }
            const Word* label = Find_Pdf_Word(words, QStringLiteral("Filename:"));
            const Word* name = Find_Pdf_Word(words, QFileInfo(image).fileName());
            ASSERT_TRUE(label && name);
            EXPECT_TRUE(Same_Line(*label, *name) && name->xMin > label->xMax);

            const Word* row0 = Row_Label(words, QStringLiteral("0"));
            const Word* row1 = Row_Label(words, QStringLiteral("1"));
            ASSERT_TRUE(row0 && row1);
            const double pitch = row1->yMin - row0->yMin;
            ASSERT_GT(pitch, 5.0);

            int digits = 0, bytes = 0;
            double descriptionX = -1;
            QList<const Word*> values;
            for (const Value_Row& v : c.values) {
                SCOPED_TRACE(v.label.toStdString());
                const Word* row = Row_Label(words, v.label);
                ASSERT_NE(row, nullptr);
                const double y = row->yMin + v.below * pitch;
                QList<const Word*> line;
                for (const Word& w : words)
                    if (std::abs(w.yMin - y) < pitch / 3 && &w != row) line << &w;
                std::sort(line.begin(), line.end(), [](const Word* a, const Word* b) { return a->xMin < b->xMin; });
                ASSERT_FALSE(line.isEmpty());
                // The word after the byte label begins the description.
                if (v.below == 0) {
                    if (descriptionX < 0) descriptionX = line.first()->xMin;
                    EXPECT_NEAR(line.first()->xMin, descriptionX, 0.3);
                }
                std::vector<uint8_t> field;
                for (int b = v.first; b <= v.last; ++b) field.push_back(doc->Get_Value(static_cast<int16_t>(b)));
                if (v.partNumber) {
                    // The part number's characters, control codes printed as blanks.
                    for (const QString& piece : report::Part_Number_Text(field).simplified().split(' ', Qt::SkipEmptyParts))
                        EXPECT_TRUE(std::any_of(line.begin(), line.end(), [&](const Word* w) { return w->text == piece; }))
                            << piece.toStdString();
                    continue;
                }
                const QString hex = report::Field_Text(field);
                const auto value = std::find_if(line.begin(), line.end(), [&](const Word* w) { return w->text == hex; });
                ASSERT_NE(value, line.end()) << "no " << hex.toStdString();
                values << *value;
                digits += static_cast<int>((*value)->text.size());
                bytes += v.last - v.first + 1;
            }
            EXPECT_EQ(digits, 2 * bytes);

            // pdftotext's boxes are the face's full line height, taller than the report's
            // line pitch, so a box is compared with the boxes of its own line.
            for (const Word* v : values)
                for (const Word& w : words) {
                    if (&w == v || std::abs(w.yMin - v->yMin) >= pitch / 2) continue;
                    EXPECT_FALSE(w.xMin < v->xMax && v->xMin < w.xMax) << v->text.toStdString() << " over " << w.text.toStdString();
                }

            // The three rules whole (under the header, above the module data, closing the
            // page): 139 hyphens each, the closing one below every value.
            QList<const Word*> rules;
            for (const Word& w : words)
                if (w.text == QString(139, QLatin1Char('-'))) rules << &w;
            ASSERT_EQ(rules.size(), 3);
            std::sort(rules.begin(), rules.end(), [](const Word* a, const Word* b) { return a->yMin < b->yMin; });
            for (const Word* v : values) EXPECT_LT(v->yMin, rules.last()->yMin);

            for (frmDocument* d : main->Documents()) d->Set_form_chang(false);
            main->mnuFileCloseAll_Click();
        }
    }
}
