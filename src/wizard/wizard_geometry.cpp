#include "wizard/wizard_geometry.h"

#include "wizard/wizard_lists.h"

#include <algorithm>

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

// SDRAM has no 1 Gbit device; and its bank density byte ends at 512 MB a rank, so its
// 512 Mbit x4 device, which would make 1 GB ranks, is refused too.
struct Size_Width {
    int size;
    int width;
};
constexpr Size_Width kSdramNone[] = { { 3, 2 }, { 4, 1 } };
constexpr Size_Width kSdramRankTooLarge[] = { { 4, 0 } };
constexpr int kSdramRankLimitMB = 512;

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

// A size position (8 Mb up, in locations) times a width position (x4, x8, x16) in Mbit.
int deviceMbit(int sizeIndex, int widthIndex) { return (8 << sizeIndex) * (4 << widthIndex); }

QString capacityText(int count, const char* unit)
{
    return count >= 1024 ? QStringLiteral("%1 G%2").arg(count / 1024).arg(QLatin1String(unit))
                         : QStringLiteral("%1 M%2").arg(count).arg(QLatin1String(unit));
}

} // namespace

std::optional<Dram_Geometry> Dram_Geometry_For(int memType, int sizeIndex, int widthIndex)
{
    const Dram_Geometry* found = nullptr;
    switch (memType) {
    case Warez_SDRAM:
        if (!listed(kSdramNone, sizeIndex, widthIndex) && !listed(kSdramRankTooLarge, sizeIndex, widthIndex))
            found = findRow(kSdrDdrRows, sizeIndex, widthIndex);
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

QString Dram_Device_Refused(int memType, int sizeIndex, int widthIndex)
{
    static const char* const kTypes[4] = { "SDRAM", "DDR", "DDR2", "DDR3" };
    if (memType < Warez_SDRAM || memType > Warez_DDR3) return QString();
    const QString type = QString::fromLatin1(kTypes[memType - 1]);
    const QString advice = QStringLiteral("請另選 DRAM Memory Size 或 DRAM Data Width。");

    // A device SDRAM has, whose rank of 64 data bits its density byte cannot declare.
    if (memType == Warez_SDRAM && listed(kSdramRankTooLarge, sizeIndex, widthIndex)) {
        const int chips = 64 / (4 << widthIndex);
        const int mbit = deviceMbit(sizeIndex, widthIndex);
        return QStringLiteral("%1 有這種 DRAM (%2 %3 為 %4)，但每面模組最多 %5：%3 的 DRAM 每面 (64 位元) 要 %6 顆，"
                              "共 %7，超過 SPD 第 31 位元組能標示的容量。")
                   .arg(type, Dram_Size_Items().value(sizeIndex), Data_Width_Items().value(widthIndex),
                        capacityText(mbit, "b"), capacityText(kSdramRankLimitMB, "B"), QString::number(chips),
                        capacityText(mbit * chips / 8, "B")) +
               advice;
    }

    // The densities of the devices the type has among the choices, from the tables themselves.
    QList<int> densities;
    for (int size = 0; size < Dram_Size_Items().size(); ++size)
        for (int width = 0; width < Data_Width_Items().size(); ++width)
            if (Dram_Geometry_For(memType, size, width) && !densities.contains(deviceMbit(size, width)))
                densities << deviceMbit(size, width);
    std::sort(densities.begin(), densities.end());
    QStringList names;
    for (int mbit : densities) names << capacityText(mbit, "b");
    QString sizes = names.join(QStringLiteral("、"));
    if (memType == Warez_SDRAM) sizes += QStringLiteral("，每面模組最多 ") + capacityText(kSdramRankLimitMB, "B");
    return QStringLiteral("%1 沒有這種 DRAM。DRAM 容量 (DRAM Memory Size 乘 DRAM Data Width，如 64 Mb x 8 為 512 Mb) "
                          "在 %1 只有 %2。")
               .arg(type, sizes) +
           advice;
}
