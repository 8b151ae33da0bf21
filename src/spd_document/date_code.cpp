#include "spd_document/date_code.h"

int First_Sunday_Offset(int year)
{
    // QDate::dayOfWeek: Monday 1 .. Sunday 7 (proleptic Gregorian calendar).
    const int weekday = QDate(year, 1, 1).dayOfWeek();
    return (7 - weekday) % 7;
}

int Week_Number(const QDate& date)
{
    if (!date.isValid()) return 0;
    const int d = date.dayOfYear();              // true day of the year, leap years included
    const int o = First_Sunday_Offset(date.year());
    if (o != 0) {
        // Days up to o fall in week 1; the first Sunday (d = o + 1) starts week 2.
        if (d <= o) return 1;
        return (d - o + 6) / 7 + 1;
    }
    // 1 January is a Sunday: weeks are the seven-day blocks from 1 January.
    return (d + 6) / 7;
}

std::optional<uint8_t> To_Bcd(int value)
{
    if (value < 0 || value > 99) return std::nullopt;
    return static_cast<uint8_t>((value / 10) * 16 + value % 10);
}

std::optional<DateCode> Get_Date_Code(const QDate& today)
{
    if (!today.isValid()) return std::nullopt;
    const auto yearByte = To_Bcd(today.year() - 2000);
    if (!yearByte) return std::nullopt;
    DateCode code;
    code.Date_Year = static_cast<int16_t>(today.year() - 2000);
    code.Date_Week = static_cast<int16_t>(Week_Number(today));
    code.yearByte = *yearByte;
    code.weekByte = *To_Bcd(code.Date_Week);     // 1..54 always has a BCD form
    return code;
}

DateCodePosition Date_Code_Position(uint8_t byte2)
{
    if (Is_Crc_Layout(byte2)) return { 120, 121 };
    return { 93, 94 };
}

DateCodePosition Date_Code_Position(const SPD_Record& record)
{
    return Date_Code_Position(record.Spd_Value[2]);
}

DateCodePosition Apply_Date_Stamp(SPD_Record& record, const DateCode& code,
                                  int16_t& savedDate1, int16_t& savedDate2)
{
    const DateCodePosition pos = Date_Code_Position(record);
    auto& v = record.Spd_Value;
    savedDate1 = v[static_cast<size_t>(pos.yearIndex)];
    savedDate2 = v[static_cast<size_t>(pos.weekIndex)];
    v[static_cast<size_t>(pos.yearIndex)] = code.yearByte;
    v[static_cast<size_t>(pos.weekIndex)] = code.weekByte;
    return pos;
}

void Restore_Date_Stamp(SPD_Record& record, DateCodePosition pos, int16_t savedDate1, int16_t savedDate2)
{
    auto& v = record.Spd_Value;
    v[static_cast<size_t>(pos.yearIndex)] = static_cast<uint8_t>(savedDate1 & 0xFF);
    v[static_cast<size_t>(pos.weekIndex)] = static_cast<uint8_t>(savedDate2 & 0xFF);
}
