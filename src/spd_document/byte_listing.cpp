#include "spd_document/byte_listing.h"

#include "spd_document/spd_record.h"

#include <vector>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

struct ByteGroup {
    int first;
    int last;
};

// Groups of bytes below 128 listed under one header, per memory type. Bytes below 128 that
// are in no group get a line of their own; types without an entry (nullptr) list nothing
// below 128.
const std::vector<ByteGroup>* Low_Groups(int16_t memType)
{
    static const std::vector<ByteGroup> sdram = {{36, 61}, {64, 71}, {73, 90}, {99, 114}, {115, 125}};
    static const std::vector<ByteGroup> ddr = {{36, 40}, {46, 61}, {64, 71}, {73, 90}, {99, 114}, {115, 127}};
    static const std::vector<ByteGroup> ddr2 = {{64, 71}, {73, 90}, {95, 98}, {107, 113}};
    switch (memType) {
    case MT_SDRAM: return &sdram;
    case MT_DDR: return &ddr;
    case MT_DDR2: return &ddr2;
    default: return nullptr;
    }
}

// "  Byte " and the number text, padded so that the first number takes three characters,
// then one separating blank.
QString Line_Start(int first, const QString& numberText)
{
    const int firstWidth = QString::number(first).size();
    return QStringLiteral("  Byte ") + numberText + QString(qMax(0, 3 - firstWidth), QLatin1Char(' '))
           + QLatin1Char(' ');
}

void Append_Single(QString& out, int k, const std::array<uint8_t, 256>& value,
                   const std::array<QString, 256>& desc)
{
    out += Line_Start(k, QString::number(k));
    out += Hex_Byte_Text(value[k]);
    out += QStringLiteral("   ");
    out += desc[k];
    out += kLineEnd;
}

void Append_Group(QString& out, const ByteGroup& g, const QString& name,
                  const std::array<uint8_t, 256>& value)
{
    out += Line_Start(g.first, QString::number(g.first) + QStringLiteral(" - ") + QString::number(g.last));
    out += name;
    out += kLineEnd;

    const bool wideIndent = g.first == 99 || g.first == 115 || g.first >= 128;
    out += QString(wideIndent ? 17 : 16, QLatin1Char(' '));
    for (int k = g.first; k <= g.last; ++k) {
        out += Hex_Byte_Text(value[k]);
        out += QLatin1Char(' ');
    }
    out += kLineEnd;
}

} // namespace

QString Build_Byte_Listing(int16_t Mem_Type, const std::array<uint8_t, 256>& Spd_Value,
                           const std::array<QString, 256>& Byte_Desc)
{
    QString out;
    out.reserve(16 * 1024);
    out += kLineEnd;
    out += QStringLiteral("  Count   Value Byte list");
    out += kLineEnd;
    out += kLineEnd;

    if (const std::vector<ByteGroup>* low = Low_Groups(Mem_Type)) {
        const std::vector<ByteGroup>& groups = *low;
        int k = 0;
        std::size_t next = 0;
        while (k < 128) {
            if (next < groups.size() && groups[next].first == k) {
                Append_Group(out, groups[next], Byte_Desc[k], Spd_Value);
                k = groups[next].last + 1;
                ++next;
            } else {
                Append_Single(out, k, Spd_Value, Byte_Desc);
                ++k;
            }
        }
    }

    // The upper half, whatever the memory type: groups of 16 named after byte 128.
    for (int first = 128; first < 256; first += 16)
        Append_Group(out, {first, first + 15}, Byte_Desc[128], Spd_Value);

    return out;
}
