// The four print-line tables: which entries each fill writes, every text against a
// reference digest, the widths with trailing blanks, and that filling again is harmless.
#include <gtest/gtest.h>

#include "report/print_lines.h"
#include "spd_document/globals.h"

#include <QCryptographicHash>
#include <map>
#include <set>

namespace {

struct Table_Case {
    const char* name;
    std::array<QString, 258>& table;
    void (*fill)();
    std::vector<std::pair<int, int>> filled; // runs of filled entries
    const char* sha1;                        // of "<index>:<text>\n" over the filled entries
};

const std::vector<Table_Case>& Cases()
{
    static const std::vector<Table_Case> cases = {
        {"SD", SD_Print_Line, report::SD_Print_Init,
         {{0, 36}, {41, 42}, {62, 64}, {72, 73}, {91, 91}, {93, 95}, {99, 99}, {126, 127}, {256, 257}},
         "e03dc87a32a988b6af8c92718ecded4d97dad643"},
        {"DDR", DDR_Print_Line, report::DDR_Print_Init,
         {{0, 36}, {41, 46}, {62, 64}, {72, 73}, {91, 91}, {93, 95}, {99, 99}, {256, 257}},
         "917c7a3a6db9794280ce99f53be41628f0cf6240"},
        {"DDR2", DDR2_Print_Line, report::DDR2_Print_Init,
         {{0, 47}, {62, 64}, {72, 73}, {91, 91}, {93, 95}, {99, 99}, {256, 257}},
         "2330bc1bf3c564c251aa78b6b11e4f3a55711ccd"},
        {"DDR3", DDR3_Print_Line, report::DDR3_Print_Init,
         {{0, 32}, {60, 64}, {117, 122}, {126, 128}, {146, 146}, {148, 148}, {150, 150}, {176, 176}, {256, 257}},
         "165b20ceb3a99f6024eba49f1c1988c3fad55806"},
    };
    return cases;
}

// 138 characters for a one-digit byte number, 137 for two digits or a range, 136 for three
// digits and for the header, 144 for the rule; a few DDR3 lines are shorter.
int Expected_Width(const QString& table, int index, const QString& text)
{
    const std::map<int, int> ddr3Short = {{64, 136}, {117, 135}, {118, 135}, {122, 134}, {128, 136},
                                          {146, 136}, {148, 135}, {150, 135}, {176, 136}};
    if (index == report::Print_Line_Rule) return 144;
    if (index == report::Print_Line_Header) return 136;
    if (table == "DDR3" && ddr3Short.count(index)) return ddr3Short.at(index);
    const QString label = text.trimmed().section(u' ', 0, 0);
    return label.contains(u'-') ? 137 : 139 - static_cast<int>(label.size());
}

} // namespace

TEST(PrintLines, EachFillWritesExactlyItsEntriesWithTheirTexts)
{
    for (const Table_Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        c.table.fill(QString());
        c.fill();
        std::set<int> filled;
        for (const auto& run : c.filled)
            for (int i = run.first; i <= run.second; ++i) filled.insert(i);
        QByteArray blob;
        for (int i = 0; i < 258; ++i) {
            const QString& text = c.table[static_cast<size_t>(i)];
            EXPECT_EQ(!text.isEmpty(), filled.count(i) == 1) << "entry " << i;
            if (text.isEmpty()) continue;
            EXPECT_EQ(text.size(), Expected_Width(QLatin1String(c.name), i, text)) << "entry " << i;
            blob += QByteArray::number(i) + ':' + text.toUtf8() + '\n';
        }
        // Any changed character in any line shows here.
        EXPECT_EQ(QCryptographicHash::hash(blob, QCryptographicHash::Sha1).toHex(), QByteArray(c.sha1));
    }
}

TEST(PrintLines, FillingAgainGivesTheSameTables)
{
    report::Print_Init_All();
    const auto sd = SD_Print_Line, ddr = DDR_Print_Line, ddr2 = DDR2_Print_Line, ddr3 = DDR3_Print_Line;
    report::Print_Init_All();
    EXPECT_TRUE(SD_Print_Line == sd && DDR_Print_Line == ddr && DDR2_Print_Line == ddr2 && DDR3_Print_Line == ddr3);
    EXPECT_EQ(SD_Print_Line[36].left(30), "      36-40       Reserved    ");
}
