#pragma once
// Building blocks shared by the two wizard encoders. The image bytes are first composed as
// an ordered list of writes without touching a document, so every step can be checked on
// its own; the encoders then play the lists into the active document one byte at a time.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace wizard {

// The wizard record's sixteen integers (Warez_Param), by value or by reference.
using Warez_Params = std::array<int16_t, 16>;

// One Value_Chang call: byte number and value.
struct Byte_Write {
    int16_t index;
    uint8_t value;
    bool operator==(const Byte_Write& other) const { return index == other.index && value == other.value; }
};
using Byte_Writes = std::vector<Byte_Write>;

// Appends one write; values outside 0-255 are held at the nearest end of the byte.
void Add_Write(Byte_Writes& writes, int index, long long value);
// Appends all writes of `more` in their order.
void Add_Writes(Byte_Writes& writes, const Byte_Writes& more);

// A value held within 0-255.
uint8_t Clamp_Byte(long long value);

// Worth of a hexadecimal digit: '0'-'9' 0-9, 'A'-'F' and 'a'-'f' 10-15; nullopt otherwise.
std::optional<int> Hex_Digit_Worth(QChar c);

// A manufacturer-ID pair as one byte: the first character is the high digit (0 when it is
// no hex digit); the second character adds its worth when it is a hex digit. A missing
// second character (the last pair of an odd-length text) adds nothing.
uint8_t Id_Pair_Byte(QChar high, std::optional<QChar> low);

// The bank byte of an ID text in the two-byte form that the DDR3 panel shows: four hex
// digits, the bank byte (continuation count with its odd-parity bit 7, never 7F) and then
// the ID ("80CE", "0198"). nullopt for any other text.
std::optional<uint8_t> Jedec_Id_Bank_Byte(const QString& idText);

// Whether the information page takes an ID text for a module of memory type `memType`
// (1 SDRAM .. 4 DDR3): it must name a JEP106 maker, in the two-byte form above or as "7F"
// continuation codes (either case) followed by the maker's code in one or two hex digits
// ("CE", "7F98", "7F7F9E"). A maker's code has odd parity and is neither 80 nor 7F, so an
// empty text, one that is not hex, "00", "FF", "C" (C0) and continuation codes alone are
// refused. SDRAM, DDR and DDR2 hold the codes in bytes 64-71: at most seven continuation
// codes before the maker's.
bool Jedec_Id_Text_Accepted(int memType, const QString& idText);

// What the information page says when it refuses an ID text for a module of memory type
// `memType`: the type and the forms its ID takes.
QString Jedec_Id_Text_Refused(int memType);

// Whether the information page takes a part number: printable ASCII (blank to '~') only.
bool Part_Number_Text_Accepted(const QString& text);

// What the information page says when it refuses a part number.
extern const QString kPartNumberTextRefused;

// The DRAM devices a record describes. Their page is the data width (WP_Data_Width: 0 x4,
// 1 x8, any other x16) times 2^columns (WP_Column_Bits): true for a page of 2 KB or more, the
// page that JEDEC gives longer activate-to-activate times. Their density in Mbit is
// 2^(rows + columns) x banks x width; 0 when the geometry is out of range.
bool Two_Kb_Page(const Warez_Params& param);
long long Device_Megabits(const Warez_Params& param);

// The module part number takes at most this many characters (bytes 73-90, DDR3 128-145).
constexpr int kPartNumberLength = 18;

// The part number's characters as bytes from `firstByte` on: its first 18 characters, each
// as its Latin-1 code (a character beyond Latin-1 is stored as '?'), then ASCII blanks
// (0x20) up to the 18th byte, as JEDEC pads the field.
Byte_Writes Part_Number_Writes(const QString& text, int firstByte);

// The CAS-latency mask of the tCL item at `position` of the memory type's list (1 SDRAM,
// 2 DDR, 3 DDR2, 4 DDR3): one bit for every latency the item names, at the JEDEC bit of
// that latency for the type (SDRAM: CL1 bit 0; DDR: CL1 bit 0 in half-clock steps;
// DDR2: CL2 bit 2; DDR3: CL4 bit 0 of byte 14). nullopt when the position has no item.
std::optional<uint8_t> Cas_Latency_Mask(int memType, int position);

} // namespace wizard
