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

QString Part_Number_Text(const std::vector<uint8_t>& bytes, Zero_Byte zero)
{
    int sum = 0;
    for (uint8_t b : bytes) sum += b;
    if (sum == 0) return QString();

    QString text;
    text.reserve(static_cast<int>(bytes.size()));
    for (uint8_t b : bytes) {
        if (b == 0 && zero == Zero_Byte::As_Blank)
            text += QLatin1Char(' ');
        else
            text += QChar(static_cast<char16_t>(b));
    }
    return text;
}

QString Report_File_Name(const QString& caption)
{
    const int cut = static_cast<int>(qMax(caption.lastIndexOf(QLatin1Char('\\')), caption.lastIndexOf(QLatin1Char('/'))));
    return cut < 0 ? caption : caption.mid(cut + 1);
}

} // namespace report
