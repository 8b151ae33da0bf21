#include "spd_decode/spd_decode.h"

#include "spd_decode/jep106.h"
#include "spd_document/globals.h"

namespace {

using L = PanelLabel;

const QChar kHexDigits[16] = {
    QLatin1Char('0'), QLatin1Char('1'), QLatin1Char('2'), QLatin1Char('3'),
    QLatin1Char('4'), QLatin1Char('5'), QLatin1Char('6'), QLatin1Char('7'),
    QLatin1Char('8'), QLatin1Char('9'), QLatin1Char('A'), QLatin1Char('B'),
    QLatin1Char('C'), QLatin1Char('D'), QLatin1Char('E'), QLatin1Char('F'),
};

// Two upper-case hex digits per byte, bytes first..last in order, nothing between them.
QString hexRun(const SPD_Record& r, int first, int last)
{
    QString s;
    s.reserve(2 * (last - first + 1));
    for (int i = first; i <= last; ++i) {
        const uint8_t b = r.Spd_Value[static_cast<size_t>(i)];
        s.append(kHexDigits[b >> 4]);
        s.append(kHexDigits[b & 0x0F]);
    }
    return s;
}

// Hex digits without the leading zero: a byte below 16 gives one digit. Used only by the
// two manufacturer-specific data fields.
QString bareHexRun(const SPD_Record& r, int first, int last)
{
    QString s;
    s.reserve(2 * (last - first + 1));
    for (int i = first; i <= last; ++i) {
        const uint8_t b = r.Spd_Value[static_cast<size_t>(i)];
        if (b >= 16) s.append(kHexDigits[b >> 4]);
        s.append(kHexDigits[b & 0x0F]);
    }
    return s;
}

// One character per byte, the byte's code in Latin-1. Control codes (NUL included) are kept,
// so a part number is never cut short and keeps its trailing blanks.
QString latin1Run(const SPD_Record& r, int first, int last)
{
    QString s;
    s.reserve(last - first + 1);
    for (int i = first; i <= last; ++i) s.append(QChar(static_cast<char16_t>(r.Spd_Value[static_cast<size_t>(i)])));
    return s;
}

// A non-negative amount in units of 10^-digits as decimal text in its shortest form
// (with 3 digits: 13125 -> "13.125", 15000 -> "15", 462 -> "0.462").
QString decimalText(long long v, int digits)
{
    long long unit = 1;
    for (int i = 0; i < digits; ++i) unit *= 10;
    QString s = QString::number(v / unit);
    int frac = static_cast<int>(v % unit);
    if (frac == 0) return s;
    while (frac % 10 == 0) {
        frac /= 10;
        --digits;
    }
    s.append(QLatin1Char('.'));
    s.append(QString::number(frac).rightJustified(digits, QLatin1Char('0')));
    return s;
}

QString thousandthsText(long long v) { return decimalText(v, 3); }

// A non-negative amount in hundredths as decimal text in its shortest form
// (2000 -> "20", 750 -> "7.5", 1875 -> "18.75").
QString hundredthsText(int v) { return thousandthsText(static_cast<long long>(v) * 10); }

// Quotient rounded up; the callers guarantee a positive divisor.
long long ceilDiv(long long n, long long d) { return n / d + (n % d != 0 ? 1 : 0); }

// ---------------------------------------------------------------- value lists shared by both

QString memoryTypeText(uint8_t b2)
{
    static const char* const kTypes[] = {
        "Reserved", "FP RAM", "EDO", "Pipelined Nibble", "SDRAM", "ROM", "DDR SGRAM",
        "DDR SDRAM", "DDR2 SDRAM", "DDR2 FB-DIMM", "DDR2 FB-DIMM P", "DDR3 SDRAM",
    };
    if (b2 < 12) return QLatin1String(kTypes[b2]);
    return QStringLiteral("-");
}

// The lookup behind JEDEC_PROG; tells whether the key had a row.
bool lookupManufacturer(DecodeContext& ctx, const QString& key)
{
    const auto caption = JEDEC_Find(key);
    if (caption) ctx.panel.setCaption(PanelLabel::Label59, *caption);
    jedec_name = ctx.panel.caption(PanelLabel::Label59);
    return caption.has_value();
}

// ---------------------------------------------------------------- SDRAM / DDR / DDR2

constexpr uint8_t kTypeSdram = 4;
constexpr uint8_t kTypeDdr = 7;
constexpr uint8_t kTypeDdr2 = 8;

// Cycle time of byte 9 in hundredths of a nanosecond: the high nibble is whole nanoseconds;
// the low nibble is tenths, except that A-D stand for the quarter and third steps .25, .33,
// .66 and .75. Kept as an integer, so the speed-grade limits compare exactly.
int cycleTimeHundredths(uint8_t b9)
{
    const int whole = b9 >> 4;
    const int v = b9 & 0x0F;
    int frac;
    switch (v) {
    case 10: frac = 25; break;
    case 11: frac = 33; break;
    case 12: frac = 66; break;
    case 13: frac = 75; break;
    default: frac = v * 10; break;
    }
    return whole * 100 + frac;
}

// Row or column address bits: the low nibble, 0 meaning undefined.
QString addressBitsText(uint8_t b)
{
    const int n = b % 16;
    if (n == 0) return QStringLiteral("Undefined(B1)/");
    return QString::number(n);
}

std::optional<QString> speedGradeText(uint8_t b2, int t)
{
    switch (b2) {
    case kTypeSdram:
        if (t <= 600) return QStringLiteral("166 MHz(PC-166)");
        if (t <= 750) return QStringLiteral("133 MHz(PC-133)");
        if (t <= 1000) return QStringLiteral("100 MHz(PC-100)");
        if (t <= 1600) return QStringLiteral("66 MHz(PC-66)");
        return std::nullopt;
    case kTypeDdr:
        if (t <= 500) return QStringLiteral("400 MHz(PC-3200)");
        if (t <= 600) return QStringLiteral("333 MHz(PC-2700)");
        if (t <= 750) return QStringLiteral("266 MHz(PC-2100)");
        if (t <= 1000) return QStringLiteral("200 MHz(PC-1600)");
        return std::nullopt;
    case kTypeDdr2:
        if (t <= 250) return QStringLiteral("800 MHz(PC2-6400)");
        if (t <= 300) return QStringLiteral("667 MHz(PC2-5300)");
        if (t <= 375) return QStringLiteral("533 MHz(PC2-4200)");
        if (t >= 500) return QStringLiteral("400 MHz(PC2-3200)");
        return std::nullopt;
    default:
        return QStringLiteral("Undefined");
    }
}

QString casLatencyText(uint8_t b2, uint8_t x)
{
    // Latencies from the highest to the lowest, each followed by one blank, after a leading
    // blank. The top entry of each type stands for any of the bits above it.
    QString s(QLatin1Char(' '));
    const int before = s.size();
    switch (b2) {
    case kTypeSdram: {
        if (x >= 64) s += QLatin1String("7T ");
        const int m = x % 64;
        if (m & 0x20) s += QLatin1String("6T ");
        if (m & 0x10) s += QLatin1String("5T ");
        if (m & 0x08) s += QLatin1String("4T ");
        if (m & 0x04) s += QLatin1String("3T ");
        if (m & 0x02) s += QLatin1String("2T ");
        break;
    }
    case kTypeDdr: {
        if (x >= 32) s += QLatin1String("3.5T ");
        const int m = x % 32;
        if (m & 0x10) s += QLatin1String("3T ");
        if (m & 0x08) s += QLatin1String("2.5T ");
        if (m & 0x04) s += QLatin1String("2T ");
        if (m & 0x02) s += QLatin1String("1.5T ");
        if (m & 0x01) s += QLatin1String("1 ");
        break;
    }
    case kTypeDdr2: {
        if (x >= 64) s += QLatin1String("6T ");
        const int m = x % 64;
        if (m & 0x20) s += QLatin1String("5T ");
        if (m & 0x10) s += QLatin1String("4T ");
        if (m & 0x08) s += QLatin1String("3T ");
        if (m & 0x04) s += QLatin1String("2T ");
        break;
    }
    default:
        return QStringLiteral("Undefined");
    }
    if (s.size() == before) return QStringLiteral("Undefined");
    return s;
}

// tRP, tRRD, tRCD (bytes 27-29) and tRAS (byte 30) with the clock count at cycle time t.
QString ddr2TimingText(int byteNo, uint8_t b2, uint8_t b, int t)
{
    if (b == 0 || t == 0) return QStringLiteral("Undefined");
    int n; // hundredths of a nanosecond
    if (byteNo == 30 || b2 == kTypeSdram)
        n = b * 100;                                   // whole nanoseconds
    else
        n = (b >> 2) * 100 + (b & 0x03) * 25;          // bits 7-2 whole ns, bits 1-0 quarters
    const long long clocks = ceilDiv(n, t);
    QString s = hundredthsText(n);
    s += QLatin1String(" ns");
    s += QLatin1String("  (");
    s += QString::number(clocks);
    s += QLatin1String("T)");
    return s;
}

std::optional<QString> bankDensityText(uint8_t b2, uint8_t b)
{
    // Bits 0-1 (SDRAM) and bits 2-4 (DDR2) mean other sizes on those types; every type
    // agrees on bits 5-7, and DDR (like any other type) keeps the shared list.
    if (b2 == kTypeSdram) {
        if (b == 1) return QStringLiteral("4 MB");
        if (b == 2) return QStringLiteral("8 MB");
    } else if (b2 == kTypeDdr2) {
        if (b == 4) return QStringLiteral("4 GB");
        if (b == 8) return QStringLiteral("8 GB");
        if (b == 16) return QStringLiteral("16 GB");
    }
    switch (b) {
    case 0: return QStringLiteral("Undefined");
    case 1: return QStringLiteral("1 GB");
    case 2: return QStringLiteral("2 GB");
    case 4: return QStringLiteral("16 MB");
    case 8: return QStringLiteral("32 MB");
    case 16: return QStringLiteral("64 MB");
    case 32: return QStringLiteral("128 MB");
    case 64: return QStringLiteral("256 MB");
    case 128: return QStringLiteral("512 MB");
    default: return std::nullopt;
    }
}

QString refreshText(uint8_t b)
{
    static const char* const kRates[] = { "15.625us", "3.9us", "7.8us", "31.3us", "62.5us", "125us" };
    if (b <= 5) return QLatin1String(kRates[b]);
    if (b >= 128 && b <= 133) return QLatin1String(kRates[b - 128]) + QLatin1String("(self-refresh)");
    return QStringLiteral("TBD");
}

QString interfaceLevelText(uint8_t b)
{
    static const char* const kLevels[] = { "TTL", "LVTTL", "HSTL", "SSTL 3.3V", "SSTL 2.5V", "SSTL 1.8V", "TBD" };
    if (b <= 6) return QLatin1String(kLevels[b]);
    return QStringLiteral("-");
}

QString dimmConfigText(uint8_t b)
{
    switch (b) {
    case 0: return QStringLiteral("Unbuffered");
    case 1: return QStringLiteral("Parity");
    case 2: return QStringLiteral("ECC");
    default: return QStringLiteral("TBD");
    }
}

// Module manufacturer from bytes 64-71: every JEP106 key of growing length that bytes 64 to
// 70 can start is looked up, shortest first, and the longest one with a row names the maker.
void decodeModuleManufacturer(DecodeContext& ctx)
{
    const SPD_Record& r = ctx.record;
    PanelModel& p = ctx.panel;
    p.setCaption(L::Label6, hexRun(r, 64, 71));
    p.setVisible(L::Label59, true);
    p.setCaption(L::Label59, QStringLiteral(" "));
    QString key;
    key.reserve(14);
    for (int i = 64; i <= 70; ++i) {
        const uint8_t b = r.Spd_Value[static_cast<size_t>(i)];
        key.append(kHexDigits[b >> 4]);
        key.append(kHexDigits[b & 0x0F]);
        JEDEC_PROG(ctx, key);
    }
    if (p.caption(L::Label59) == QLatin1String(" ")) p.setVisible(L::Label59, false);
}

// ---------------------------------------------------------------- DDR3

// Medium time base in whole picoseconds (dividend byte 10, divisor byte 11, truncated).
// A divisor of 0 leaves the dividend undivided.
long long ddr3Mtb(const SPD_Record& r)
{
    const long long dividend = r.Spd_Value[10];
    const long long divisor = r.Spd_Value[11];
    if (divisor == 0) return dividend * 1000;
    return dividend * 1000 / divisor;
}

// Fine time base in femtoseconds (byte 9: dividend in bits 7-4, divisor in bits 3-0, in ps).
// A divisor of 0 gives no fine time base, so the fine corrections then count for nothing.
long long ddr3FtbFs(const SPD_Record& r)
{
    const long long dividend = r.Spd_Value[9] >> 4;
    const long long divisor = r.Spd_Value[9] & 0x0F;
    if (divisor == 0) return 0;
    return dividend * 1000 / divisor;
}

// A fine correction byte: a signed count of fine time base units.
long long ddr3Fine(const SPD_Record& r, int byteNo) { return static_cast<int8_t>(r.Spd_Value[static_cast<size_t>(byteNo)]); }

// A time of r MTB units plus the signed fine correction of byte fineByte (none when -1), in
// femtoseconds, never below 0.
long long ddr3TimeFs(const SPD_Record& rec, long long r, int fineByte)
{
    long long fs = r * ddr3Mtb(rec) * 1000;
    if (fineByte >= 0) fs += ddr3Fine(rec, fineByte) * ddr3FtbFs(rec);
    return fs < 0 ? 0 : fs;
}

// The minimum cycle time in femtoseconds: byte 12 in MTB units with the fine correction of
// byte 34 (at most a fraction of one MTB; faster modules such as DDR3-1866 need it).
long long ddr3CycleFs(const SPD_Record& r) { return ddr3TimeFs(r, r.Spd_Value[12], 34); }

// A time in femtoseconds as nanoseconds in the shortest decimal form; whole picoseconds
// read as before (13.125, 0.462), finer parts take up to six decimals.
QString ddr3NsText(long long fs) { return decimalText(fs, 6); }

// The standard DDR3 cycle times are 7.5 / n ns, n = 3 (DDR3-800) to 8 (DDR3-2133).
constexpr long long kDdr3StandardCyclesFs = 7500000;

// The n of the standard cycle that the minimum cycle time stands for, 0 when none: the
// time JEDEC lists for it (the exact one rounded to whole picoseconds: 1.071 and 0.938 ns),
// or a time less than one fine time base unit from the exact one, since the fine time base
// may not hold it (a 2.5 ps unit stores 1.0714 ns as 1.070 or 1.0725 ns).
int ddr3StandardCycle(const SPD_Record& r)
{
    const long long tck = ddr3CycleFs(r);
    const long long ftb = ddr3FtbFs(r);
    for (int n = 3; n <= 8; ++n) {
        const long long listed = (kDdr3StandardCyclesFs / n + 500) / 1000 * 1000;
        const long long off = n * tck - kDdr3StandardCyclesFs;   // n x (tck - 7.5 ns / n)
        if (tck == listed || (off < 0 ? -off : off) < n * ftb) return n;
    }
    return 0;
}

// Whole clocks of a time t at cycle time tck (tckFs / per femtoseconds), as JEDEC rounds
// them: t / tck less a guard of 2.5 % of a clock, rounded up. The stored cycle times round
// the true ones (1071 ps stands for 1.0714 ns), so a timing of exactly n true cycles comes
// out a little above n stored cycles, by more the more cycles it spans; a fixed guard would
// give long timings a clock too many.
long long ddr3Clocks(long long fs, long long tckFs, long long per = 1)
{
    const long long guarded = 40 * fs * per - tckFs;   // 40 x (t / tck - 1/40) x tckFs
    return guarded > 0 ? ceilDiv(guarded, 40 * tckFs) : 0;
}

// "t ns (nT)": the time of r MTB units, with the fine correction of byte fineByte (-1 for a
// timing without one), and the whole cycles of the minimum cycle time it takes. Byte 12 = 0
// gives no cycles. A stored cycle time that stands for a standard one without being it
// counts against the standard one with the guard of ddr3Clocks. Otherwise, without fine
// corrections (byte 34 and fineByte 0) the clocks are r over byte 12 rounded up, both in
// MTB units; with them they are counted against the corrected cycle time with that guard.
QString ddr3TimingText(const SPD_Record& rec, long long r, int fineByte = -1)
{
    const bool fine = rec.Spd_Value[34] != 0 || (fineByte >= 0 && rec.Spd_Value[static_cast<size_t>(fineByte)] != 0);
    const long long fs = fine ? ddr3TimeFs(rec, r, fineByte) : r * ddr3Mtb(rec) * 1000;
    const long long tck = ddr3CycleFs(rec);
    const int n = ddr3StandardCycle(rec);
    long long clocks = 0;
    if (rec.Spd_Value[12] != 0) {
        if (n != 0 && n * tck != kDdr3StandardCyclesFs)
            clocks = ddr3Clocks(fs, kDdr3StandardCyclesFs, n);
        else if (!fine)
            clocks = ceilDiv(r, rec.Spd_Value[12]);
        else if (tck > 0)
            clocks = ddr3Clocks(fs, tck);
    }
    QString s = ddr3NsText(fs);
    s += QLatin1String(" ns (");
    s += QString::number(clocks);
    s += QLatin1String("T)");
    return s;
}

QString ddr3ModuleTypeText(uint8_t b3)
{
    static const char* const kTypes[] = {
        "Undefined",    "Register-DIMM", "Unbuffer-DIMM", "SO-DIMM",     "Micro-DIMM",
        "Mini-RDIMM",   "Mini-UDIMM",    "Mini-CDIMM",    "72b-SO-UDIMM", "72b-SO-RDIMM",
        "72b-SO-CDIMM", "LRDIMM",        "16b-SO-DIMM",   "32b-SO-DIMM",
    };
    const int v = b3 & 0x0F;
    if (v <= 13) return QLatin1String(kTypes[v]);
    return QStringLiteral("Reservd");
}

QString ddr3DensityText(int d)
{
    static const char* const kDensity[] = { "256 Mb", "512 Mb", "1 Gb", "2 Gb", "4 Gb", "8 Gb", "16 Gb" };
    if (d <= 6) return QLatin1String(kDensity[d]);
    return QStringLiteral("Reserved");
}

// Capacity of one rank for SDRAM density code d (256 Mb to 16 Gb), device width code w (4 to
// 32 bits) and primary bus width code b (8 to 64 bits; the ECC extension holds no data):
// density x bus width / device width, from "8 MB" to "32 GB".
QString ddr3RankCapacityText(int d, int w, int b)
{
    if (d > 6 || w > 3 || b > 3) return QStringLiteral("Reserved");
    const long long megabytes = (256LL << d) * (8 << b) / (4 << w) / 8;
    if (megabytes >= 1024) return QString::number(megabytes / 1024) + QLatin1String(" GB");
    return QString::number(megabytes) + QLatin1String(" MB");
}

QString ddr3BanksText(uint8_t b4)
{
    switch (b4 & 0x70) {
    case 0x00: return QStringLiteral("8 Banks");
    case 0x10: return QStringLiteral("16 Banks");
    case 0x20: return QStringLiteral("32 Banks");
    case 0x30: return QStringLiteral("64 Banks");
    default: return QStringLiteral("Reserved");
    }
}

QString ddr3ColumnBitsText(uint8_t b5)
{
    static const char* const kCols[] = { "9 ", "10 ", "11", "12 " };
    const int v = b5 & 0x07;
    if (v <= 3) return QLatin1String(kCols[v]);
    return QStringLiteral("Reserved");
}

QString ddr3RowBitsText(uint8_t b5)
{
    static const char* const kRows[] = { "12 ", "13 ", "14 ", "15 ", "16 " };
    const int v = (b5 & 0x38) / 8;
    if (v <= 4) return QLatin1String(kRows[v]);
    return QStringLiteral("Reserved");
}

QString ddr3DeviceWidthText(uint8_t b7)
{
    static const char* const kWidths[] = { "4 bit", "8 bit", "16 bit", "32 bit" };
    const int v = b7 & 0x07;
    if (v <= 3) return QLatin1String(kWidths[v]);
    return QStringLiteral("Reserved");
}

QString ddr3RanksText(uint8_t b7)
{
    static const char* const kRanks[] = { "1 Rank", "2 Ranks", "3 Ranks", "4 Ranks" };
    const int v = (b7 & 0x38) / 8;
    if (v <= 3) return QLatin1String(kRanks[v]);
    return QStringLiteral("Reserved");
}

// Byte 8: the primary bus width in bits 2-0 (8 to 64 bits) and the width of its ECC
// extension in bits 4-3 (none or 8 bits).
QString ddr3BusWidthText(uint8_t b8)
{
    const int primary = b8 & 0x07;
    const int extension = (b8 >> 3) & 0x03;
    if (primary > 3 || extension > 1) return QStringLiteral("Reserved");
    const int bits = 8 << primary;
    if (extension == 0) return QString::number(bits) + QLatin1String(" bit");
    return QString::number(bits + 8) + QLatin1String(" bit(ECC)");
}

QString ddr3SpeedText(const SPD_Record& r)
{
    // The standard minimum cycle times, byte 12 with the fine correction of byte 34.
    switch (ddr3StandardCycle(r)) {
    case 3: return QStringLiteral("800 MHz(2.5ns)");
    case 4: return QStringLiteral("1066 MHz(1.875ns)");
    case 5: return QStringLiteral("1333 MHz(1.5ns)");
    case 6: return QStringLiteral("1600 MHz(1.25ns)");
    case 7: return QStringLiteral("1866 MHz(1.071ns)");
    case 8: return QStringLiteral("2133 MHz(0.938ns)");
    default: return QStringLiteral("Reserved");
    }
}

QString ddr3CasText(uint8_t b14, uint8_t b15)
{
    // Supported CAS latencies in rising order, each followed by one blank: bits 0-7 of
    // byte 14 are CL 4-11, bits 0-6 of byte 15 CL 12-18.
    QString s;
    for (int k = 0; k <= 7; ++k) {
        if (b14 & (1 << k)) {
            s += QString::number(k + 4);
            s += QLatin1Char(' ');
        }
    }
    for (int k = 0; k <= 6; ++k) {
        if (b15 & (1 << k)) {
            s += QString::number(k + 12);
            s += QLatin1Char(' ');
        }
    }
    return s;
}

// DRAM manufacturer from bytes 148 (continuation count, parity bit ignored) and 149 (ID).
void decodeDramManufacturer(DecodeContext& ctx)
{
    const SPD_Record& r = ctx.record;
    PanelModel& p = ctx.panel;
    p.setCaption(L::Label146, hexRun(r, 148, 149));
    const int continuations = r.Spd_Value[148] & 0x7F;
    if (continuations >= 7) {
        p.setCaption(L::Label148, QString());
        return;
    }
    const QString key = JEP106_Key_Text(continuations, r.Spd_Value[149]);
    // Only a hit is shown: the name that an earlier lookup left behind (in jedec_name or in
    // the other panel's manufacturer label) must not stand for this module's maker.
    const bool found = lookupManufacturer(ctx, key);
    p.setCaption(L::Label148, found ? jedec_name : QString());
}

} // namespace

void JEDEC_PROG(DecodeContext& ctx, const QString& JEDEC)
{
    lookupManufacturer(ctx, JEDEC);
}

void ddr2_table_chang(DecodeContext& ctx, int A)
{
    const SPD_Record& r = ctx.record;
    PanelModel& p = ctx.panel;
    const auto byte = [&r](int i) { return r.Spd_Value[static_cast<size_t>(i)]; };
    const uint8_t b2 = byte(2);
    const int t = cycleTimeHundredths(byte(9));

    switch (A) {
    case 2: p.setCaption(L::Label29, memoryTypeText(b2)); return;
    case 3: p.setCaption(L::Label30, addressBitsText(byte(3))); return;
    case 4: p.setCaption(L::Label31, addressBitsText(byte(4))); return;
    case 5: {
        const uint8_t b5 = byte(5);
        if (b5 == 0) {
            p.setCaption(L::Label32, QStringLiteral("Undefined"));
        } else {
            // DDR2 stores the number of ranks minus one.
            const int n = b5 % 16;
            p.setCaption(L::Label32, QString::number(b2 == kTypeDdr2 ? n + 1 : n));
        }
        return;
    }
    case 8: p.setCaption(L::Label34, interfaceLevelText(byte(8))); return;
    case 9:
        if (const auto text = speedGradeText(b2, t)) p.setCaption(L::Label35, *text);
        return;
    case 11: p.setCaption(L::Label37, dimmConfigText(byte(11))); return;
    case 12: p.setCaption(L::Label38, refreshText(byte(12))); return;
    case 13: {
        const uint8_t b13 = byte(13);
        p.setCaption(L::Label39, (b13 >= 1 && b13 <= 127) ? QString::number(b13) : QStringLiteral("N/A"));
        return;
    }
    case 18: p.setCaption(L::Label42, casLatencyText(b2, byte(18))); return;
    case 27: p.setCaption(L::Label44, ddr2TimingText(27, b2, byte(27), t)); return;
    case 28: p.setCaption(L::Label14, ddr2TimingText(28, b2, byte(28), t)); return;
    case 29: p.setCaption(L::Label43, ddr2TimingText(29, b2, byte(29), t)); return;
    case 30: p.setCaption(L::Label45, ddr2TimingText(30, b2, byte(30), t)); return;
    case 31:
        if (const auto text = bankDensityText(b2, byte(31))) p.setCaption(L::Label41, *text);
        return;
    case 63: {
        const int s = cal_bytesum(r, 62);
        p.setCaption(L::Label46, Hex_Byte_Text(static_cast<uint8_t>(s)));
        ctx.Security_Value = static_cast<int16_t>(((s + byte(93)) % 256 + byte(94)) % 256);
        p.setCaption(L::Label99, Hex_Byte_Text(static_cast<uint8_t>(ctx.Security_Value)));
        return;
    }
    case 72: p.setCaption(L::Label36, Hex_Byte_Text(byte(72))); return;
    default: break;
    }

    if (A >= 64 && A <= 71) decodeModuleManufacturer(ctx);
    else if (A >= 73 && A <= 90) p.setCaption(L::Label18, latin1Run(r, 73, 90));
    else if (A == 91 || A == 92) p.setCaption(L::Label47, hexRun(r, 91, 92));
    else if (A == 93 || A == 94) p.setCaption(L::Label49, hexRun(r, 93, 94));
    else if (A >= 95 && A <= 98) p.setCaption(L::Label26, hexRun(r, 95, 98));
    else if (A >= 99 && A <= 127) p.setCaption(L::Label28, bareHexRun(r, 99, 127));
}

void ddr3_table_chang(DecodeContext& ctx, int A)
{
    const SPD_Record& r = ctx.record;
    PanelModel& p = ctx.panel;
    const auto byte = [&r](int i) { return r.Spd_Value[static_cast<size_t>(i)]; };

    switch (A) {
    case 0: {
        // Bit 7 of byte 0: the CRC covers bytes 0-116 instead of 0-125.
        const QString& text = (byte(0) & 0x80) ? kCrcShortCaption : kCrcFullCaption;
        ctx.Optcrc1_Caption = text;
        p.setCaption(L::Label115, text);
        return;
    }
    case 2: p.setCaption(L::Label120, memoryTypeText(byte(2))); return;
    case 3: p.setCaption(L::Label116, ddr3ModuleTypeText(byte(3))); return;
    case 4: {
        const int d = byte(4) & 0x0F;
        p.setCaption(L::Label121, ddr3DensityText(d));
        p.setCaption(L::Label117, ddr3RankCapacityText(d, byte(7) & 0x07, byte(8) & 0x07));
        p.setCaption(L::Label122, ddr3BanksText(byte(4)));
        return;
    }
    case 5:
        p.setCaption(L::Label124, ddr3ColumnBitsText(byte(5)));
        p.setCaption(L::Label123, ddr3RowBitsText(byte(5)));
        return;
    case 7:
        p.setCaption(L::Label125, ddr3DeviceWidthText(byte(7)));
        p.setCaption(L::Label118, ddr3RanksText(byte(7)));
        return;
    case 8: p.setCaption(L::Label133, ddr3BusWidthText(byte(8))); return;
    case 12: p.setCaption(L::Label119, ddr3SpeedText(r)); return;
    case 14:
    case 15: p.setCaption(L::Label126, ddr3CasText(byte(14), byte(15))); return;
    case 18: p.setCaption(L::Label129, ddr3TimingText(r, byte(18), 36)); return;
    case 19: p.setCaption(L::Label128, ddr3TimingText(r, byte(19))); return;
    case 20: p.setCaption(L::Label127, ddr3TimingText(r, byte(20), 37)); return;
    case 21:
    case 22: p.setCaption(L::Label130, ddr3TimingText(r, (byte(21) & 0x0F) * 256 + byte(22))); return;
    case 119: p.setCaption(L::Label141, Hex_Byte_Text(byte(119))); return;
    case 120:
    case 121: p.setCaption(L::Label142, hexRun(r, 120, 121)); return;
    case 126:
    case 127: p.setCaption(L::Label131, hexRun(r, 126, 127)); return;
    case 146:
    case 147: p.setCaption(L::Label145, hexRun(r, 146, 147)); return;
    case 148:
    case 149: decodeDramManufacturer(ctx); return;
    default: break;
    }

    if (A >= 122 && A <= 125) p.setCaption(L::Label143, hexRun(r, 122, 125));
    else if (A >= 128 && A <= 145) p.setCaption(L::Label144, latin1Run(r, 128, 145));
    else if (A >= 150 && A <= 175) p.setCaption(L::Label147, bareHexRun(r, 150, 175));
}

void decode_all(DecodeContext& ctx)
{
    const bool ddr3 = Is_Crc_Layout(ctx.record);
    for (int i = 0; i < 256; ++i) {
        if (ddr3) ddr3_table_chang(ctx, i);
        else ddr2_table_chang(ctx, i);
    }
}
