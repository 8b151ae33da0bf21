#include "report/report_texts.h"

#include "spd_document/spd_record.h"

namespace report {

const QString Report_Web_Address = QStringLiteral("www.velmondra.com.tw");
const QString Report_File_Label = QStringLiteral("     Filename: ");
const QString Report_Hex_Title = QStringLiteral("HEX");

QString Field_Text(const std::vector<uint8_t>& bytes)
{
    QString text;
    text.reserve(static_cast<int>(bytes.size()) * 2);
    for (uint8_t b : bytes) text += Hex_Byte_Text(b);
    return text;
}

QString Part_Number_Text(const std::vector<uint8_t>& bytes)
{
    int sum = 0;
    for (uint8_t b : bytes) sum += b;
    if (sum == 0) return QString();

    QString text;
    text.reserve(static_cast<int>(bytes.size()));
    // A part number is printable ASCII; any other byte prints as a blank, so a wide or
    // missing glyph cannot push the rest of the line out of its column.
    for (uint8_t b : bytes) {
        if (b < 0x20 || b > 0x7E)
            text += QLatin1Char(' ');
        else
            text += QChar(static_cast<char16_t>(b));
    }
    return text;
}

QString Aligned_Row_Text(const QString& row)
{
    const auto blank = [&](int i) { return row.at(i) == QLatin1Char(' '); };
    const int size = static_cast<int>(row.size());
    int labelStart = 0;
    while (labelStart < size && blank(labelStart)) ++labelStart;
    int labelEnd = labelStart;
    while (labelEnd < size && !blank(labelEnd)) ++labelEnd;
    int description = labelEnd;
    while (description < size && blank(description)) ++description;
    if (labelStart == size || description == size || labelEnd >= Description_Column) return row;
    return row.left(labelEnd) + QString(Description_Column - labelEnd, QLatin1Char(' ')) + row.mid(description);
}

QString Report_File_Name(const QString& caption)
{
    const int cut = static_cast<int>(qMax(caption.lastIndexOf(QLatin1Char('\\')), caption.lastIndexOf(QLatin1Char('/'))));
    return cut < 0 ? caption : caption.mid(cut + 1);
}

} // namespace report
