#pragma once
// The DDR3 image (JEDEC DDR3 layout, CRC over bytes 0-116 declared in byte 0) from the
// wizard record, with its CRC in bytes 126 and 127.
#include "wizard/encode_common.h"

namespace wizard {

// Byte 4: the density code for DRAM size position `size` ("8 Mb".."256 Mb") and data width
// position `width` (x4, x8, x16), with the bank bits at 0 (eight banks). nullopt when the
// pair has no code or `banks` is neither 4 nor 8.
std::optional<uint8_t> Ddr3_Density_Byte(int size, int width, int banks);

// Byte 5: row bits 12-16 and column bits 9-12 as (rows - 12) x 8 + (columns - 9); a field
// outside its range adds nothing.
uint8_t Ddr3_Addressing_Byte(int rows, int columns);

// Byte 7: device width code (x4 0, x8 1, x16 2) and 8 for a second rank.
uint8_t Ddr3_Organization_Byte(int width, int sides);

// Byte 8: 64-bit bus, with the 8-bit ECC extension unless ECC is 1 (without).
uint8_t Ddr3_Bus_Width_Byte(int ecc);

// The ID text as the encoder uses it: an empty text becomes two blanks.
QString Ddr3_Id_Text(const QString& text);

// Count byte of an ID text of n characters (n rounded up to even): every pair before the
// last is taken as a continuation code, so the count is n/2 - 1 (at most 127), with bit 7
// set where that makes the number of one-bits odd ("7F7F9E": 0x02, "7F7F7F9E": 0x83).
uint8_t Ddr3_Jedec_Count_Byte(int n);

// Bytes 117 and 148 (count), then 118 and 149 (the code from the last pair). A text in the
// two-byte form (Jedec_Id_Bank_Byte) gives its bank byte as the count.
Byte_Writes Ddr3_Jedec_Id_Writes(const QString& idText);

// Every byte write of the image in order, before the decode: fixed bytes, zeroed ranges,
// geometry, speed-grade rows, CAS latencies, manufacturer ID, part number (128 on) and
// the CRC (126, 127).
Byte_Writes Ddr3_Image_Writes(const Warez_Params& param, const QString& idText, const QString& partNumber);

} // namespace wizard
