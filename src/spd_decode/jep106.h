#pragma once
// JEP106 manufacturer identification: the built-in table of manufacturer captions keyed by
// the JEP106 key text, the exact-key lookup, and the rules that turn a bank and code number
// into a key.
//
// A JEP106 key is "7F" repeated (bank - 1) times followed by the ID byte as two upper-case
// hex digits. The ID byte carries the code number (1..126) in its low seven bits and an
// odd-parity bit in bit 7, so that the whole byte always has an odd number of one bits.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

struct JedecRow {
    QString key;       // e.g. "01", "7F98", "7F7F7F7F7F7F9D"
    QString caption;   // e.g. "(AMD)"; never empty and never a single blank
};

// All 880 rows in table order (bank 1 to 7, code numbers rising). Built once on first use;
// the table never changes afterwards.
const std::vector<JedecRow>& JEDEC_Name_Table();

// The caption of the row whose key equals `key` exactly, or nothing. The comparison is the
// whole text, character by character: no trimming, no case folding, no parity repair and no
// stripping of continuation codes ("7f98", " 7F98" and "7F18" all find nothing).
std::optional<QString> JEDEC_Find(const QString& key);

// The manufacturer caption after a lookup of `key` on a label that currently shows
// `currentCaption`: the row's caption on a hit, `currentCaption` unchanged on a miss.
// The document's lookup operation sets its manufacturer label to this result and stores the
// same text in the global `jedec_name`, hit or miss.
QString JEDEC_Caption_After(const QString& currentCaption, const QString& key);

// The ID byte of a code number 1..126: the code number with bit 7 set exactly when the code
// number has an even number of one bits (1 -> 0x01, 3 -> 0x83, 126 -> 0xFE).
// Returns 0 (which no key uses) for a code number outside 1..126.
uint8_t JEP106_Id_Byte(int codeNumber);

// "7F" repeated `continuations` times followed by the hex byte text of `idByte`, as the
// decoders build it from the SPD bytes. A negative count is treated as 0 and a count above
// 127 as 127.
QString JEP106_Key_Text(int continuations, uint8_t idByte);

// The key of bank 1.. and code number 1..126 ("01" for bank 1 code 1, "7F98" for bank 2
// code 24). An empty text (which has no row) for a bank below 1 or a code number outside
// 1..126.
QString JEP106_Key(int bank, int codeNumber);
