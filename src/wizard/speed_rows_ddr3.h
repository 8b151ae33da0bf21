#pragma once
// The speed-dependent bytes of a DDR3 image. Times count medium-timebase units of 1/8 ns.
#include "wizard/encode_common.h"

namespace wizard {

// The writes for the grade in slot WP_Speed_Grade, in order: 12, 16, 19, 23, 28, 29, then
// byte 20 (tRP) with the grade's default followed, for a count of the tRP list (4-11
// clocks) in WP_tRP, by count x tCK; byte 18 (tRCD) the same from WP_tRCD; bytes 21
// and 22 (tRAS and the upper nibbles) with the default pair followed, for a count of the
// tRAS list (12-28 clocks) in WP_tRAS, by the chosen tRAS. tRC (byte 23 and the upper
// nibble of byte 21) is the grade's value, or tRAS + tRP when that is longer. tRRD (19)
// and tFAW (28, 29) are at least JEDEC's for the grade and the devices' page size
// (WP_Data_Width and WP_Column_Bits). A grade outside 13..16 gives no writes.
Byte_Writes Ddr3_Speed_Grade_Writes(const Warez_Params& param);

// Byte 15 := 0 and byte 14 := the CAS latencies the tCL item in slot WP_Cas_Item names;
// no writes when the position has no item of the DDR3 list.
Byte_Writes Ddr3_Cas_Latency_Writes(const Warez_Params& param);

} // namespace wizard
