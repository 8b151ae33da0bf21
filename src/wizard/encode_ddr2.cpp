#include "wizard/encode_ddr2.h"

#include "spd_document/globals.h"
#include "wizard/speed_rows_ddr2.h"
#include "wizard/wizard_lists.h"

#include <algorithm>

namespace wizard {

bool Is_Ddr2_Image_Type(int memType) { return memType == Warez_SDRAM || memType == Warez_DDR || memType == Warez_DDR2; }

uint8_t Ddr2_Cas_Latency_Byte(int memType, int position)
{
    if (const auto mask = Cas_Latency_Mask(memType, position)) return *mask;
    // Otherwise the item of the type's usual combination: "2T 3T", "2T 2.5T 3T", "3T 4T 5T".
    switch (memType) {
    case Warez_SDRAM: return Cas_Latency_Mask(memType, 3).value_or(0);
    case Warez_DDR: return Cas_Latency_Mask(memType, 6).value_or(0);
    case Warez_DDR2: return Cas_Latency_Mask(memType, 5).value_or(0);
    default: return 0;
    }
}

namespace {

// A value per memory type: SDRAM, DDR, DDR2.
int byType(int memType, int sdram, int ddr, int ddr2)
{
    switch (memType) {
    case Warez_SDRAM: return sdram;
    case Warez_DDR: return ddr;
    default: return ddr2;
    }
}

// Byte 5: ranks; DDR2 stores ranks less one together with package and module height.
int ranksByte(int memType, int sides)
{
    if (memType == Warez_DDR2 && sides == 1) return 0x60;
    if (memType == Warez_DDR2 && sides == 2) return 0x61;
    return sides == 1 ? 1 : 2;
}

} // namespace

Byte_Writes Ddr2_Head_Writes(const Warez_Params& param)
{
    const int type = param[WP_Mem_Type];
    const bool ecc = param[WP_Ecc] == 2;
    const int width = param[WP_Data_Width];
    Byte_Writes w;

    Add_Write(w, 0, 128);                                  // bytes written
    Add_Write(w, 1, 8);                                    // SPD device of 2^8 bytes
    Add_Write(w, 2, byType(type, 4, 7, 8));                // memory type
    Add_Write(w, 3, param[WP_Row_Bits]);                             // row address bits
    Add_Write(w, 4, param[WP_Column_Bits]);                             // column address bits
    Add_Write(w, 5, ranksByte(type, param[WP_Sides]));
    Add_Write(w, 6, ecc ? 72 : 64);                        // module data width
    Add_Write(w, 7, 0);
    Add_Write(w, 11, ecc ? 2 : 0);                         // configuration: ECC or none
    Add_Write(w, 8, byType(type, 1, 4, 5));                // LVTTL, SSTL 2.5 V, SSTL 1.8 V
    Add_Writes(w, Ddr2_Speed_Grade_Writes(param));
    // 15.625 or 7.8 us, self-refresh; DDR2 devices refresh every 7.8 us at any density.
    Add_Write(w, 12, param[WP_Refresh] == 156 && type != Warez_DDR2 ? 0x80 : 0x82);
    Add_Write(w, 13, width == 0 ? 4 : width == 1 ? 8 : 16);
    // The error-checking width follows the data width only for x16.
    Add_Write(w, 14, ecc ? (width == 2 ? 16 : 8) : 0);
    Add_Write(w, 16, 0x0C);                                // burst lengths 4 and 8
    Add_Write(w, 17, param[WP_Banks]);                           // banks on each DRAM
    Add_Write(w, 18, Ddr2_Cas_Latency_Byte(type, param[WP_Cas_Item]));
    // SDRAM and DDR: CS latency 0; DDR2: module thickness.
    Add_Write(w, 19, type == Warez_DDR2 ? 0 : 1);
    // SDRAM: WE latency 0; DDR: write latency 1; DDR2: unbuffered DIMM.
    Add_Write(w, 20, byType(type, 1, 2, 2));
    Add_Write(w, 21, 0);                                   // module attributes
    Add_Write(w, 31, param[WP_Module_Density]);                           // module bank density
    Add_Write(w, 62, byType(type, 0x20, 0x12, 0x12));      // SPD revision
    return w;
}

QString Ddr2_Id_Text(const QString& text)
{
    if (text.isEmpty()) return QStringLiteral("  ");
    return text.left(kDdr2IdTextLength);
}

Byte_Writes Ddr2_Jedec_Id_Writes(const QString& idText)
{
    Byte_Writes writes;
    // The two-byte form names its maker by the continuation count in its bank byte: these
    // bytes hold that many 7F codes and then the maker's code, as far as the field goes.
    if (const auto bank = Jedec_Id_Bank_Byte(idText)) {
        const int count = std::min(*bank & 0x7F, kDdr2IdTextLength / 2);
        for (int i = 0; i < count; ++i) Add_Write(writes, 64 + i, 0x7F);
        if (count < kDdr2IdTextLength / 2) Add_Write(writes, 64 + count, Id_Pair_Byte(idText[2], idText[3]));
        return writes;
    }
    const int n = static_cast<int>(idText.size());
    for (int i = 0; 2 * i < n; ++i) {
        const std::optional<QChar> low = 2 * i + 1 < n ? std::optional<QChar>(idText[2 * i + 1]) : std::nullopt;
        Add_Write(writes, 64 + i, Id_Pair_Byte(idText[2 * i], low));
    }
    return writes;
}

} // namespace wizard
