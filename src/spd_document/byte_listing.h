#pragma once
// Text listing of an SPD image: every byte (or group of bytes) with its value and name.
// The document rebuilds it after each change of its image or names; nothing else reads it.
#include <QString>
#include <array>
#include <cstdint>

// Builds the listing for an image of memory type Mem_Type (0 SDRAM, 1 DDR, 2 DDR2,
// 3 RAMBUS, 4 DDR3), its bytes Spd_Value and its byte names Byte_Desc.
//
// Layout (every line ends with CR LF):
//   - a header: an empty line, "  Count   Value Byte list", an empty line;
//   - for SDRAM, DDR and DDR2, bytes 0-127: a line per single byte
//       "  Byte " <n> <pad to 3> " " <HH> "   " <name of n>
//     and for each group a header line
//       "  Byte " <first> " - " <last> <pad first to 3> " " <name of first>
//     followed by a value line: 16 blanks (17 for groups starting at 99 or 115),
//     then "HH " per byte of the group;
//   - for every memory type (RAMBUS, DDR3 and unknown codes included) bytes 128-255 as
//     eight groups of 16, each header carrying the name of byte 128 and each value line
//     indented by 17 blanks.
// Values are two upper-case hexadecimal digits. Any Mem_Type is accepted; a code other
// than 0, 1 or 2 yields only the header and the groups from byte 128 on.
QString Build_Byte_Listing(int16_t Mem_Type, const std::array<uint8_t, 256>& Spd_Value,
                           const std::array<QString, 256>& Byte_Desc);
