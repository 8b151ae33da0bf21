#pragma once
// The speed-dependent bytes of a DDR3 image. Times count medium-timebase units of 1/8 ns.
#include "wizard/encode_common.h"

namespace wizard {

// The writes for the grade in Warez_Param(1), in order: 12, 16, 19, 23, 28, 29, then
// byte 20 (tRP) with the grade's default followed, for a count of the tRP list (4-11
// clocks) in element 7, by count x tCK; byte 18 (tRCD) the same from element 8; bytes 21
// and 22 (tRAS and the upper nibbles) with the default pair followed, for a count of the
// tRAS list (12-28 clocks) in element 9, by the chosen tRAS. tRC (byte 23 and the upper
// nibble of byte 21) is the grade's value, or tRAS + tRP when that is longer. tRRD (19)
// and tFAW (28, 29) are at least JEDEC's for the grade and the devices' page size
// (elements 10 and 4). A grade outside 13..16 gives no writes.
Byte_Writes Ddr3_Speed_Grade_Writes(const Warez_Params& param);

// Byte 15 := 0 and byte 14 := the CAS latencies the tCL item at Warez_Param(6) names;
// no writes when the position has no item of the DDR3 list.
Byte_Writes Ddr3_Cas_Latency_Writes(const Warez_Params& param);

} // namespace wizard
