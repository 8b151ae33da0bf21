#include "spd_document/spd_record.h"

QString Hex_Byte_Text(uint8_t b)
{
    static const char digits[] = "0123456789ABCDEF";
    const QChar text[2] = { QLatin1Char(digits[b >> 4]), QLatin1Char(digits[b & 0x0F]) };
    return QString(text, 2);
}

namespace {
int digitValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    return -1;
}
}

uint8_t Hex_To_Byte(const QString& s)
{
    if (s.isEmpty()) return 0;
    const int low = digitValue(s.back());
    if (s.size() == 1) return low < 0 ? 0 : static_cast<uint8_t>(low);
    const int high = digitValue(s.front());
    if (low < 0 || high < 0) return 0;
    return static_cast<uint8_t>(high * 16 + low);
}

int cal_bytesum(const SPD_Record& record, int n)
{
    if (n > 255) n = 255;
    int sum = 0;
    for (int i = 0; i <= n; ++i) sum = (sum + record.Spd_Value[static_cast<size_t>(i)]) % 256;
    return sum;
}

uint16_t crc16_spd(const SPD_Record& record, int n)
{
    if (n > 255) n = 255;
    uint32_t crc = 0;
    for (int i = 0; i <= n; ++i) {
        crc ^= static_cast<uint32_t>(record.Spd_Value[static_cast<size_t>(i)]) << 8;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) : (crc << 1);
            crc &= 0xFFFF;
        }
    }
    return static_cast<uint16_t>(crc & 0xFFFF);
}

double cal_crc16(const SPD_Record& record, int n) { return crc16_spd(record, n); }

void checksum_upkeep(SPD_Record& record)
{
    record.Spd_Value[63] = static_cast<uint8_t>(cal_bytesum(record, 62));
}

int crc_coverage_end(const SPD_Record& record)
{
    return (record.Spd_Value[0] & 0x80) ? 116 : 125;
}

void crc_upkeep(SPD_Record& record)
{
    const uint16_t crc = crc16_spd(record, crc_coverage_end(record));
    record.Spd_Value[126] = static_cast<uint8_t>(crc & 0xFF);
    record.Spd_Value[127] = static_cast<uint8_t>(crc >> 8);
}

bool Is_Crc_Layout(uint8_t byte2) { return byte2 >= 9; }

namespace {
std::array<uint8_t, 3> checkValueBytes(const SPD_Record& record)
{
    const auto& v = record.Spd_Value;
    return { v[63], v[126], v[127] };
}

// The bytes of `bytes` that hold the check value of the given layout.
bool sameCheckValue(const std::array<uint8_t, 3>& a, const std::array<uint8_t, 3>& b, bool crc)
{
    return crc ? (a[1] == b[1] && a[2] == b[2]) : a[0] == b[0];
}
}  // namespace

Check_Value_Kind Keep_Check_Value(SPD_Record& record, bool keep, Check_Value_Undo* undo)
{
    const bool crc = Is_Crc_Layout(record);
    if (undo) {
        undo->crc = crc;
        undo->before = checkValueBytes(record);
    }
    Check_Value_Kind kind = Check_Value_Kind::None;
    if (keep) {
        if (crc) crc_upkeep(record);
        else checksum_upkeep(record);
        kind = crc ? Check_Value_Kind::Crc : Check_Value_Kind::Checksum;
    }
    if (undo) undo->after = checkValueBytes(record);
    return kind;
}

Check_Value_Kind Undo_Check_Value(SPD_Record& record, const Check_Value_Undo& undo, bool keep)
{
    const bool crc = Is_Crc_Layout(record);
    if (crc != undo.crc || !sameCheckValue(checkValueBytes(record), undo.after, crc))
        return Keep_Check_Value(record, keep);
    auto& v = record.Spd_Value;
    if (crc) {
        v[126] = undo.before[1];
        v[127] = undo.before[2];
        return Check_Value_Kind::Crc;
    }
    v[63] = undo.before[0];
    return Check_Value_Kind::Checksum;
}

int Type_Key_Map(uint8_t byte2)
{
    switch (byte2) {
    case 4: return MT_SDRAM;
    case 7: return MT_DDR;
    case 8: return MT_DDR2;
    case 9:
    case 11: return MT_DDR3;
    default: return -1;
    }
}
