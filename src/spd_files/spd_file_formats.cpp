// In-memory side of the SPD file formats: name rule, text layout, parsing, error texts.
#include "spd_files/spd_file_formats.h"

#include "spd_document/spd_record.h"

#include <algorithm>

SPD_File_Kind SPD_File_Kind_Of(const QString& fileName)
{
    return fileName.right(3).toUpper() == QLatin1String("SPD") ? SPD_File_Kind::Hex
                                                               : SPD_File_Kind::Bin;
}

bool Is_SPD_Hex_File_Name(const QString& fileName)
{
    return SPD_File_Kind_Of(fileName) == SPD_File_Kind::Hex;
}

int Type_Key_Optcrc(uint8_t byte2)
{
    return (byte2 == 0x09 || byte2 == 0x0B) ? 1 : 0;
}

// ---------------------------------------------------------------------------------------
// Error texts

QString SPD_File_Error_Message(const QString& reason, const QString& path)
{
    return QStringLiteral("      *****   ") + reason + QStringLiteral("   *****      \n\n") + path;
}

QString SPD_File_Error_Reason(const SPD_File_Result& result)
{
    switch (result.status) {
    case SPD_File_Status::Ok:
        return QString();
    case SPD_File_Status::Open_Failed:
        return QStringLiteral("無法開啟檔案 !");
    case SPD_File_Status::Read_Failed:
        return QStringLiteral("無法讀取檔案 !");
    case SPD_File_Status::Too_Few_Lines:
        return QStringLiteral("檔案格式錯誤: 只有 %1 行, 應有 16 行 !").arg(result.line);
    case SPD_File_Status::Line_Too_Short:
        return QStringLiteral("檔案格式錯誤: 第 %1 行不足 16 個位元組 !").arg(result.line);
    case SPD_File_Status::Line_Not_Hex:
        return QStringLiteral("檔案格式錯誤: 第 %1 行有不是十六進位數字的字元 !").arg(result.line);
    case SPD_File_Status::Bin_Too_Short:
        return QStringLiteral("檔案長度不足: 只有 %1 位元組, 應有 256 位元組 !").arg(result.size);
    case SPD_File_Status::Create_Failed:
        return QStringLiteral("無法寫入檔案 !");
    case SPD_File_Status::Write_Failed:
        return QStringLiteral("存檔失敗 !");
    case SPD_File_Status::Not_A_File:
        return QStringLiteral("不是一般檔案 (管道或裝置), 無法讀寫 !");
    case SPD_File_Status::Line_Too_Long:
        return QStringLiteral("檔案格式錯誤: 第 %1 行超過 16 個位元組 !").arg(result.line);
    case SPD_File_Status::Is_A_Folder:
        return QStringLiteral("這是資料夾, 不是檔案 !");
    }
    return QString();
}

QString SPD_File_Result::message() const
{
    if (ok()) return QString();
    return SPD_File_Error_Message(SPD_File_Error_Reason(*this), path);
}

QString SPD_File_Result::notice() const
{
    if (!ok()) return QString();
    if (unread > 0)
        return SPD_File_Error_Message(
            QStringLiteral("檔案超過 16 行: 只載入前 16 行, 其後 %1 字元未載入 (檔案本身未變更) !").arg(unread),
            path);
    if (size <= SPD_Bin_File::File_Size) return QString();
    return SPD_File_Error_Message(
        QStringLiteral("檔案長度 %1 位元組: 只載入前 256 位元組, 其後 %2 位元組未載入 (檔案本身未變更) !")
            .arg(size).arg(size - SPD_Bin_File::File_Size),
        path);
}

// ---------------------------------------------------------------------------------------
// .spd text

namespace {
constexpr int Field_Width = 3;
constexpr int Fields_Per_Line = 16;

// Characters [from, from + count) of the line, clipped to it, with blanks trimmed from both ends.
QByteArray field(const char* line, qsizetype length, qsizetype from, qsizetype count)
{
    qsizetype begin = from;
    qsizetype end = std::min(from + count, length);
    while (begin < end && line[begin] == ' ') ++begin;
    while (end > begin && line[end - 1] == ' ') --end;
    return begin < end ? QByteArray(line + begin, end - begin) : QByteArray();
}

bool isHexOrBlank(char c)
{
    return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
}  // namespace

QByteArray SPD_Hex_File::Format(const SPD_Image& image)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(File_Size);
    for (int r = 0; r < Line_Count; ++r) {
        text += ' ';
        for (int c = 0; c < Fields_Per_Line; ++c) {
            const uint8_t b = image[static_cast<size_t>(r * Fields_Per_Line + c)];
            text += digits[b >> 4];
            text += digits[b & 0x0F];
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

SPD_File_Result SPD_Hex_File::Parse(const QByteArray& data, qint64 fileSize)
{
    SPD_File_Result result;
    SPD_Image image{};
    const char* p = data.constData();
    const qsizetype n = data.size();
    qsizetype pos = 0;
    // A byte-order mark, as some editors put before UTF-8 text, is not part of the first line.
    if (n >= 3 && p[0] == '\xEF' && p[1] == '\xBB' && p[2] == '\xBF') pos = 3;
    int lines = 0;
    while (lines < Line_Count && pos < n) {
        qsizetype end = pos;
        while (end < n && p[end] != '\r' && p[end] != '\n') ++end;
        const char* line = p + pos;
        const qsizetype length = end - pos;
        const qsizetype fieldChars = std::min<qsizetype>(length, qsizetype(Fields_Per_Line) * Field_Width);
        if (!std::all_of(line, line + fieldChars, isHexOrBlank)) {
            result.status = SPD_File_Status::Line_Not_Hex;
            result.line = lines + 1;
            return result;
        }
        if (!std::all_of(line + fieldChars, line + length, [](char c) { return c == ' '; })) {
            result.status = SPD_File_Status::Line_Too_Long;
            result.line = lines + 1;
            return result;
        }
        for (int j = 0; j < Fields_Per_Line; ++j) {
            const QByteArray text = field(line, length, qsizetype(j) * Field_Width, Field_Width);
            if (text.size() < 2) {
                result.status = SPD_File_Status::Line_Too_Short;
                result.line = lines + 1;
                return result;
            }
            image[static_cast<size_t>(lines * Fields_Per_Line + j)] =
                Hex_To_Byte(QString::fromLatin1(text));
        }
        ++lines;
        // One line end: CR LF, or a lone CR or LF.
        if (end < n && p[end] == '\r') {
            ++end;
            if (end < n && p[end] == '\n') ++end;
        } else if (end < n) {
            ++end;
        }
        pos = end;
    }
    if (lines < Line_Count) {
        result.status = SPD_File_Status::Too_Few_Lines;
        result.line = lines;
        return result;
    }
    result.image = image;
    // What follows the 16th line is not loaded; blank lines there are nothing to mention.
    const qint64 total = std::max<qint64>(fileSize, n);
    const bool more = total > n || !std::all_of(p + pos, p + n, [](char c) {
        return c == ' ' || c == '\r' || c == '\n';
    });
    if (more) result.unread = total - pos;
    return result;
}

// ---------------------------------------------------------------------------------------
// Binary

QByteArray SPD_Bin_File::Format(const SPD_Image& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), File_Size);
}

SPD_File_Result SPD_Bin_File::Parse(const QByteArray& data)
{
    SPD_File_Result result;
    if (data.size() < File_Size) {
        result.status = SPD_File_Status::Bin_Too_Short;
        result.size = data.size();
        return result;
    }
    for (int k = 0; k < File_Size; ++k) result.image[static_cast<size_t>(k)] = static_cast<uint8_t>(data[k]);
    result.size = data.size();
    return result;
}
