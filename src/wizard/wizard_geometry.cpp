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

// SDRAM and DDR: four banks. Rows and columns address the size the user chose: "8 Mb" x8
// is 8M locations, 4 banks of 2^(12+9), as its 64 MB density says; likewise "16 Mb" x4.
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

// DDR alone: the 1 Gbit x4 device, a 2 GB rank.
const Geometry_Row kDdrRows[] = {
    { 5, 0, { 14, 12, 2, 4, 78 } },
};

// SDRAM has no 1 Gbit device, and its bank density byte ends at 512 MB a rank: 512 Mbit x4
// devices would make 1 GB ranks.
struct Size_Width {
    int size;
    int width;
};
constexpr Size_Width kSdramNone[] = { { 3, 2 }, { 4, 0 }, { 4, 1 } };

// DDR2: 256 Mbit to 4 Gbit devices, eight banks from 1 Gbit.
const Geometry_Row kDdr2Rows[] = {
    { 3, 0, { 13, 11, 128, 4, 78 } },   // 256 Mbit x4
    { 4, 0, { 14, 11, 1, 4, 78 } },     // 512 Mbit x4
    { 5, 0, { 14, 11, 2, 8, 78 } },     // 1 Gbit x4
    { 2, 1, { 13, 10, 64, 4, 78 } },    // 256 Mbit x8
    { 3, 1, { 14, 10, 128, 4, 78 } },
    { 4, 1, { 14, 10, 1, 8, 78 } },
    { 5, 1, { 15, 10, 2, 8, 78 } },     // 2 Gbit x8
    { 1, 2, { 13, 9, 32, 4, 78 } },     // 256 Mbit x16
    { 2, 2, { 13, 10, 64, 4, 78 } },
    { 3, 2, { 13, 10, 128, 8, 78 } },
    { 4, 2, { 14, 10, 1, 8, 78 } },
    { 5, 2, { 15, 10, 2, 8, 78 } },     // 4 Gbit x16
};

// DDR3: 512 Mbit and more, always eight banks; no row changes the refresh code. Each
// row's rows, columns and eight banks address a device of the size times the width,
// which byte 4 declares.
const Geometry_Row kDdr3Rows[] = {
    { 3, 1, { 13, 10, 32, 8, 78 } },
    { 4, 1, { 14, 10, 64, 8, 78 } },
    { 5, 1, { 15, 10, 128, 8, 78 } },
    { 2, 2, { 12, 10, 16, 8, 78 } },
    { 3, 2, { 13, 10, 32, 8, 78 } },
    { 4, 2, { 14, 10, 64, 8, 78 } },
    { 5, 2, { 15, 10, 128, 8, 78 } },
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

std::optional<Dram_Geometry> Dram_Geometry_For(int memType, int sizeIndex, int widthIndex)
{
    const Dram_Geometry* found = nullptr;
    switch (memType) {
    case Warez_SDRAM:
        if (!listed(kSdramNone, sizeIndex, widthIndex)) found = findRow(kSdrDdrRows, sizeIndex, widthIndex);
        break;
    case Warez_DDR:
        found = findRow(kSdrDdrRows, sizeIndex, widthIndex);
        if (!found) found = findRow(kDdrRows, sizeIndex, widthIndex);
        break;
    case Warez_DDR2: found = findRow(kDdr2Rows, sizeIndex, widthIndex); break;
    case Warez_DDR3: found = findRow(kDdr3Rows, sizeIndex, widthIndex); break;
    default: break;
    }
    if (found) return *found;
    return std::nullopt;
}

QString Dram_Device_Refused(int memType)
{
    // The device sizes of each type, as JEDEC defines them.
    static const char* const kTypes[4] = { "SDRAM", "DDR", "DDR2", "DDR3" };
    static const char* const kSizes[4] = { "16 Mb 到 512 Mb，每面模組最多 512 MB", "64 Mb 到 1 Gb", "256 Mb 到 4 Gb",
                                           "512 Mb 到 8 Gb" };
    if (memType < Warez_SDRAM || memType > Warez_DDR3) return QString();
    const QString type = QString::fromLatin1(kTypes[memType - 1]);
    return QStringLiteral("%1 沒有這種 DRAM。DRAM 容量 (DRAM Memory Size 乘 DRAM Data Width，如 64 Mb x 8 為 512 Mb) "
                          "在 %1 只有 %2。請另選 DRAM Memory Size 或 DRAM Data Width。")
        .arg(type, QString::fromUtf8(kSizes[memType - 1]));
}
