#pragma once
// The SPD image record and the byte-level helpers every part of the program shares.
#include <QString>
#include <array>
#include <cstdint>

struct SPD_Record {
    int16_t Mem_Type = 0;                      // 0 SDRAM, 1 DDR, 2 DDR2, 3 RAMBUS, 4 DDR3
    std::array<uint8_t, 256> Spd_Value{};      // byte k = EEPROM address k
};

// Memory-type codes held in SPD_Record::Mem_Type.
enum MemTypeCode : int16_t { MT_SDRAM = 0, MT_DDR = 1, MT_DDR2 = 2, MT_RAMBUS = 3, MT_DDR3 = 4 };

// A byte as two upper-case hexadecimal digits ("00", "0A", "FF").
QString Hex_Byte_Text(uint8_t b);

// Two hex characters to a byte: the first character (when there is more than one) is the
// high digit, the last the low digit; characters between are not read. A character read
// that is not a hex digit makes the result 0. An empty text gives 0.
uint8_t Hex_To_Byte(const QString& s);

// 8-bit sum of bytes 0..n (n < 0 gives 0).
int cal_bytesum(const SPD_Record& record, int n);

// JEDEC SPD CRC-16 (poly 0x1021, init 0, MSB first) over bytes 0..n.
double cal_crc16(const SPD_Record& record, int n);
uint16_t crc16_spd(const SPD_Record& record, int n);

// Byte 63 := sum of bytes 0-62.
void checksum_upkeep(SPD_Record& record);
// Bytes 126-127 := CRC over 0-116 (bit 7 of byte 0 set) or 0-125; low byte first.
void crc_upkeep(SPD_Record& record);
// Last byte the CRC covers for this image: 116 or 125.
int crc_coverage_end(const SPD_Record& record);

// Which check value an image keeps is decided by byte 2 alone: DDR3 (byte 2 of 9 or more)
// keeps the CRC-16 in bytes 126-127, SDRAM, DDR and DDR2 keep the checksum in byte 63. On
// each type the other value's bytes are module data (the DDR3 address mapping in 63, the
// SDRAM frequency or the maker's data in 126-127) and are never rewritten.
bool Is_Crc_Layout(uint8_t byte2);
inline bool Is_Crc_Layout(const SPD_Record& record) { return Is_Crc_Layout(record.Spd_Value[2]); }

enum class Check_Value_Kind { None, Checksum, Crc };

// What keeping the check value did, so that an undo can give the replaced bytes back.
struct Check_Value_Undo {
    bool crc = false;                   // the layout at the time
    std::array<uint8_t, 3> before{};    // bytes 63, 126 and 127 before
    std::array<uint8_t, 3> after{};     // and after
};

// Recomputes the image's own check value after a change, unless `keep` is false (the user
// chose "None"). Returns what was written. With `undo`, also notes what it replaced.
Check_Value_Kind Keep_Check_Value(SPD_Record& record, bool keep, Check_Value_Undo* undo = nullptr);

// Gives back the check-value bytes that Keep_Check_Value replaced, once the change it
// followed has been undone. When the image has been changed in between (its check-value
// bytes or its layout no longer what Keep_Check_Value left), the old bytes would be wrong
// for it: its own check value is then kept as Keep_Check_Value does. Returns what was written.
Check_Value_Kind Undo_Check_Value(SPD_Record& record, const Check_Value_Undo& undo, bool keep);

// Type_Key_Map: memory-type code that byte 2 selects after a load, or -1 to leave it.
int Type_Key_Map(uint8_t byte2);
