// Arbitrary bytes into both SPD file readers (in memory, no disk per run). Besides the
// sanitizers' checks, a run stops on a broken promise of the readers:
//  - a rejected file hands out no byte and names a sensible line or size;
//  - an accepted .spd text formats to a text that reads back to the same image;
//  - binary input is accepted exactly when it holds 256 bytes, and gives its first 256,
//    with a notice when it holds more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "spd_files/spd_file_formats.h"

namespace {
void require(bool condition)
{
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const SPD_File_Result text = SPD_Hex_File::Parse(bytes);
    if (text.ok()) {
        const QByteArray again = SPD_Hex_File::Format(text.image);
        require(again.size() == SPD_Hex_File::File_Size);
        const SPD_File_Result back = SPD_Hex_File::Parse(again);
        require(back.ok() && back.image == text.image);
    } else {
        require(text.image == SPD_Image{});
        require(!text.message().isEmpty());
        if (text.status == SPD_File_Status::Too_Few_Lines)
            require(text.line >= 0 && text.line < SPD_Hex_File::Line_Count);
        else
            require((text.status == SPD_File_Status::Line_Too_Short ||
                     text.status == SPD_File_Status::Line_Not_Hex ||
                     text.status == SPD_File_Status::Line_Too_Long) &&
                    text.line >= 1 && text.line <= SPD_Hex_File::Line_Count);
    }

    const SPD_File_Result raw = SPD_Bin_File::Parse(bytes);
    require(raw.ok() == (size >= 256));
    if (raw.ok()) {
        require(std::memcmp(raw.image.data(), data, 256) == 0);
        require(SPD_Bin_File::Format(raw.image) == bytes.left(256));
        require(raw.notice().isEmpty() == (size == 256));
    } else {
        require(raw.status == SPD_File_Status::Bin_Too_Short && raw.size == static_cast<qint64>(size));
        require(raw.image == SPD_Image{});
    }

    (void)SPD_File_Kind_Of(QString::fromLatin1(bytes.left(64)));
    return 0;
}
