#include "wizard/wizard_geometry.h"

#include "wizard/wizard_lists.h"

QStringList Dram_Size_Items()
{
    return { QStringLiteral("8 Mb"),  QStringLiteral("16 Mb"),  QStringLiteral("32 Mb"),
             QStringLiteral("64 Mb"), QStringLiteral("128 Mb"), QStringLiteral("256 Mb") };
}

QStringList Module_Side_Items() { return { QStringLiteral("Single Side"), QStringLiteral("Double Side") }; }

int Dram_Size_Preselection(int memType)
{
    switch (memType) {
    case Warez_SDRAM: return 1;
    case Warez_DDR: return 2;
    case Warez_DDR2:
    case Warez_DDR3: return 3;
    default: return -1;
    }
}

namespace {

// One row of a geometry table: the (size, width) key and what it gives. Banks and
// refresh keep 4 and 78 unless the row says otherwise.
struct Geometry_Row {
    int size;
    int width;
    Dram_Geometry geometry;
};

constexpr int16_t kRefresh156 = 156;

// SDRAM and DDR. Rows and columns address the size the user chose: "8 Mb" x8 is 8M
// locations, 4 banks of 2^(12+9), as its 64 MB density says; likewise "16 Mb" x4.
const Geometry_Row kSdrDdrRows[] = {
    { 0, 1, { 12, 9, 16, 4, kRefresh156 } },
    { 1, 1, { 12, 10, 32, 4, kRefresh156 } },
    { 2, 1, { 13, 10, 64, 4, 78 } },
    { 3, 1, { 13, 11, 128, 4, 78 } },
    { 4, 1, { 14, 11, 1, 4, 78 } },
    { 0, 2, { 12, 9, 16, 4, kRefresh156 } },
    { 1, 2, { 13, 9, 32, 4, 78 } },
    { 2, 2, { 13, 10, 64, 4, 78 } },
    { 3, 2, { 14, 10, 128, 4, 78 } },
    { 1, 0, { 12, 10, 32, 4, kRefresh156 } },
    { 2, 0, { 12, 11, 64, 4, kRefresh156 } },
    { 3, 0, { 13, 11, 128, 4, 78 } },
    { 4, 0, { 13, 12, 1, 4, 78 } },
};

// DDR2: as SDRAM and DDR but for "64 Mb" and "128 Mb" with x8, which these rows replace.
const Geometry_Row kDdr2Rows[] = {
    { 3, 1, { 14, 10, 128, 4, 78 } },
    { 4, 1, { 14, 10, 1, 8, 78 } },
};

// SDRAM's bank density byte ends at 512 MB a rank, and DDR2's starts at 128 MB: these
// pairs give ranks the byte cannot declare, so they take the fallback like pairs without a
// row ("128 Mb" x4 and x8 would be 1 GB ranks of SDRAM, "8 Mb" x8 and x16 64 MB ranks of DDR2).
struct Size_Width {
    int size;
    int width;
};
constexpr Size_Width kSdramUndeclared[] = { { 4, 0 }, { 4, 1 } };
constexpr Size_Width kDdr2Undeclared[] = { { 0, 1 }, { 0, 2 } };

// DDR3: no row changes the refresh code. Each row's rows, columns and eight banks address
// a device of the size times the width, which byte 4 declares.
const Geometry_Row kDdr3Rows[] = {
    { 2, 1, { 12, 10, 16, 4, 78 } },
    { 3, 1, { 13, 10, 32, 8, 78 } },
    { 4, 1, { 14, 10, 64, 8, 78 } },
    { 5, 1, { 15, 10, 128, 8, 78 } },
    { 2, 2, { 12, 10, 16, 8, 78 } },
    { 3, 2, { 13, 10, 32, 8, 78 } },
    { 4, 2, { 14, 10, 64, 8, 78 } },
    { 5, 2, { 15, 10, 128, 8, 78 } },
    { 3, 0, { 12, 11, 32, 8, 78 } },
    { 4, 0, { 13, 11, 64, 8, 78 } },
    { 5, 0, { 14, 11, 128, 8, 78 } },
};

template <size_t N>
const Dram_Geometry* findRow(const Geometry_Row (&rows)[N], int size, int width)
{
    for (const Geometry_Row& row : rows)
        if (row.size == size && row.width == width) return &row.geometry;
    return nullptr;
}

template <size_t N>
bool listed(const Size_Width (&pairs)[N], int size, int width)
{
    for (const Size_Width& p : pairs)
        if (p.size == size && p.width == width) return true;
    return false;
}

} // namespace

Dram_Geometry Dram_Geometry_For(int memType, int sizeIndex, int widthIndex)
{
    const Dram_Geometry* found = nullptr;
    switch (memType) {
    case Warez_SDRAM:
        if (!listed(kSdramUndeclared, sizeIndex, widthIndex)) found = findRow(kSdrDdrRows, sizeIndex, widthIndex);
        break;
    case Warez_DDR: found = findRow(kSdrDdrRows, sizeIndex, widthIndex); break;
    // A DDR2 pair without a row gets the same fallback as the other types, so the image
    // never carries 0 address bits or the geometry of an earlier choice.
    case Warez_DDR2:
        if (listed(kDdr2Undeclared, sizeIndex, widthIndex)) break;
        found = findRow(kDdr2Rows, sizeIndex, widthIndex);
        if (!found) found = findRow(kSdrDdrRows, sizeIndex, widthIndex);
        break;
    case Warez_DDR3:
        found = findRow(kDdr3Rows, sizeIndex, widthIndex);
        // A DDR3 pair without a row writes no density into byte 4, which then reads as
        // 256 Mbit devices: the fallback addresses that size at the chosen width.
        if (!found && widthIndex == 1) return Dram_Geometry{ 12, 10, 64, 4, 78 };
        if (!found && widthIndex == 2) return Dram_Geometry{ 12, 9, 64, 4, 78 };
        break;
    default: break;
    }
    if (found) return *found;
    return Dram_Geometry{ 13, 10, 64, 4, 78 };
}
