#include <gtest/gtest.h>

#include "spd_document/date_code.h"

#include <map>

namespace {

// Days before the first Sunday for 2000-2023, as the stamp's original week table lists them.
const std::map<int, int> kFirstSundayOffsetTable = {
    { 2000, 1 }, { 2001, 6 }, { 2002, 5 }, { 2003, 4 }, { 2004, 3 }, { 2005, 1 },
    { 2006, 0 }, { 2007, 6 }, { 2008, 5 }, { 2009, 3 }, { 2010, 2 }, { 2011, 1 },
    { 2012, 0 }, { 2013, 5 }, { 2014, 4 }, { 2015, 3 }, { 2016, 2 }, { 2017, 0 },
    { 2018, 6 }, { 2019, 5 }, { 2020, 4 }, { 2021, 2 }, { 2022, 1 }, { 2023, 0 },
};

// The week rule as the original table-driven version computes it, step by step, for the
// years its tables cover (2000-2023): month lengths with February 29 only in the listed
// leap years, the tabled offset, and the two-branch rounding.
int tabledWeek(const QDate& date)
{
    static const int monthDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30 };
    static const int leapYears[] = { 2000, 2004, 2008, 2012, 2016, 2020, 2024 };
    int d = date.day();
    for (int m = 1; m < date.month(); ++m) {
        int len = monthDays[m - 1];
        if (m == 2)
            for (int y : leapYears)
                if (y == date.year()) len = 29;
        d += len;
    }
    const auto it = kFirstSundayOffsetTable.find(date.year());
    const int o = it == kFirstSundayOffsetTable.end() ? 0 : it->second;
    if (o != 0) {
        int q = (d - o) / 7;                           // C++ division truncates toward zero
        if (static_cast<double>(d - o) / 7.0 > q) q += 1;
        return q + 1;
    }
    int q = d / 7;
    return d % 7 ? q + 1 : q;
}

// Independent definition: week 1 holds 1 January, and every later Sunday starts a new week.
int countedWeek(const QDate& date)
{
    int week = 1;
    for (QDate day(date.year(), 1, 2); day <= date; day = day.addDays(1))
        if (day.dayOfWeek() == 7) ++week;
    return week;
}

} // namespace

// ---------------------------------------------------------------------------
// Week number

TEST(DateCodeWeek, OffsetFromWeekdayMatchesTheTableFor2000To2023)
{
    for (const auto& [year, offset] : kFirstSundayOffsetTable)
        EXPECT_EQ(First_Sunday_Offset(year), offset) << year;
}

TEST(DateCodeWeek, SameResultAsTheTabledRuleOnEveryDayOf2000To2023)
{
    for (QDate day(2000, 1, 1); day.year() <= 2023; day = day.addDays(1))
        ASSERT_EQ(Week_Number(day), tabledWeek(day)) << day.toString(Qt::ISODate).toStdString();
}

TEST(DateCodeWeek, SundayToSaturdayWeekForEveryDayOf1990To2110)
{
    int maxWeek = 0;
    for (QDate day(1990, 1, 1); day.year() <= 2110; day = day.addDays(1)) {
        const int w = Week_Number(day);
        // Cheap incremental check: a week only changes on a Sunday, and 1 January is week 1.
        if (day.dayOfYear() == 1) {
            ASSERT_EQ(w, 1) << day.toString(Qt::ISODate).toStdString();
        } else {
            const int before = Week_Number(day.addDays(-1));
            ASSERT_EQ(w, before + (day.dayOfWeek() == 7 ? 1 : 0))
                << day.toString(Qt::ISODate).toStdString();
        }
        maxWeek = std::max(maxWeek, w);
    }
    EXPECT_EQ(maxWeek, 54);
    // And a few days against a full count from 1 January.
    for (const QDate& day : { QDate(1999, 12, 31), QDate(2024, 6, 30), QDate(2028, 12, 31),
                              QDate(2099, 12, 31), QDate(2100, 3, 1) })
        EXPECT_EQ(Week_Number(day), countedWeek(day)) << day.toString(Qt::ISODate).toStdString();
}

TEST(DateCodeWeek, KnownDates)
{
    struct Case { QDate date; int week; };
    const Case cases[] = {
        { QDate(2012, 3, 15), 11 },
        { QDate(2011, 1, 1), 1 },   // Saturday
        { QDate(2011, 1, 2), 2 },   // the first Sunday starts week 2
        { QDate(2011, 12, 31), 53 },
        { QDate(2000, 12, 31), 54 }, // Sunday in a leap year that began on a Saturday
        { QDate(2017, 1, 1), 1 },   // 1 January on a Sunday
        { QDate(2017, 1, 2), 1 },
        { QDate(2017, 1, 8), 2 },
        // From 2024 on the weeks still run Sunday to Saturday and leap days count.
        { QDate(2024, 1, 1), 1 },
        { QDate(2024, 1, 6), 1 },
        { QDate(2024, 1, 7), 2 },
        { QDate(2024, 1, 8), 2 },
        { QDate(2028, 3, 1), 10 },
        { QDate(2026, 12, 9), 50 },
        { QDate(2028, 12, 31), 54 },
        { QDate(2099, 12, 31), 53 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Week_Number(c.date), c.week) << c.date.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(Week_Number(QDate()), 0);
}

// ---------------------------------------------------------------------------
// Date code and its BCD bytes

TEST(DateCodeBcd, TwoDecimalDigitsInTwoNibbles)
{
    const std::pair<int, int> cases[] = {
        { 0, 0x00 }, { 5, 0x05 }, { 9, 0x09 }, { 10, 0x10 }, { 12, 0x12 },
        { 23, 0x23 }, { 54, 0x54 }, { 99, 0x99 },
    };
    for (const auto& [value, bcd] : cases) {
        ASSERT_TRUE(To_Bcd(value).has_value()) << value;
        EXPECT_EQ(*To_Bcd(value), bcd) << value;
    }
    for (int bad : { -1, 100, 255, -2000 }) EXPECT_FALSE(To_Bcd(bad).has_value()) << bad;
}

TEST(DateCodeGet, YearAndWeekAsValuesAndBytes)
{
    struct Case { QDate date; int year; int week; uint8_t yearByte; uint8_t weekByte; };
    const Case cases[] = {
        { QDate(2012, 3, 15), 12, 11, 0x12, 0x11 },
        { QDate(2000, 1, 1), 0, 1, 0x00, 0x01 },
        { QDate(2000, 12, 31), 0, 54, 0x00, 0x54 },
        { QDate(2005, 1, 2), 5, 2, 0x05, 0x02 },
        { QDate(2024, 1, 8), 24, 2, 0x24, 0x02 },
        { QDate(2026, 12, 9), 26, 50, 0x26, 0x50 },
        { QDate(2099, 12, 31), 99, 53, 0x99, 0x53 },
    };
    for (const Case& c : cases) {
        const auto code = Get_Date_Code(c.date);
        ASSERT_TRUE(code.has_value()) << c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(code->Date_Year, c.year);
        EXPECT_EQ(code->Date_Week, c.week);
        EXPECT_EQ(code->yearByte, c.yearByte);
        EXPECT_EQ(code->weekByte, c.weekByte);
    }
}

TEST(DateCodeGet, YearsWithoutATwoDigitFormAreNotStampable)
{
    for (const QDate& d : { QDate(1999, 12, 31), QDate(1980, 6, 1), QDate(2100, 1, 1),
                            QDate(2150, 7, 4), QDate() })
        EXPECT_FALSE(Get_Date_Code(d).has_value()) << d.toString(Qt::ISODate).toStdString();
}

// ---------------------------------------------------------------------------
// Where the stamp goes, stamping and restoring

TEST(DateCodePosition, ByteTwoBelowNineUses93And94ElseUses120And121)
{
    for (int b2 = 0; b2 <= 255; ++b2) {
        const DateCodePosition pos = Date_Code_Position(static_cast<uint8_t>(b2));
        if (b2 <= 8) {
            EXPECT_EQ(pos.yearIndex, 93) << b2;
            EXPECT_EQ(pos.weekIndex, 94) << b2;
        } else {
            EXPECT_EQ(pos.yearIndex, 120) << b2;
            EXPECT_EQ(pos.weekIndex, 121) << b2;
        }
    }
}

namespace {
SPD_Record patternedRecord(uint8_t byte2)
{
    SPD_Record r;
    for (int i = 0; i < 256; ++i) r.Spd_Value[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + 3);
    r.Spd_Value[2] = byte2;
    return r;
}
} // namespace

TEST(DateStamp, StampWritesOnlyTheTwoDateBytesAndSavesThem)
{
    const DateCode code = *Get_Date_Code(QDate(2012, 3, 15));
    for (uint8_t byte2 : { uint8_t(8), uint8_t(9), uint8_t(11) }) {
        SPD_Record r = patternedRecord(byte2);
        const SPD_Record before = r;
        int16_t saved1 = -1, saved2 = -1;
        const DateCodePosition pos = Apply_Date_Stamp(r, code, saved1, saved2);
        const int y = byte2 >= 9 ? 120 : 93;
        EXPECT_EQ(pos.yearIndex, y);
        EXPECT_EQ(pos.weekIndex, y + 1);
        EXPECT_EQ(r.Spd_Value[y], 0x12);
        EXPECT_EQ(r.Spd_Value[y + 1], 0x11);
        EXPECT_EQ(saved1, before.Spd_Value[y]);
        EXPECT_EQ(saved2, before.Spd_Value[y + 1]);
        // Only the two date bytes change; the window keeps the check value.
        for (int i = 0; i < 256; ++i)
            if (i != y && i != y + 1) {
                EXPECT_EQ(r.Spd_Value[i], before.Spd_Value[i]) << i;
            }
    }
}

TEST(DateStamp, TickUntickTickUntickGivesBackTheOriginalBytes)
{
    SPD_Record r = patternedRecord(8);
    r.Spd_Value[93] = 0xAB;
    r.Spd_Value[94] = 0xCD;
    int16_t saved1 = 0, saved2 = 0;
    DateCodePosition pos = Apply_Date_Stamp(r, *Get_Date_Code(QDate(2011, 12, 31)), saved1, saved2);
    EXPECT_EQ(r.Spd_Value[93], 0x11);
    EXPECT_EQ(r.Spd_Value[94], 0x53);
    Restore_Date_Stamp(r, pos, saved1, saved2);
    EXPECT_EQ(r.Spd_Value[93], 0xAB);
    EXPECT_EQ(r.Spd_Value[94], 0xCD);
    // A second stamp saves the restored bytes again.
    pos = Apply_Date_Stamp(r, *Get_Date_Code(QDate(2030, 2, 1)), saved1, saved2);
    EXPECT_EQ(r.Spd_Value[93], 0x30);
    EXPECT_EQ(r.Spd_Value[94], 0x05);
    Restore_Date_Stamp(r, pos, saved1, saved2);
    EXPECT_EQ(r.Spd_Value[93], 0xAB);
    EXPECT_EQ(r.Spd_Value[94], 0xCD);
}
