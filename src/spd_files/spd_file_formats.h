#pragma once
// The two SPD file formats: SPD_Hex_File (.spd text) and SPD_Bin_File (256 raw bytes).
//
// Readers take the whole file in and check it before handing out a single byte: a result is
// either the complete 256-byte image or an error with a message ready for the critical box
// (title SPD_File_Error_Title). Writers never report success for a file they did not write.
//
// The file commands sit on top of this:
//   load:  SPD_File_Result r = Read_SPD_File(path);
//          if (!r.ok()) show r.message() titled SPD_File_Error_Title, critical icon;
//          else for k in 0..255: Value_Chang(k, r.image[k]); table_chang(k);
//          then Optcrc(Type_Key_Optcrc(byte 2)) and, when Type_Key_Map(byte 2) >= 0, Type_Chang.
//   save:  collect Get_Value(k) for k in 0..255 into an SPD_Image;
//          SPD_File_Result r = Write_SPD_File(path, image);
//          on success Set_form_chang(false), else show r.message() and keep the modified flag.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

using SPD_Image = std::array<uint8_t, 256>;

enum class SPD_File_Kind { Hex, Bin };

// A name whose last three characters are "SPD" in any case is a .spd text file
// ("a.spd", "a.Spd", "myspd"); every other name is binary ("a.bin", "a.txt", "a").
// Only the name counts, never the filter chosen in the file dialog.
SPD_File_Kind SPD_File_Kind_Of(const QString& fileName);
bool Is_SPD_Hex_File_Name(const QString& fileName);

enum class SPD_File_Status {
    Ok,
    Open_Failed,      // reading: the file cannot be opened (missing, no access, a folder)
    Read_Failed,      // reading: an I/O error while reading
    Too_Few_Lines,    // .spd: fewer than 16 lines (count in `line`)
    Line_Too_Short,   // .spd: line `line` (from 1) does not hold 16 two-character fields
    Line_Not_Hex,     // .spd: line `line` has a character other than a hex digit or a blank
                      //       where its 16 fields stand
    Line_Too_Long,    // .spd: line `line` holds more than its 16 fields (anything but blanks
                      //       after them), which would otherwise be dropped unseen
    Bin_Too_Short,    // binary: fewer than 256 bytes (count in `size`)
    Create_Failed,    // writing: the file cannot be created or opened for writing
    Write_Failed,     // writing: the bytes could not all be written (full disk, I/O error)
    Not_A_File,       // reading or writing: the name is a pipe, device or socket, which is
                      // never opened (a pipe would hold the program until another one uses it)
    Is_A_Folder,      // reading or writing: the name is a folder
};

struct SPD_File_Result {
    SPD_File_Status status = SPD_File_Status::Ok;
    QString path;           // the file concerned ("" for in-memory parsing)
    int line = 0;           // Too_Few_Lines: lines found; Line_Too_Short: the short line
    qint64 size = 0;        // binary reads: the file's length in bytes
    qint64 unread = 0;      // .spd reads: characters after the 16th line, none of them loaded
                            // (0 when they are only blanks and line ends)
    QString system_error;   // the operating system's words, for diagnostics only
    SPD_Image image{};      // reads: the 256 bytes (all zero unless ok())

    bool ok() const { return status == SPD_File_Status::Ok; }
    // The text of the critical message box: the reason framed by asterisks, then the path.
    QString message() const;
    // For a binary file longer than an image, which loads its first 256 bytes only, or a
    // .spd text with more than blank lines after its 16th: the text that tells the user so
    // (how much was left out, and that the file is unchanged). Empty for every other result.
    QString notice() const;
};

// Texts of the file error messages, kept together.
inline const QString SPD_File_Error_Title = QStringLiteral("錯誤");
QString SPD_File_Error_Reason(const SPD_File_Result& result);
QString SPD_File_Error_Message(const QString& reason, const QString& path);

namespace SPD_Hex_File {
constexpr int Line_Count = 16;
constexpr int Line_Length = 49;                       // without CR LF
constexpr int File_Size = Line_Count * (Line_Length + 2);   // 816
// Largest amount of a .spd file the reader looks at; real files are 816 bytes, and this
// keeps a name that points at an endless device from eating memory.
constexpr qint64 Read_Limit = 1 << 20;

// 16 lines " XX XX ... XX " (a blank, then each byte as two upper-case digits and a blank),
// each ended by CR LF.
QByteArray Format(const SPD_Image& image);

// Line r holds bytes 16r..16r+15; field j is characters 3j+1..3j+3 of the line (from 1),
// blanks trimmed from both ends, read with Hex_To_Byte. Lines end with CR LF, CR or LF;
// lines after the 16th and characters after the 48th are not read. A field that keeps
// fewer than two characters after trimming makes its line too short; a character other
// than a hex digit or a blank in the first 48 makes it malformed (tabs for blanks would
// otherwise read as wrong bytes), and so does anything but blanks after them (a 17th byte
// would be lost). A UTF-8 byte-order mark before the first line is skipped.
// Whatever follows the 16th line, unless only blanks and line ends, is counted in `unread`
// for the notice. `fileSize`, when larger than `data`, is the length of the file that
// `data` begins: the part never read is not loaded either.
SPD_File_Result Parse(const QByteArray& data, qint64 fileSize = -1);

SPD_File_Result Read(const QString& path);
// Written to a temporary file beside the target and renamed over it, so a failed save
// leaves the old file as it was. Where no file can be made in the folder but the file
// itself is writable, it is written in place instead (still flushed and checked).
SPD_File_Result Write(const QString& path, const SPD_Image& image);
}  // namespace SPD_Hex_File

namespace SPD_Bin_File {
constexpr int File_Size = 256;

QByteArray Format(const SPD_Image& image);
// Bytes at offsets 0-255; anything after them is not loaded (see SPD_File_Result::notice).
SPD_File_Result Parse(const QByteArray& data);

SPD_File_Result Read(const QString& path);
// Byte k at offset k, in place: an existing longer file keeps its bytes from offset 256 on.
// A file this call created is removed again when the write fails.
SPD_File_Result Write(const QString& path, const SPD_Image& image);
}  // namespace SPD_Bin_File

// Read or write in the format the name selects. Only a regular file is read; only a
// regular file or a name not yet taken is written.
SPD_File_Result Read_SPD_File(const QString& path);
SPD_File_Result Write_SPD_File(const QString& path, const SPD_Image& image);

// The check-value option a load selects from byte 2: 1 "CRC (0-125)" for 0x09 and 0x0B,
// 0 "Checksum" for every other value. (The memory type comes from Type_Key_Map.)
int Type_Key_Optcrc(uint8_t byte2);
