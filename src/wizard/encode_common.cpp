#include "wizard/encode_common.h"

#include "spd_document/globals.h"
#include "wizard/wizard_lists.h"

#include <QStringList>
#include <algorithm>
#include <bitset>

namespace wizard {

uint8_t Clamp_Byte(long long value)
{
    if (value < 0) return 0;
    if (value > 255) return 255;
    return static_cast<uint8_t>(value);
}

void Add_Write(Byte_Writes& writes, int index, long long value)
{
    writes.push_back(Byte_Write{ static_cast<int16_t>(index), Clamp_Byte(value) });
}

void Add_Writes(Byte_Writes& writes, const Byte_Writes& more)
{
    writes.reserve(writes.size() + more.size());
    for (const Byte_Write& w : more) writes.push_back(w);
}

std::optional<int> Hex_Digit_Worth(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return std::nullopt;
}

uint8_t Id_Pair_Byte(QChar high, std::optional<QChar> low)
{
    int value = Hex_Digit_Worth(high).value_or(0) * 16;
    if (low) value += Hex_Digit_Worth(*low).value_or(0);
    return static_cast<uint8_t>(value);
}

namespace {

int widthBits(int widthPosition) { return widthPosition == 0 ? 4 : widthPosition == 1 ? 8 : 16; }

} // namespace

bool Two_Kb_Page(const Warez_Params& param)
{
    const int columns = std::clamp<int>(param[WP_Column_Bits], 0, 20);
    return (static_cast<long long>(widthBits(param[WP_Data_Width])) << columns) >= 2 * 1024 * 8;
}

long long Device_Megabits(const Warez_Params& param)
{
    const int rows = param[WP_Row_Bits], columns = param[WP_Column_Bits], banks = param[WP_Banks];
    if (rows < 0 || columns < 0 || rows + columns > 40 || banks < 0) return 0;
    return ((1LL << (rows + columns)) * banks * widthBits(param[WP_Data_Width])) >> 20;
}

Byte_Writes Part_Number_Writes(const QString& text, int firstByte)
{
    // Counted in characters, so a character outside the basic plane takes one byte too.
    const QList<uint> chars = text.toUcs4();
    const int m = std::min<int>(static_cast<int>(chars.size()), kPartNumberLength);
    Byte_Writes writes;
    for (int k = 0; k < m; ++k) {
        const uint c = chars[k];
        Add_Write(writes, firstByte + k, c <= 0xFF ? c : uint('?'));
    }
    for (int k = m; k < kPartNumberLength; ++k) Add_Write(writes, firstByte + k, ' ');
    return writes;
}

namespace {

bool allHexDigits(const QString& text)
{
    for (const QChar c : text)
        if (!Hex_Digit_Worth(c)) return false;
    return true;
}

bool oddParity(uint8_t b) { return std::bitset<8>(b).count() % 2 == 1; }

// A maker's code: odd parity, and neither code number 0 (80) nor the continuation code.
bool makerCode(uint8_t code) { return oddParity(code) && (code & 0x7F) != 0 && code != 0x7F; }

} // namespace

std::optional<uint8_t> Jedec_Id_Bank_Byte(const QString& idText)
{
    if (idText.size() != 4 || !allHexDigits(idText)) return std::nullopt;
    const uint8_t bank = Id_Pair_Byte(idText[0], idText[1]);
    if (bank == 0x7F) return std::nullopt;
    // 7F is a continuation code, never a maker's ID.
    if (Id_Pair_Byte(idText[2], idText[3]) == 0x7F) return std::nullopt;
    // Bit 7 makes the number of one-bits odd.
    if (!oddParity(bank)) return std::nullopt;
    return bank;
}

bool Jedec_Id_Text_Accepted(int memType, const QString& idText)
{
    // Bytes 64-71 of the older types hold the continuation codes and the maker's code.
    const int most = memType == Warez_DDR3 ? 127 : 7;
    if (const auto bank = Jedec_Id_Bank_Byte(idText))
        return (*bank & 0x7F) <= most && makerCode(Id_Pair_Byte(idText[2], idText[3]));
    // Continuation codes in either case, as many as the text holds before its last pair.
    int k = 0;
    while (idText.mid(2 * k, 2).compare(QLatin1String("7F"), Qt::CaseInsensitive) == 0 && idText.size() > 2 * k + 2)
        ++k;
    const QString id = idText.mid(2 * k);
    if (k > most || id.isEmpty() || id.size() > 2 || !allHexDigits(id)) return false;
    // An odd-length text ends in the high digit of the maker's code.
    return makerCode(Id_Pair_Byte(id[0], id.size() == 2 ? std::optional<QChar>(id[1]) : std::nullopt));
}

QString Jedec_Id_Text_Refused(int memType)
{
    if (memType == Warez_DDR3)
        return QStringLiteral("這不是 DDR3 的 JEDEC ID。請輸入 DDR3 面板顯示的形式：含同位元的 bank 位元組加 ID (如 80CE)，"
                              "或 7F 延續碼加 ID (如 7F7F9E)。");
    // Bytes 64-71 of SDRAM, DDR and DDR2 hold the continuation codes and then the ID.
    const char* const type = memType == Warez_SDRAM ? "SDRAM" : memType == Warez_DDR ? "DDR" : "DDR2";
    return QStringLiteral("這不是 %1 的 JEDEC ID。請輸入 ID (如 CE)，或 7F 延續碼加 ID (如 7F7F9E，最多 7 個 7F)。")
        .arg(QLatin1String(type));
}

bool Part_Number_Text_Accepted(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
    return true;
}

const QString kPartNumberTextRefused = QStringLiteral(
    "Part Num 只能使用可列印的 ASCII 字元 (英文字母、數字、空白與一般符號)。");

namespace {

// Latency of an item token such as "2.5T", in half clocks; nullopt for anything else.
std::optional<int> halfClocks(const QString& token)
{
    if (!token.endsWith(QLatin1Char('T'))) return std::nullopt;
    bool ok = false;
    const double clocks = token.chopped(1).toDouble(&ok);
    if (!ok) return std::nullopt;
    return static_cast<int>(clocks * 2 + 0.5);
}

// JEDEC bit of a latency (in half clocks) in the CAS-latency byte of a memory type.
int latencyBit(int memType, int half)
{
    switch (memType) {
    case Warez_SDRAM: return half / 2 - 1;   // CL1 bit 0 ... CL7 bit 6
    case Warez_DDR: return half - 2;         // CL1 bit 0, CL1.5 bit 1 ... CL3.5 bit 5
    case Warez_DDR2: return half / 2;        // CL2 bit 2 ... CL6 bit 6
    case Warez_DDR3: return half / 2 - 4;    // CL4 bit 0 ... CL11 bit 7
    default: return -1;
    }
}

} // namespace

std::optional<uint8_t> Cas_Latency_Mask(int memType, int position)
{
    const QStringList items = Timing_List_Items(memType, Timing_List::tCL);
    if (position < 0 || position >= items.size()) return std::nullopt;
    uint8_t mask = 0;
    for (const QString& token : items[position].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto half = halfClocks(token);
        if (!half) continue;
        const int bit = latencyBit(memType, *half);
        if (bit >= 0 && bit <= 7) mask = static_cast<uint8_t>(mask | (1u << bit));
    }
    return mask;
}

} // namespace wizard
