#pragma once
// The SDRAM, DDR and DDR2 image (128 bytes declared written) from the wizard record. The
// image is written in three parts around the document's byte-63 checksum: bytes 0-62, then
// the checksum, then the manufacturer ID (64 on) and the part number (73 on).
#include "wizard/encode_common.h"

namespace wizard {

// The memory types this image serves (Warez_Param[WP_Mem_Type]): 1 SDRAM, 2 DDR, 3 DDR2.
bool Is_Ddr2_Image_Type(int memType);

// Byte 18: the CAS latencies of the tCL item at `position` of the type's list. A position
// without an item takes the type's default: "2T 3T" (SDRAM), "2T 2.5T 3T" (DDR) or
// "3T 4T 5T" (DDR2).
uint8_t Ddr2_Cas_Latency_Byte(int memType, int position);

// Bytes 0-62 in write order: header and geometry, the speed-grade rows, then width,
// refresh, burst, latency, density and revision bytes.
Byte_Writes Ddr2_Head_Writes(const Warez_Params& param);

// The field 64-71 holds eight ID bytes, so the ID text is cut to 16 characters.
constexpr int kDdr2IdTextLength = 16;

// The ID text as the encoder uses it: cut to 16 characters; an empty text becomes two blanks.
QString Ddr2_Id_Text(const QString& text);

// The ID bytes from byte 64 on, one per pair of characters, first pair first (an odd
// length leaves the last character as a high digit). A text in the DDR3 panel's two-byte
// form ("80CE", "0198") gives its bank byte's count of 7F codes and then the maker's code
// ("CE"; 7F, 98). Bytes after the last are not written.
Byte_Writes Ddr2_Jedec_Id_Writes(const QString& idText);

} // namespace wizard
