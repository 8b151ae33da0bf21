#pragma once
// The module-parameter page's choices and what they mean for the image: the DRAM size and
// module side lists, the size preselected for each memory type, and the DRAM geometry
// (row and column address bits, module density code, banks, refresh) that follows from
// memory type, DRAM size and data width.
#include <QStringList>
#include <cstdint>
#include <optional>

// "8 Mb", "16 Mb", "32 Mb", "64 Mb", "128 Mb", "256 Mb" (positions 0 to 5).
QStringList Dram_Size_Items();
// "Single Side", "Double Side" (positions 0, 1).
QStringList Module_Side_Items();
// The size position preselected for a memory type: SDRAM 1 ("16 Mb"), DDR 2 ("32 Mb"),
// DDR2 and DDR3 3 ("64 Mb"); -1 (nothing) for any other type.
int Dram_Size_Preselection(int memType);

struct Dram_Geometry {
    int16_t rows = 0;      // row address bits
    int16_t columns = 0;   // column address bits
    int16_t density = 0;   // module bank density code: 16, 32, 64, 128, 1 or 2
    int16_t banks = 4;     // banks of each DRAM
    int16_t refresh = 78;  // refresh code: 78 or 156
    bool operator==(const Dram_Geometry& o) const
    {
        return rows == o.rows && columns == o.columns && density == o.density && banks == o.banks &&
               refresh == o.refresh;
    }
};

// The device that a memory type 1..4 has for a size position 0..5 and a width position
// 0..2 (0 x4, 1 x8, 2 x16), the size counting locations ("64 Mb" x16 is a 1 Gbit device):
// JEDEC's banks, row and column bits, and the density code of a rank of 64 data bits.
// nullopt when the type has no such device (SDRAM 64 to 512 Mbit, DDR 64 Mbit to 1 Gbit,
// DDR2 256 Mbit to 4 Gbit, DDR3 512 Mbit to 4 Gbit within these choices), when SDRAM's
// density byte cannot declare the rank (512 Mbit x4: 1 GB), or for another type.
std::optional<Dram_Geometry> Dram_Geometry_For(int memType, int sizeIndex, int widthIndex);

// What the module-parameter page says when it refuses the size and width chosen: that the
// memory type has no such device, naming the device sizes it has; or, for a device it has
// whose rank the density byte cannot declare (SDRAM 128 Mb x4), that rank limit.
QString Dram_Device_Refused(int memType, int sizeIndex, int widthIndex);
