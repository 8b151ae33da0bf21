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

// Type_Key_Map: memory-type code that byte 2 selects after a load, or -1 to leave it.
int Type_Key_Map(uint8_t byte2);
