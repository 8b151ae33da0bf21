#pragma once
// The texts and colours of a printed report: a byte's hex text comes from Hex_Byte_Text
// (two upper-case digits); these build the texts of fields and part numbers and the file
// name in the page header.
#include <QString>
#include <cstdint>
#include <vector>

namespace report {

// Report colours as 0xBBGGRR.
constexpr uint32_t Report_Red = 0x0000FF;
constexpr uint32_t Report_Blue = 0xFF0000;
constexpr uint32_t Report_Green = 0x0FF000;   // the SDRAM page's closing rule

// The address printed in the top right corner of every page.
extern const QString Report_Web_Address;
// Printed before the file name in the page header.
extern const QString Report_File_Label;
// The column title above the hex values.
extern const QString Report_Hex_Title;

// A field of several bytes: each byte's two hex digits in rising byte order, nothing
// between them (0x01, 0xA0 gives "01A0").
QString Field_Text(const std::vector<uint8_t>& bytes);

// A part number shown as characters, one Latin-1 character per byte, nothing trimmed:
// empty when every byte is 0, otherwise one character per byte, a byte below 0x20 (a
// zero byte among them) giving a blank, since a printer shows control codes as empty
// boxes or not at all.
QString Part_Number_Text(const std::vector<uint8_t>& bytes);

// The column, in characters, where the description of every printed byte row begins: the
// column of the single-byte rows. The tables space their range rows (36-40, 122-125, ...)
// a column or two differently, which in a fixed-pitch face leaves the descriptions ragged.
constexpr int Description_Column = 19;

// A byte row of a print-line table respaced so that its description begins at
// Description_Column; the byte number and the description keep their texts. A text
// without a description after its first word (a blank line, the rule) comes back as it is.
QString Aligned_Row_Text(const QString& row);

// The file name printed in the header: the caption after its last path separator ("\" as
// on Windows, or "/"); a caption without one is taken whole. A modified document's "*"
// stays part of the name.
QString Report_File_Name(const QString& caption);

} // namespace report
