#pragma once
// The manufacturing date code that the document window can stamp into an image: today's
// year and week as two BCD bytes (93/94, or 120/121 on DDR3-class images). Pure computation;
// the window keeps the check boxes, labels, cell colours and the image's check value.
#include "spd_document/spd_record.h"

#include <QDate>
#include <cstdint>
#include <optional>

// Number of days before the first Sunday of `year` (0 when 1 January is a Sunday, 6 when it
// is a Monday), from the Gregorian weekday of 1 January.
int First_Sunday_Offset(int year);

// Week number of `date`: the Sunday-to-Saturday week that contains it, week 1 being the week
// that contains 1 January (1..54). 0 for an invalid date.
int Week_Number(const QDate& date);

// A number 0..99 as two BCD digits (12 -> 0x12, 5 -> 0x05). Values outside 0..99 have no
// two-digit form and give std::nullopt.
std::optional<uint8_t> To_Bcd(int value);

// Today's date code.
struct DateCode {
    int16_t Date_Year = 0;   // year minus 2000, 0..99
    int16_t Date_Week = 0;   // week number, 1..54
    uint8_t yearByte = 0;    // Date_Year as two BCD digits
    uint8_t weekByte = 0;    // Date_Week as two BCD digits
};

// The date code for `today`, or std::nullopt when it cannot be stamped: an invalid date, or
// a year before 2000 or after 2099 (no two-digit BCD year).
std::optional<DateCode> Get_Date_Code(const QDate& today);

// The bytes that hold the date code, chosen from byte 2 of the image at the moment of the
// stamp: 93 and 94 for byte 2 below 9, 120 and 121 for 9 and above.
struct DateCodePosition {
    int yearIndex = 93;
    int weekIndex = 94;
};
DateCodePosition Date_Code_Position(uint8_t byte2);
DateCodePosition Date_Code_Position(const SPD_Record& record);

// Stamps `code` into the image at the position byte 2 selects. The two bytes it replaces are
// first stored into `savedDate1` (year byte) and `savedDate2` (week byte), so a later restore
// can write them back. Returns the position written.
DateCodePosition Apply_Date_Stamp(SPD_Record& record, const DateCode& code,
                                  int16_t& savedDate1, int16_t& savedDate2);

// Writes the bytes saved by the last stamp back at `pos`, the position that stamp wrote:
// the bytes go back where they came from, whatever byte 2 holds by now.
void Restore_Date_Stamp(SPD_Record& record, DateCodePosition pos, int16_t savedDate1, int16_t savedDate2);
