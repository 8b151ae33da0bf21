#pragma once
// The module-parameter page's choices and what they mean for the image: the DRAM size and
// module side lists, the size preselected for each memory type, and the DRAM geometry
// (row and column address bits, module density code, banks, refresh) that follows from
// memory type, DRAM size and data width.
#include <QStringList>
#include <cstdint>

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
    int16_t density = 0;   // module bank density code: 16, 32, 64, 128 or 1
    int16_t banks = 4;     // banks of each DRAM
    int16_t refresh = 78;  // refresh code: 78 or 156
    bool operator==(const Dram_Geometry& o) const
    {
        return rows == o.rows && columns == o.columns && density == o.density && banks == o.banks &&
               refresh == o.refresh;
    }
};

// The geometry of a memory type 1..4 with a size position 0..5 and a width position 0..2
// (0 x4, 1 x8, 2 x16). Each type has a table of the pairs it knows; a pair without a row
// (also one whose rank the type's density byte cannot declare), or a type outside 1..4,
// gets 13 row and 10 column bits, density 64, 4 banks, refresh 78; a DDR3 pair without a
// row with x8 or x16 gets 12 rows and 10 or 9 columns instead (256 Mbit devices).
Dram_Geometry Dram_Geometry_For(int memType, int sizeIndex, int widthIndex);
