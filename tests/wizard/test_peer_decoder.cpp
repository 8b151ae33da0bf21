// Wizard images read by an independent decoder, decode-dimms from i2c-tools: for every memory
// type and speed grade, at every DRAM size and width with the preselected timings, and again
// as a two-rank ECC module with every CAS latency and the longest tRAS and tRP, the image
// must not contradict itself nor JEDEC. Its checksum or CRC is valid, the module size that
// its address geometry gives equals the size that its density byte declares, its cycle time
// is the grade's and is no shorter at a lower CAS latency, every declared latency has one,
// tRC is at least tRAS + tRP, the DDR3 tAA asks for a declared CAS latency, tRRD, tFAW and
// tRFC meet JEDEC's least for the page size and density, the preselection meets the grade's
// fastest bin, decimal digits are valid, the fixed latency and refresh bytes are JEDEC's,
// the part number is padded with blanks and the maker ID names the manufacturer.
// A size and width are refused exactly when the type has no such device, else it has
// JEDEC's banks, rows and columns; each tRCD, tRP and tRAS item reads as its clock count.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "wizard/encode_ddr2.h"
#include "wizard/encode_ddr3.h"
#include "wizard/wizard_lists.h"
#include "wizard/wizard_pages.h"

namespace {

using namespace wizard;

const double kGradeTck[16] = { 15, 10, 7.5, 6, 10, 7.5, 6, 5, 5, 3.75, 3, 2.5, 2.5, 1.875, 1.5, 1.25 };

// JEDEC's least timings in ns by speed-grade code: tRRD and (DDR3) tFAW for a page of 1 KB
// or less and for 2 KB, and the fastest bin's tAA, tRCD (= tRP) and tRAS. SDRAM has no
// JEDEC bins: the PC66-PC133 figures, and 6 ns parts' for 166 MHz.
struct Jedec_Grade { double trrd[2], tfaw[2], taa, trcd, tras; };
const Jedec_Grade kJedec[16] = {
    { { 20, 20 }, {}, 30, 30, 60 }, { { 20, 20 }, {}, 20, 20, 50 }, { { 15, 15 }, {}, 15, 15, 37 },
    { { 12, 12 }, {}, 18, 18, 42 }, { { 15, 15 }, {}, 20, 20, 50 }, { { 15, 15 }, {}, 15, 20, 45 },
    { { 12, 12 }, {}, 15, 18, 42 }, { { 10, 10 }, {}, 12.5, 15, 40 }, { { 7.5, 10 }, {}, 15, 15, 45 },
    { { 7.5, 10 }, {}, 11.25, 11.25, 45 }, { { 7.5, 10 }, {}, 12, 12, 45 }, { { 7.5, 10 }, {}, 10, 10, 45 },
    { { 10, 10 }, { 40, 50 }, 12.5, 12.5, 37.5 }, { { 7.5, 10 }, { 37.5, 50 }, 11.25, 11.25, 37.5 },
    { { 6, 7.5 }, { 30, 45 }, 10.5, 10.5, 36 }, { { 6, 7.5 }, { 30, 40 }, 10, 10, 35 },
};
// tRFC of DDR, DDR2 and DDR3 by device density: 256 Mbit, 512 Mbit, 1 Gbit ... 8 Gbit.
const double kTrfc[3][6] = { { 70, 70, 120, 120, 120, 120 }, { 75, 105, 127.5, 197.5, 327.5, 327.5 },
                             { 90, 90, 110, 160, 260, 350 } };
// The CAS latencies of DDR3's standard bins (n-n-n) at 800, 1066, 1333 and 1600.
const std::vector<double> kDdr3BinCls[4] = { { 5, 6 }, { 6, 7, 8 }, { 7, 8, 9, 10 }, { 8, 9, 10, 11 } };
// JEDEC's banks x rows x columns of the device that each size ("8 Mb" up, in locations)
// and width (x4, x8, x16) names, by type; "" where the type has none (and SDRAM 128 Mb x4,
// a 1 GB rank that its byte 31 cannot declare).
const char* const kJedecOrg[4][6][3] = {
    { { "", "4x12x9", "4x12x9" }, { "4x12x10", "4x12x10", "4x13x9" }, { "4x12x11", "4x13x10", "4x13x10" },
      { "4x13x11", "4x13x11", "" }, { "", "", "" }, { "", "", "" } },
    { { "", "4x12x9", "4x12x9" }, { "4x12x10", "4x12x10", "4x13x9" }, { "4x12x11", "4x13x10", "4x13x10" },
      { "4x13x11", "4x13x11", "4x14x10" }, { "4x13x12", "4x14x11", "" }, { "4x14x12", "", "" } },
    { { "", "", "" }, { "", "", "4x13x9" }, { "", "4x13x10", "4x13x10" },
      { "4x13x11", "4x14x10", "8x13x10" }, { "4x14x11", "8x14x10", "8x14x10" }, { "8x14x11", "8x15x10", "8x15x10" } },
    { { "", "", "" }, { "", "", "" }, { "", "", "8x12x10" },
      { "", "8x13x10", "8x13x10" }, { "8x13x11", "8x14x10", "8x14x10" }, { "8x14x11", "8x15x10", "8x15x10" } },
};

struct Combination {
    int type;     // 1 SDRAM .. 4 DDR3
    int option;   // speed option 0..3
    int size;     // DRAM size position, -1 for the type's preselection
    int width;    // DRAM width position
    bool slow = false;   // two ranks, ECC, the CAS item of most latencies, longest tRAS and tRP
    int clocks = -1;     // when set: tRAS item `clocks`, tRP item `clocks` and tRCD item `clocks` from the end, round
    int item(Timing_List l) const { const int n = int(Timing_List_Items(type, l).size()), k = clocks % n; return l == Timing_List::tRCD ? n - 1 - k : k; }
    int count(Timing_List l) const { return Timing_List_First_Clocks(type, l) + item(l); }
    QString name() const
    {
        return QStringLiteral("%1-grade%2-size%3-width%4%5%6").arg(type).arg(option).arg(size).arg(width)
            .arg(slow ? QStringLiteral("-slow") : QString()).arg(clocks >= 0 ? QStringLiteral("-clocks%1").arg(clocks) : QString());
    }
    // Two makers, one of them behind continuation codes, as the decoder names them.
    QString id() const { return option % 2 ? QStringLiteral("7F7F9E") : QStringLiteral("CE"); }
    QString maker() const { return option % 2 ? QStringLiteral("Corsair") : QStringLiteral("Samsung"); }
};

// The record that the wizard's pages store for a combination: the user picks the type, the
// speed, then width and size (and sides and ECC), keeps the preselected timings or picks
// the slow ones, and finishes with the maker ID (left in Warez_Info). nullopt when the
// module-parameter page refuses the size and width.
std::optional<Warez_Params> recordFor(const Combination& c)
{
    Warez_Param.fill(0);
    Warez_Pages pages;
    pages.Form_Load();
    pages.optRamType = c.type - 1;
    pages.Command3_Click();
    switch (c.type) {
    case Warez_SDRAM: pages.optRamTypeSDR = c.option; break;
    case Warez_DDR: pages.optRamTypeDDR = c.option; break;
    case Warez_DDR2: pages.optRamTypeDDR2 = c.option; break;
    default: pages.optRamTypeDDR3 = c.option; break;
    }
    pages.Command3_Click();
    pages.CboDataWidth.Select(c.width);
    pages.CboDataWidth_Click();
    if (c.size >= 0) pages.CboSize.Select(c.size);
    if (c.slow) pages.CboSide.Select(1), pages.Check1 = true;
    pages.Command3_Click();
    if (pages.Page_Counter == 2) return std::nullopt;
    if (c.slow) {
        int most = 0;
        for (int i = 0; i < pages.cbotcl.items.size(); ++i)
            if (pages.cbotcl.items[i].count(QLatin1Char(' ')) > pages.cbotcl.items[most].count(QLatin1Char(' '))) most = i;
        pages.cbotcl.Select(most);
        pages.cbotras.Select(int(pages.cbotras.items.size()) - 1);
        pages.cbotrp.Select(int(pages.cbotrp.items.size()) - 1);
    }
    if (c.clocks >= 0)
        pages.cbotrp.Select(c.item(Timing_List::tRP)), pages.cbotrcd.Select(c.item(Timing_List::tRCD)),
            pages.cbotras.Select(c.item(Timing_List::tRAS));
    pages.Command3_Click();
    pages.Text1 = c.id();
    pages.Command4_Click();
    return Warez_Param;
}

// The image the encoder of the type writes into a new, all-zero document.
SPD_Record imageFor(const Warez_Params& param, const QString& id)
{
    SPD_Record rec;
    const auto apply = [&rec](const Byte_Writes& writes) {
        for (const Byte_Write& w : writes) rec.Spd_Value[static_cast<size_t>(w.index)] = w.value;
    };
    if (param[0] == Warez_DDR3) {
        apply(Ddr3_Image_Writes(param, Ddr3_Id_Text(id), QStringLiteral("WIZARD")));
    } else {
        apply(Ddr2_Head_Writes(param));
        rec.Spd_Value[63] = static_cast<uint8_t>(cal_bytesum(rec, 62));
        apply(Ddr2_Jedec_Id_Writes(Ddr2_Id_Text(id)));
        apply(Part_Number_Writes(QStringLiteral("WIZARD"), 73));
    }
    return rec;
}

// The image as `hexdump -v -C` prints it.
QByteArray hexdumpC(const SPD_Record& rec)
{
    QByteArray out;
    for (int line = 0; line < 256; line += 16) {
        out += QByteArray::number(line, 16).rightJustified(8, '0') + "  ";
        QByteArray ascii;
        for (int i = 0; i < 16; ++i) {
            const uint8_t b = rec.Spd_Value[static_cast<size_t>(line + i)];
            out += QByteArray::number(b, 16).rightJustified(2, '0') + ' ';
            if (i == 7) out += ' ';
            ascii += (b >= 0x20 && b < 0x7F) ? char(b) : '.';
        }
        out += " |" + ascii + "|\n";
    }
    out += "00000100\n";
    return out;
}

// One image's section of decode-dimms' text: "label value" lines by label; the indented
// lines under a value (a cycle time at each CAS latency) join it, one a line.
using Section = std::multimap<QString, QString>;

std::map<QString, Section> parseSections(const QString& text)
{
    std::map<QString, Section> sections;
    Section* current = nullptr;
    Section::iterator last;
    static const QRegularExpression line(QStringLiteral("^(\\S.*?)\\s{2,}(\\S.*)$"));
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        if (raw.startsWith(QLatin1String("Decoding EEPROM: "))) {
            current = &sections[QFileInfo(raw.mid(17).trimmed()).completeBaseName()];
            last = current->end();
            continue;
        }
        if (!current) continue;
        if (raw.startsWith(QLatin1Char(' ')) && !raw.trimmed().isEmpty() && last != current->end()) {
            last->second += QLatin1Char('\n') + raw.trimmed();
            continue;
        }
        const auto m = line.match(raw.trimmed());
        last = m.hasMatch() ? current->emplace(m.captured(1), m.captured(2).trimmed()) : current->end();
    }
    return sections;
}

QString valueOf(const Section& s, const QString& label)
{
    const auto it = s.find(label);
    return it == s.end() ? QString() : it->second;
}

// The first value whose label starts with `prefix`.
QString valueStarting(const Section& s, const QString& prefix)
{
    for (const auto& [label, value] : s)
        if (label.startsWith(prefix)) return value;
    return QString();
}

// The time in ns that starts the value of the first label holding one of `labels`; NaN
// when there is none.
double nsOf(const Section& s, std::initializer_list<const char*> labels)
{
    for (const auto& [label, value] : s)
        for (const char* l : labels)
            if (label.contains(QLatin1String(l))) return value.section(QLatin1Char(' '), 0, 0).toDouble();
    return std::nan("");
}

// "7T, 6T, 5T" or "3T, 2.5T": the latencies in half clocks.
std::set<int> latencies(const QString& text)
{
    std::set<int> out;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString t = item.trimmed();
        if (t.endsWith(QLatin1Char('T'))) t.chop(1);
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (ok) out.insert(static_cast<int>(std::lround(v * 2)));
    }
    return out;
}

// The number in front of " MB" ("1024 MB"), or -1.
long long megabytes(const QString& text)
{
    static const QRegularExpression mb(QStringLiteral("^(\\d+) MB"));
    const auto m = mb.match(text);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

// Module bank density byte 31 in MB, in each type's own coding (0 when not one known size).
long long bankDensityMb(int type, uint8_t b)
{
    static const std::map<uint8_t, long long> shared = { { 32, 128 }, { 64, 256 }, { 128, 512 } };
    if (const auto it = shared.find(b); it != shared.end()) return it->second;
    switch (type) {
    case Warez_SDRAM: return std::map<uint8_t, long long>{ { 1, 4 }, { 2, 8 }, { 4, 16 }, { 8, 32 }, { 16, 64 } }[b];
    case Warez_DDR: return std::map<uint8_t, long long>{ { 1, 1024 }, { 2, 2048 }, { 4, 16 }, { 8, 32 }, { 16, 64 } }[b];
    default: return std::map<uint8_t, long long>{ { 1, 1024 }, { 2, 2048 }, { 4, 4096 }, { 8, 8192 }, { 16, 16384 } }[b];
    }
}

TEST(WizardPeerDecoder, EveryOfferedImageAgreesWithItself)
{
    QString program = QStandardPaths::findExecutable(QStringLiteral("decode-dimms"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("decode-dimms"),
                                                 { QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin") });
    if (program.isEmpty())
        GTEST_SKIP() << "decode-dimms (Debian package i2c-tools) is not installed; scripts/install-deps.sh installs it";

    std::vector<Combination> combos;
    for (int type = Warez_SDRAM; type <= Warez_DDR3; ++type) {
        for (int option = 0; option < 4; ++option) {
            combos.push_back({ type, option, -1, 1 });
            combos.push_back({ type, option, -1, 1, true });
            for (int k = 0; k < Timing_List_Items(type, Timing_List::tRAS).size(); ++k) combos.push_back({ type, option, -1, 1, false, k });
            for (int size = 0; size < 6; ++size)
                for (int width = 0; width < 3; ++width) combos.push_back({ type, option, size, width });
        }
    }

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::map<QString, std::pair<Combination, SPD_Record>> images;
    QStringList args{ QStringLiteral("-c"), QStringLiteral("-x") };
    for (const Combination& c : combos) {
        const auto param = recordFor(c);
        const char* org = c.size < 0 ? "?" : kJedecOrg[c.type - 1][c.size][c.width];
        EXPECT_EQ(!param, !*org) << c.name().toStdString() << (param ? ": not refused" : ": refused");
        if (!param) continue;
        const SPD_Record rec = imageFor(*param, Warez_Info[0]);
        images[c.name()] = { c, rec };
        const QString path = dir.filePath(c.name() + QStringLiteral(".hex"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(hexdumpC(rec));
        args << path;
    }

    QProcess proc;
    proc.start(program, args);
    ASSERT_TRUE(proc.waitForFinished(50000)) << "decode-dimms did not finish";
    const QString out = QString::fromLatin1(proc.readAllStandardOutput());
    const auto sections = parseSections(out);
    ASSERT_EQ(sections.size(), images.size()) << QString::fromLatin1(proc.readAllStandardError()).toStdString();

    for (const auto& [name, entry] : images) {
        const auto& [c, rec] = entry;
        const std::string id = name.toStdString();
        const auto it = sections.find(name);
        ASSERT_NE(it, sections.end()) << id << " not decoded";
        const Section& s = it->second;

        // Checksum (bytes 0-62) or CRC (DDR3).
        const QString check = c.type == Warez_DDR3 ? valueStarting(s, QStringLiteral("EEPROM CRC of bytes"))
                                                   : valueStarting(s, QStringLiteral("EEPROM Checksum of bytes"));
        EXPECT_TRUE(check.startsWith(QLatin1String("OK"))) << id << ": " << check.toStdString();

        const long long size = megabytes(valueOf(s, QStringLiteral("Size")));
        EXPECT_GT(size, 0) << id << ": size " << valueOf(s, QStringLiteral("Size")).toStdString();
        const QString cas = valueStarting(s, QStringLiteral("Supported CAS Latencies"));
        const std::set<int> declared = latencies(cas);
        const int code = Speed_Grade_Code(c.type, c.option);
        const double tck = kGradeTck[code - 1];

        // JEDEC's organisation of the device chosen.
        const QString org = c.type == Warez_SDRAM ? QStringList{ valueOf(s, "Number of Device Banks"), valueOf(s, "Number of Row Address Bits"),
                                                                 valueOf(s, "Number of Col Address Bits") }.join('x')
                                                  : valueOf(s, QStringLiteral("Banks x Rows x Columns x Bits")).remove(' ').section('x', 0, 2);
        EXPECT_TRUE(c.size < 0 || org == kJedecOrg[c.type - 1][c.size][c.width]) << id << ": " << org.toStdString();
        // A bank is open for tRAS and precharged for tRP before it can be activated again.
        // decode-dimms shows no SDRAM tRC: byte 41 holds it in whole ns.
        const double trc = c.type == Warez_SDRAM ? rec.Spd_Value[41] : nsOf(s, { "(tRC)" });
        const double tras = nsOf(s, { "(tRAS)", "Min RAS Pulse Width" });
        const double trp = nsOf(s, { "(tRP)", "Minimum Row Precharge Time" });
        EXPECT_GE(trc + 1e-6, tras + trp) << id << ": tRC " << trc << ", tRAS " << tras << ", tRP " << trp;

        // JEDEC's least tRRD, tFAW and tRFC for the page and density the bytes declare.
        const Jedec_Grade& j = kJedec[code - 1];
        const auto& b = rec.Spd_Value;
        const bool ddr3 = c.type == Warez_DDR3;
        const bool page2k = (ddr3 ? (4LL << (b[7] & 7)) << ((b[5] & 7) + 9) : 1LL * b[13] << b[4]) >= 16384;
        const long long mbit = ddr3 ? 256LL << (b[4] & 15) : ((1LL << (b[3] + b[4])) * b[17] * b[13]) >> 20;
        const int d = mbit > 256 ? std::min(5, int(std::lround(std::log2(double(mbit) / 256)))) : 0;
        EXPECT_GE(nsOf(s, { "(tRRD)", "Row Active to Row Active Min" }) + 1e-6, j.trrd[page2k]) << id;
        EXPECT_TRUE(!ddr3 || nsOf(s, { "(tFAW)" }) + 1e-6 >= j.tfaw[page2k]) << id;
        EXPECT_TRUE(c.type == Warez_SDRAM || nsOf(s, { "(tRFC)" }) + 1e-6 >= kTrfc[c.type - 2][d]) << id << ", " << mbit << " Mbit";
        // The preselected timings meet the grade's fastest bin.
        const double trcd = nsOf(s, { "(tRCD)", "RAS to CAS Delay" });
        const double taa = ddr3 ? nsOf(s, { "(tAA)" }) : declared.empty() ? 0 : *declared.rbegin() / 2.0 * tck;
        EXPECT_TRUE(c.slow || c.clocks >= 0 || (taa + 1e-6 >= j.taa && trcd + 1e-6 >= j.trcd && trp + 1e-6 >= j.trcd && tras + 1e-6 >= j.tras))
            << id << ": tAA " << taa << ", tRCD " << trcd << ", tRP " << trp << ", tRAS " << tras;
        // Every chosen tRCD, tRP and tRAS reads as its clock count at the grade's cycle time.
        EXPECT_TRUE(c.clocks < 0 || valueOf(s, QStringLiteral("tCL-tRCD-tRP-tRAS")).section(QLatin1Char(' '), 0, 0).section('\n', 0, 0)
                    .endsWith(QStringLiteral("-%1-%2-%3").arg(c.count(Timing_List::tRCD)).arg(c.count(Timing_List::tRP)).arg(c.count(Timing_List::tRAS))))
            << id << ": " << valueOf(s, QStringLiteral("tCL-tRCD-tRP-tRAS")).toStdString();
        // CS latency, tCCD and WE latency are declared; DDR2 refreshes every 7.8 us; the
        // part number is padded with blanks.
        EXPECT_EQ(valueOf(s, QStringLiteral("Supported CS Latencies")) + valueOf(s, QStringLiteral("Supported WE Latencies")),
                  c.type == Warez_SDRAM ? "00" : c.type == Warez_DDR ? "01" : "") << id;
        EXPECT_TRUE(c.type != Warez_SDRAM || valueOf(s, QStringLiteral("Min Clock Delay for Back to Back Random Access")) == "1") << id;
        EXPECT_TRUE(c.type != Warez_DDR2 || valueOf(s, QStringLiteral("Refresh Rate")).contains("7.8 us")) << id;
        for (size_t i = 6; i < 18; ++i) EXPECT_EQ(b[(ddr3 ? 128 : 73) + i], ' ') << id << ": part number byte " << i;

        if (c.type == Warez_DDR3) {
            EXPECT_EQ(valueOf(s, QStringLiteral("Module Manufacturer")), c.maker()) << id;
            EXPECT_EQ(valueOf(s, QStringLiteral("DRAM Manufacturer")), c.maker()) << id;
            EXPECT_NEAR(nsOf(s, { "Minimum Cycle Time (tCK)" }), tck, 0.001) << id;
            // decode-dimms sizes a DDR3 module from its density byte; the address geometry
            // (banks x rows x columns x bus width, times ranks) must give the same.
            const QStringList g = valueOf(s, QStringLiteral("Banks x Rows x Columns x Bits")).split(QStringLiteral(" x "));
            ASSERT_EQ(g.size(), 4) << id;
            const int ranks = valueOf(s, QStringLiteral("Ranks")).toInt();
            const long long bytes = (g[0].toLongLong() << (g[1].toInt() + g[2].toInt())) * g[3].toLongLong() / 8 * ranks;
            EXPECT_EQ(bytes >> 20, size) << id << ": geometry " << g.join(QLatin1Char('x')).toStdString();
            // The CAS latency tAA needs at the cycle time (first figure of tCL-tRCD-tRP-tRAS).
            const int needed = valueOf(s, QStringLiteral("tCL-tRCD-tRP-tRAS")).section(QLatin1Char('-'), 0, 0).toInt();
            EXPECT_TRUE(declared.count(needed * 2)) << id << ": tAA needs CL " << needed << ", declared " << cas.toStdString();
        } else {
            EXPECT_EQ(valueOf(s, QStringLiteral("Manufacturer")), c.maker()) << id;
            // decode-dimms sizes these from the address geometry; byte 31 declares one rank.
            const int ranks = c.type == Warez_DDR2 ? (rec.Spd_Value[5] & 7) + 1 : rec.Spd_Value[5];
            EXPECT_EQ(bankDensityMb(c.type, rec.Spd_Value[31]) * ranks, size)
                << id << ": byte 31 = " << int(rec.Spd_Value[31]);
            // "X ns at CAS Y", one line for each declared latency that has a cycle time,
            // the highest first: there the grade's cycle time, and none shorter below it.
            static const QRegularExpression at(QStringLiteral("^([\\d.]+) ns at CAS ([\\d.]+)"));
            QString cycle = valueOf(s, QStringLiteral("Cycle Time"));
            if (cycle.isEmpty()) cycle = valueOf(s, QStringLiteral("Minimum Cycle Time"));
            const QStringList lines = cycle.split(QLatin1Char('\n'));
            EXPECT_EQ(size_t(lines.size()), declared.size()) << id << ": cycle time " << cycle.toStdString();
            // Decimal digits: the low nibble counts tenths or hundredths (DDR2 cycle times also
            // 0xA-0xD for .25, .33, .66 and .75).
            for (int i : { 9, 10, 23, 24, 25, 26, 32, 33, 34, 35 })
                EXPECT_LE(b[i] & 15, c.type == Warez_DDR2 && i < 30 && i % 2 ? 13 : 9) << id << ": byte " << i;
            const auto highest = at.match(lines[0]);
            ASSERT_TRUE(highest.hasMatch()) << id << ": cycle time " << cycle.toStdString();
            EXPECT_NEAR(highest.captured(1).toDouble(), tck, 0.01) << id;
            for (const QString& l : lines.mid(1)) {
                const auto m = at.match(l);
                EXPECT_TRUE(m.hasMatch() && m.captured(1).toDouble() >= highest.captured(1).toDouble()
                            && m.captured(2).toDouble() < highest.captured(2).toDouble())
                    << id << ": cycle time " << cycle.toStdString();
            }
        }
    }
}

// Each grade's lists make its fastest bin (DDR3: every standard bin): its CAS latency, tRCD
// and tRP in clocks, and tRAS up to the bin's.
TEST(WizardPeerDecoder, EveryGradesListsReachItsJedecBins)
{
    for (int code = 1; code <= 16; ++code) {
        const int type = Speed_Grade_Type(code);
        const Jedec_Grade& j = kJedec[code - 1];
        const double tck = kGradeTck[code - 1];
        const auto has = [type](Timing_List l, double n) { return Timing_List_Items(type, l).contains(QString::number(n) + 'T'); };
        for (double cl : type == Warez_DDR3 ? kDdr3BinCls[code - 13] : std::vector<double>{ j.taa / tck }) {
            const double rcd = type == Warez_DDR3 ? cl : std::ceil(j.trcd / tck - 1e-6);
            EXPECT_TRUE(has(Timing_List::tCL, cl) && has(Timing_List::tRCD, rcd) && has(Timing_List::tRP, rcd)) << code << ": " << cl;
        }
        const auto ras = Timing_List_Items(type, Timing_List::tRAS).size() + Timing_List_First_Clocks(type, Timing_List::tRAS) - 1;
        EXPECT_GE(double(ras), std::ceil(j.tras / tck - 1e-6)) << code;
    }
}

} // namespace
