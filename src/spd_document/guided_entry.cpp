#include "spd_document/guided_entry.h"

#include <cmath>
#include <string>

#include "spd_document/spd_record.h"

double Leading_Number(const QString& text)
{
    std::string s;
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?');
    size_t i = 0;
    std::string num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) num.push_back(s[i++]);
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { num.push_back(s[i++]); digits = true; }
    if (i < s.size() && s[i] == '.') {
        num.push_back(s[i++]);
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { num.push_back(s[i++]); digits = true; }
    }
    if (!digits) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::string exp = "e";
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp.push_back(s[j++]);
        bool expDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) { exp.push_back(s[j++]); expDigits = true; }
        if (expDigits) num += exp;
    }
    return std::strtod(num.c_str(), nullptr);
}

std::optional<int> Guided_Entry_Value(const QString& answer, bool hexMode)
{
    double value = 0.0;
    if (!answer.isEmpty()) {
        if (hexMode)
            value = Hex_To_Byte(answer);
        else
            value = std::nearbyint(Leading_Number(answer));  // the default rounding: halves to even
    }
    if (!std::isfinite(value) || value < 0.0 || value > 255.0) return std::nullopt;
    if (value == 0.0 && answer.trimmed() != QStringLiteral("0")) return std::nullopt;
    return static_cast<int>(value);
}
