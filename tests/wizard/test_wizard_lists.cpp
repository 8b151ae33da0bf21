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
        Dram_Geometry g;   // rows, columns, density, banks, refresh; {}: the type has no such device
    };
    const Row rows[] = {
        { 1, 5, 1, {} },                        // 256 Mb x8: 2 Gbit
        { 2, 0, 1, { 12, 9, 16, 4, 156 } },     // 8 Mb x8: 8M locations, 64 MB
        { 1, 1, 0, { 12, 10, 32, 4, 156 } },    // 16 Mb x4: 16M locations, 128 MB
        { 2, 4, 1, { 14, 11, 1, 4, 78 } },      // 128 Mb x8: 1 GB
        { 1, 4, 1, {} },                        // SDRAM 128 Mb x8: 1 Gbit
        { 1, 4, 0, {} },                        // SDRAM 128 Mb x4: a 1 GB rank is beyond byte 31
        { 3, 4, 1, { 14, 10, 1, 8, 78 } },      // DDR2 128 Mb x8: 8 banks
        { 1, 0, 0, {} },                        // 8 Mb x4: 32 Mbit
        // DDR3 8 Mb and 16 Mb: below 512 Mbit.
        { 4, 0, 0, {} },
        { 4, 0, 1, {} },
        { 4, 1, 2, {} },
        { 4, 2, 1, {} },                        // 32 Mb x8: 256 Mbit
        { 4, 2, 2, { 12, 10, 16, 8, 78 } },
        { 4, 2, 0, {} },
        { 4, 5, 2, { 15, 10, 128, 8, 78 } },    // 256 Mb x16: 4 Gbit
        // DDR2 below 256 Mbit has no device; 2 Gbit x16 has eight banks.
        { 3, 0, 0, {} },
        { 3, 4, 2, { 14, 10, 1, 8, 78 } },
        { 3, 0, 1, {} },
        { 3, 0, 2, {} },
    };
    for (const Row& r : rows) {
        const Dram_Geometry g = Dram_Geometry_For(r.type, r.size, r.width).value_or(Dram_Geometry{});
        EXPECT_TRUE(g == r.g) << "type " << r.type << " size " << r.size << " width " << r.width << ": " << g.rows
                              << "," << g.columns << "," << g.density << "," << g.banks << "," << g.refresh;
    }
}

// SDRAM and DDR share one table, but SDRAM has no 1 Gbit device and no 1 GB rank, and DDR
// alone has 1 Gbit x4; DDR2 agrees with DDR only where both have no device (8 Mb x4) or the
// same 256 or 512 Mbit device.
TEST(WizardGeometry, TypesShareTheirTables)
{
    for (int size = 0; size < 6; ++size) {
        for (int width = 0; width < 3; ++width) {
            const auto ddr = Dram_Geometry_For(2, size, width);
            const bool sdramDiffers = (size == 3 && width == 2) || (size == 4 && width <= 1) || (size == 5 && width == 0);
            EXPECT_EQ(ddr == Dram_Geometry_For(1, size, width), !sdramDiffers) << size << "," << width;
            const bool same = (size == 0 && width == 0) || (size + width == 3 && size > 0) || (size == 2 && width == 2);
            EXPECT_EQ(ddr == Dram_Geometry_For(3, size, width), same) << size << "," << width;
        }
    }
}

} // namespace
