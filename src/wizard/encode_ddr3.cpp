#include "wizard/encode_ddr3.h"

#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "wizard/speed_rows_ddr3.h"

#include <algorithm>
#include <bitset>

namespace wizard {

std::optional<uint8_t> Ddr3_Density_Byte(int size, int width, int banks)
{
    // Device capacity (size times width): 0 for 256 Mbit, 1 for 512 Mbit, 2 for 1 Gbit,
    // 3 for 2 Gbit, 4 for 4 Gbit. The wizard's sizes that give none of these have no code.
    struct Entry { int size, width, code; };
    static constexpr Entry kCodes[] = {
        { 2, 1, 0 }, { 3, 1, 1 }, { 4, 1, 2 }, { 5, 1, 3 },
        { 1, 2, 0 }, { 2, 2, 1 }, { 3, 2, 2 }, { 4, 2, 3 }, { 5, 2, 4 },
        { 3, 0, 0 }, { 4, 0, 1 }, { 5, 0, 2 },
    };
    // Bits 4-6 hold the bank count as DDR3 codes it: 0 stands for eight banks (16 for
    // sixteen). Adding 16 for eight banks would declare sixteen, which no DDR3 device of
    // these sizes has and which the document's own decoding then shows; DDR3 has no code
    // below eight banks, so the wizard's four banks leave the bits at 0 as well.
    if (banks != 4 && banks != 8) return std::nullopt;
    for (const Entry& e : kCodes) {
        if (e.size == size && e.width == width) return static_cast<uint8_t>(e.code);
    }
    return std::nullopt;
}

uint8_t Ddr3_Addressing_Byte(int rows, int columns)
{
    uint8_t b = 0;
    if (rows >= 13 && rows <= 16) b |= static_cast<uint8_t>((rows - 12) * 8);
    if (columns >= 10 && columns <= 12) b |= static_cast<uint8_t>(columns - 9);
    return b;
}

uint8_t Ddr3_Organization_Byte(int width, int sides)
{
    uint8_t b = 0;
    if (width == 1) b |= 1;
    if (width == 2) b |= 2;
    if (sides != 1) b |= 8;
    return b;
}

uint8_t Ddr3_Bus_Width_Byte(int ecc) { return ecc != 1 ? 11 : 3; }

QString Ddr3_Id_Text(const QString& text) { return text.isEmpty() ? QStringLiteral("  ") : text; }

uint8_t Ddr3_Jedec_Count_Byte(int n)
{
    if (n % 2 != 0) ++n;
    const int count = std::clamp(n / 2 - 1, 0, 127);
    const bool oddOnes = std::bitset<7>(static_cast<unsigned long>(count)).count() % 2 == 1;
    return static_cast<uint8_t>(oddOnes ? count : count | 0x80);
}

Byte_Writes Ddr3_Jedec_Id_Writes(const QString& idText)
{
    const int length = static_cast<int>(idText.size());
    const int n = length % 2 != 0 ? length + 1 : length;
    const uint8_t count = Jedec_Id_Bank_Byte(idText).value_or(Ddr3_Jedec_Count_Byte(n));
    // The last pair: characters n-1 and n (counted from 1); an odd text has no character n.
    const QChar high = n >= 2 ? idText[n - 2] : QChar();
    const std::optional<QChar> low = n <= length && n >= 1 ? std::optional<QChar>(idText[n - 1]) : std::nullopt;
    const uint8_t code = Id_Pair_Byte(high, low);

    Byte_Writes writes;
    Add_Write(writes, 117, count);
    Add_Write(writes, 148, count);
    Add_Write(writes, 118, code);
    Add_Write(writes, 149, code);
    return writes;
}

namespace {

void addZeros(Byte_Writes& writes, int first, int last)
{
    for (int i = first; i <= last; ++i) Add_Write(writes, i, 0);
}

} // namespace

Byte_Writes Ddr3_Image_Writes(const Warez_Params& param, const QString& idText, const QString& partNumber)
{
    Byte_Writes w;
    // Fixed bytes. Byte 8 gets its final value with the geometry below.
    static constexpr Byte_Write kFixed[] = {
        { 0, 0x92 },   // 176 bytes used, 256 bytes total, CRC over 0-116
        { 1, 0x00 },   // SPD revision
        { 2, 0x0B },   // DDR3 SDRAM
        { 3, 0x02 },   // unbuffered DIMM
        { 6, 0x00 },
        { 8, 0x03 },
        { 9, 0x52 },   // fine timebase
        { 10, 0x01 },  // medium timebase 1/8 ns
        { 11, 0x08 },
        { 13, 0x00 },
        { 17, 0x78 },  // tWRmin 15 ns
        { 24, 0xD0 },  // tRFCmin 90 ns, raised below for denser devices
        { 25, 0x02 },
        { 26, 0x3C },  // tWTRmin 7.5 ns
        { 27, 0x3C },  // tRTPmin 7.5 ns
        { 30, 0x03 },  // output drivers
        { 31, 0x0D },  // refresh options
    };
    // JEDEC's tRFC by device density, as byte 4 declares it (without a code the byte reads
    // as 256 Mbit): 90 ns up to 512 Mbit, then 110, 160, 260 and 350 ns for 1 to 8 Gbit.
    static constexpr int kTrfc[6] = { 720, 720, 880, 1280, 2080, 2800 };
    const int code = Ddr3_Density_Byte(param[WP_Dram_Size], param[WP_Data_Width], param[WP_Banks]).value_or(0) & 0x0F;
    const int trfc = kTrfc[std::min(code, 5)];
    for (Byte_Write b : kFixed) {
        if (b.index == 24) b.value = static_cast<uint8_t>(trfc & 0xFF);
        if (b.index == 25) b.value = static_cast<uint8_t>(trfc >> 8);
        w.push_back(b);
    }
    addZeros(w, 32, 59);
    Add_Write(w, 60, 16);   // module nominal height
    Add_Write(w, 61, 17);   // module maximum thickness
    Add_Write(w, 62, 0);    // reference raw card
    Add_Write(w, 63, 0);    // address mapping
    addZeros(w, 64, 116);

    if (const auto density = Ddr3_Density_Byte(param[WP_Dram_Size], param[WP_Data_Width], param[WP_Banks])) Add_Write(w, 4, *density);
    Add_Write(w, 5, Ddr3_Addressing_Byte(param[WP_Row_Bits], param[WP_Column_Bits]));
    Add_Write(w, 7, Ddr3_Organization_Byte(param[WP_Data_Width], param[WP_Sides]));
    Add_Write(w, 8, Ddr3_Bus_Width_Byte(param[WP_Ecc]));

    Add_Writes(w, Ddr3_Speed_Grade_Writes(param));
    Add_Writes(w, Ddr3_Cas_Latency_Writes(param));
    Add_Writes(w, Ddr3_Jedec_Id_Writes(idText));
    Add_Writes(w, Part_Number_Writes(partNumber, 128));

    // The CRC of bytes 0-116, low byte first: worked out on the image that the writes above
    // make of the new, all-zero document, so that a module programmed straight from the
    // wizard carries a valid check value.
    SPD_Record image;
    for (const Byte_Write& b : w) image.Spd_Value[static_cast<size_t>(b.index)] = b.value;
    const uint16_t crc = crc16_spd(image, crc_coverage_end(image));
    Add_Write(w, 126, crc & 0xFF);
    Add_Write(w, 127, crc >> 8);
    return w;
}

} // namespace wizard
