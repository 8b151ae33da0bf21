#pragma once
// Reading one answer of the guided byte entry.
#include <QString>
#include <optional>

// The byte an answer gives, or nothing when the answer is rejected ("Input Error").
// Hexadecimal answers are read by their first and last character; decimal answers by
// their leading number, blanks ignored, rounded to the nearest whole number (halves to
// even). A value of 0 counts only when the answer, trimmed, is "0"; values outside
// 0-255 are rejected.
std::optional<int> Guided_Entry_Value(const QString& answer, bool hexMode);

// The leading decimal number of a text as a BASIC Val() reads it (blanks ignored;
// no number reads as 0).
double Leading_Number(const QString& text);
