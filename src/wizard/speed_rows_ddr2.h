#pragma once
// The speed-dependent bytes of an SDRAM, DDR or DDR2 image: one fixed row of cycle, access,
// setup/hold and refresh times per speed-grade code 1 to 12, plus tRP (byte 27), tRCD
// (byte 29) and tRAS (byte 30) from the clock counts chosen in the wizard.
#include "wizard/encode_common.h"

namespace wizard {

// The writes for the grade in slot WP_Speed_Grade, in order: the grade's constant row, then
// bytes 27 (tRP from WP_tRP), 29 (tRCD from WP_tRCD) and 30 (tRAS from WP_tRAS, whole ns,
// floored; held within 0-255), each the longest time that is still the chosen clocks. Within the row, tRC (byte 41, DDR2 with byte
// 40) is never shorter than tRAS + tRP as bytes 30 and 27 give them, and tRRD (28) and
// tRFC (42, DDR2 with byte 40) are never shorter than JEDEC's for the page size and
// density of the devices (WP_Row_Bits, WP_Column_Bits, WP_Data_Width, WP_Banks). The memory type takes no part: the
// grade alone picks its family's row. A grade outside 1..12 gives no writes.
Byte_Writes Ddr2_Speed_Grade_Writes(const Warez_Params& param);

} // namespace wizard
