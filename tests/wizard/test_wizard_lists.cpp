// The wizard's fixed choices: the timing items preselected for each speed grade, and the
// DRAM geometry tables of the module-parameter page.
#include <gtest/gtest.h>

#include "wizard/wizard_geometry.h"
#include "wizard/wizard_lists.h"

namespace {

// Each grade's preselected positions name the items its row of the grade table gives,
// in the order tCL, tRP, tRCD, tRAS.
TEST(WizardLists, PreselectionsNameTheGradesTimings)
{
    struct Row {
        int code;
        const char* items[4];
    };
    const Row rows[] = {
        { 1, { "3T", "3T", "3T", "7T" } },   { 4, { "3T", "3T", "3T", "7T" } },   { 5, { "2.5T", "3T", "3T", "7T" } },
        { 7, { "2.5T", "3T", "3T", "7T" } }, { 8, { "3T", "4T", "4T", "8T" } },   { 10, { "4T", "4T", "4T", "12T" } },
        { 11, { "5T", "5T", "5T", "15T" } }, { 12, { "5T", "5T", "5T", "18T" } }, { 14, { "6T", "6T", "6T", "20T" } },
        { 15, { "7T", "7T", "7T", "24T" } }, { 16, { "8T", "8T", "8T", "28T" } },
    };
    const Timing_List order[4] = { Timing_List::tCL, Timing_List::tRP, Timing_List::tRCD, Timing_List::tRAS };
    for (const Row& row : rows) {
        const auto pre = Timing_Preselection(row.code);
        ASSERT_TRUE(pre.has_value()) << row.code;
        for (int i = 0; i < 4; ++i) {
            const QStringList items = Timing_List_Items(Speed_Grade_Type(row.code), order[i]);
            ASSERT_LT((*pre)[static_cast<size_t>(i)], items.size()) << row.code;
            EXPECT_EQ(items[(*pre)[static_cast<size_t>(i)]], row.items[i]) << "code " << row.code << " list " << i;
        }
    }
    EXPECT_FALSE(Timing_Preselection(17).has_value());
}

TEST(WizardGeometry, RowsOfTheTables)
{
    struct Row {
        int type, size, width;
        Dram_Geometry g;   // rows, columns, density, banks, refresh
    };
    const Row rows[] = {
        { 1, 5, 1, { 13, 10, 64, 4, 78 } },    // 256 Mb x8: no row
        { 2, 0, 1, { 12, 9, 16, 4, 156 } },     // 8 Mb x8: 8M locations, 64 MB
        { 1, 1, 0, { 12, 10, 32, 4, 156 } },    // 16 Mb x4: 16M locations, 128 MB
        { 2, 4, 1, { 14, 11, 1, 4, 78 } },      // 128 Mb x8: 1 GB
        { 1, 4, 1, { 13, 10, 64, 4, 78 } },     // SDRAM 128 Mb x8: 1 GB is beyond byte 31
        { 1, 4, 0, { 13, 10, 64, 4, 78 } },
        { 3, 4, 1, { 14, 10, 1, 8, 78 } },      // DDR2 128 Mb x8: 8 banks
        { 1, 0, 0, { 13, 10, 64, 4, 78 } },     // 8 Mb x4: no row
        // DDR3 8 Mb and 16 Mb: no row; the fallback addresses 256 Mbit devices at each width.
        { 4, 0, 0, { 13, 10, 64, 4, 78 } },
        { 4, 0, 1, { 12, 10, 64, 4, 78 } },
        { 4, 1, 2, { 12, 9, 64, 4, 78 } },
        { 4, 2, 1, { 12, 10, 16, 4, 78 } },     // 32 Mb x8: 256 Mbit
        { 4, 2, 2, { 12, 10, 16, 8, 78 } },
        { 4, 2, 0, { 13, 10, 64, 4, 78 } },     // 32 Mb x4: no row
        { 4, 5, 2, { 15, 10, 128, 8, 78 } },    // 256 Mb x16: 4 Gbit
        // DDR2 pairs without a row take the same fallback as the other types.
        { 3, 0, 0, { 13, 10, 64, 4, 78 } },
        { 3, 4, 2, { 13, 10, 64, 4, 78 } },
        { 3, 0, 1, { 13, 10, 64, 4, 78 } },     // 64 MB ranks are below DDR2's byte 31
        { 3, 0, 2, { 13, 10, 64, 4, 78 } },
    };
    for (const Row& r : rows) {
        const Dram_Geometry g = Dram_Geometry_For(r.type, r.size, r.width);
        EXPECT_TRUE(g == r.g) << "type " << r.type << " size " << r.size << " width " << r.width << ": " << g.rows
                              << "," << g.columns << "," << g.density << "," << g.banks << "," << g.refresh;
    }
}

// SDRAM and DDR share one table, but SDRAM leaves out 128 Mb with x4 and x8; DDR2 differs
// from DDR only for 64 Mb and 128 Mb with x8 and for 8 Mb with x8 and x16.
TEST(WizardGeometry, TypesShareTheirTables)
{
    for (int size = 0; size < 6; ++size) {
        for (int width = 0; width < 3; ++width) {
            const Dram_Geometry ddr = Dram_Geometry_For(2, size, width);
            const bool sdramDiffers = size == 4 && width <= 1;
            EXPECT_EQ(ddr == Dram_Geometry_For(1, size, width), !sdramDiffers) << size << "," << width;
            const bool differs = (width == 1 && (size == 3 || size == 4)) || (size == 0 && width >= 1);
            EXPECT_EQ(ddr == Dram_Geometry_For(3, size, width), !differs) << size << "," << width;
        }
    }
}

} // namespace
