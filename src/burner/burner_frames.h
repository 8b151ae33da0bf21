#pragma once
// What travels on the burner's serial line, in both directions.
//
// The line carries plain text. The PC sends one-letter commands closed by the byte 0x7F
// and downloads an image as sixteen program frames; the burner answers with hexadecimal
// text: an image, a status frame (long or short layout) or, after a gang copy, a result
// frame in the long layout. There is no length field and no checksum: the PC reads fields
// at fixed character positions (counted from 1 in the comments below; byte n of a hex
// frame is its characters 2n+1 and 2n+2). One byte on the line is one character
// (Latin-1), so a reply's length in characters is its length in bytes.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The byte that closes every command and program frame.
constexpr char Burner_Terminator = '\x7F';

// Command letters, named after the main-window operations that send them.
namespace Burner_Letter {
constexpr char BlankIC = 'L';          // blank check: the burner returns its image
constexpr char Program = 'w';          // first character of every program frame
constexpr char ReadModule = 'k';       // the module in the socket, as image text
constexpr char ReadIC = 'l';           // the burner's own image buffer, as image text
constexpr char Status = 's';           // status request
constexpr char EraseIC = 'e';          // clear the burner's buffer
constexpr char AutoOn = 'a';           // automatic serial numbers on
constexpr char AutoOff = 'z';          // automatic serial numbers off
constexpr char Read_Command = 'r';     // the burner reads the module into its buffer
constexpr char EN_KEY = 'y';           // keypad keys enabled: clearing the panel's lock box
constexpr char DIS_KEY = 'Y';          // keypad keys disabled: ticking the panel's lock box
constexpr char SNUM_P = 'n';           // serial numbers run low to high
constexpr char SNUM_N = 'N';           // serial numbers run high to low
constexpr char Mcopy = 'm';            // gang copy and compare; results come later
constexpr char Copy = 'c';             // copy the buffer to the module
constexpr char Verify = 'v';           // compare the buffer with the module
}

// A command: the letter followed by 0x7F (2 characters).
QByteArray Burner_Command(char letter);

// ---------------------------------------------------------------------------------------
// Program frames (PC to burner): 36 characters, sent for k = 0..15 in that order.
//   1 "w", 2 "X", 3 the character 48 + k ("0".."9", then ":" ";" "<" "=" ">" "?"),
//   4-35 bytes 16k..16k+15 as upper-case two-digit hex, 36 the byte 0x7F.
constexpr int Program_Frame_Count = 16;
constexpr int Program_Frame_Length = 36;

// The frame for block k from its 16 bytes; an empty array for k outside 0..15.
QByteArray Program_Frame(int k, const std::array<uint8_t, 16>& bytes);
// The frame for block k of a whole image (bytes 16k..16k+15).
QByteArray Program_Frame(int k, const std::array<uint8_t, 256>& image);

// A program frame as the burner reads it.
struct Program_Frame_Content {
    int k = 0;                            // block 0..15
    std::array<uint8_t, 16> bytes{};      // bytes 16k..16k+15
};
// The block and bytes of a well-formed frame (exactly 36 characters, "wX", a block
// character "0".."?", 32 hex digits of either case, 0x7F); nullopt for anything else.
std::optional<Program_Frame_Content> Parse_Program_Frame(const QByteArray& frame);

// ---------------------------------------------------------------------------------------
// Image text (burner to PC, the reply to "L", "k" and "l"): 512 characters; byte i is
// characters 2i+1 (high digit) and 2i+2 (low digit).
constexpr int Image_Hex_Text_Length = 512;

// The 512 upper-case hex characters of an image.
QByteArray Image_Hex_Text(const std::array<uint8_t, 256>& image);

// The 256 bytes of a reply. Each character is read on its own (either case) and the byte
// is 16 times the first plus the second. Characters after the 512th are ignored (a
// burner may close its reply with a terminator). A reply shorter than 512 characters, or
// one with a character among its first 512 that is not a hex digit (noise on the line, or
// a stray byte before the reply that shifts every digit), gives nullopt, so a caller
// never stores a damaged or partial image.
std::optional<std::array<uint8_t, 256>> Parse_Image_Hex_Text(const QByteArray& reply);
// Characters 2i+1 and 2i+2 of a reply as byte i; nullopt when the reply ends before them
// or either is not a hex digit.
std::optional<uint8_t> Image_Hex_Byte(const QByteArray& reply, int i);

// ---------------------------------------------------------------------------------------
// The long status layout (burner to PC): the status reply that the 400 ms reader takes
// and the result frame that the 500 ms poll takes after a gang copy. 92 characters:
//   1-2 socket results   bit k set: socket k+1 failed
//   3-4 automatic serial numbers, "FF" on
//   5-8 the signature "55AA", exact and upper case
//   9-12 reserved
//   13-20 current serial number
//   21-84 serial numbers of sockets 1..8, 8 characters each
//   85-86 gang mode, 87-88 keypad ("FF" unlocked), 89-90 firmware version,
//   91-92 serial-number direction ("FF" low to high)
// The flags are compared after upper-casing. A frame shorter than 92 characters with its
// signature in place is accepted; the fields past its end are cut short or empty.
constexpr int Burner_Status_Frame_Length = 92;
constexpr char Burner_Signature[] = "55AA";

struct Burner_Status_Frame {
    uint8_t socketResults = 0;            // characters 1-2
    QString autoSerialCode;               // characters 3-4, upper-cased
    QString currentSerial;                // characters 13-20, as they stand
    std::array<QString, 8> socketSerial;  // sockets 1..8, as they stand
    QString gangCode;                     // characters 85-86, upper-cased
    QString keypadCode;                   // characters 87-88, upper-cased
    QString version;                      // characters 89-90, upper-cased
    QString directionCode;                // characters 91-92, upper-cased

    bool autoSerialOn() const { return autoSerialCode == QLatin1String("FF"); }
    bool keypadUnlocked() const { return keypadCode == QLatin1String("FF"); }
    bool lowToHigh() const { return directionCode == QLatin1String("FF"); }
    // Socket 1..8 failed in a gang run (false for a socket number outside 1..8).
    bool socketFailed(int socket) const;
    // The serial number shown under a socket: "00000000" for a failed socket.
    QString socketSerialShown(int socket) const;
    // "Ver:" followed by the version.
    QString versionCaption() const { return QStringLiteral("Ver:") + version; }
};

// True when `text` can be the start of a long status or result frame: as far as it goes,
// its characters 5-8 are the signature "55AA".
bool Could_Begin_Status_Frame(const QByteArray& text);

// The frame's fields when characters 5-8 are exactly "55AA"; nullopt otherwise (a reply
// without the signature is no status or result frame, whatever else it holds).
std::optional<Burner_Status_Frame> Parse_Burner_Status_Frame(const QByteArray& reply);

// ---------------------------------------------------------------------------------------
// The short status layout (burner to PC, a reply to "s"): 10 hex characters, compared
// exactly as they stand (no case folding):
//   1-2 not read, 3-4 automatic serial numbers ("00" off), 5-6 gang mode,
//   7-8 keypad ("00" unlocked), 9-10 serial-number direction ("00" low to high).
constexpr int Burner_Short_Status_Length = 10;

struct Burner_Short_Status {
    QString autoSerialCode;               // characters 3-4
    QString gangCode;                     // characters 5-6
    QString keypadCode;                   // characters 7-8
    QString directionCode;                // characters 9-10

    bool autoSerialOn() const { return autoSerialCode != QLatin1String("00"); }
    bool keypadLocked() const { return keypadCode != QLatin1String("00"); }
    bool lowToHigh() const { return directionCode == QLatin1String("00"); }
};

// The fields of a reply in the short layout: characters 3-10 are hex digits and the hex
// text ends there (an 11th character, such as a terminator, is no hex digit). Anything
// else gives nullopt: a silent burner must not read as "everything on", and a long
// frame, a reply shifted by a stray byte or a garbled one must not be read by this
// layout.
std::optional<Burner_Short_Status> Parse_Burner_Short_Status(const QByteArray& reply);

// The settings the read-burner command copies to the panel from its status reply.
struct Burner_Panel_Settings {
    bool autoSerialOn = false;
    QString gangCode;
    bool keypadLocked = false;
    QString directionCode;   // shown on the panel
    bool lowToHigh = true;
};

// The settings of a long status frame as the panel shows them.
Burner_Panel_Settings Panel_Settings(const Burner_Status_Frame& f);

// A reply to "s" read by its form: a long frame ("55AA" at characters 5-8) by the long
// layout (flags upper-cased, "FF" for automatic serial numbers on, keypad unlocked and
// low to high), a short status by the short layout; nullopt for anything else.
std::optional<Burner_Panel_Settings> Parse_Status_Reply(const QByteArray& reply);

// ---------------------------------------------------------------------------------------
// The caption the gang-copy button takes for a gang-mode code: "01", "02", "04", "08".
// Any other code gives a null QString: the caption stays as it is.
QString Gang_Mode_Caption(const QString& code);
