// Disk side of the SPD file formats: whole-file reads and safe writes.
#include "spd_files/spd_file_formats.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace {

SPD_File_Result failure(const QString& path, SPD_File_Status status, const QString& systemError)
{
    SPD_File_Result result;
    result.status = status;
    result.path = path;
    result.system_error = systemError;
    return result;
}

// True when the name exists as something other than a regular file or a folder: a pipe,
// device or socket. Opening a pipe waits until another program opens its other end, and
// writing to one with no reader loses the bytes, so such names are refused before any open.
// (A folder fails to open by itself and keeps its own message.)
bool isSpecialFile(const QFileInfo& info)
{
    return info.exists() && !info.isFile() && !info.isDir();
}

// Opens the file and reads at most `limit` bytes of it. On failure, `error` holds the result.
bool readFile(const QString& path, qint64 limit, QByteArray& data, SPD_File_Result& error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        error = failure(path, SPD_File_Status::Is_A_Folder, QString());
        return false;
    }
    if (isSpecialFile(info)) {
        error = failure(path, SPD_File_Status::Not_A_File, QString());
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = failure(path, SPD_File_Status::Open_Failed, file.errorString());
        return false;
    }
    data = file.read(limit);
    if (file.error() != QFileDevice::NoError) {
        error = failure(path, SPD_File_Status::Read_Failed, file.errorString());
        return false;
    }
    return true;
}

SPD_File_Result parsed(const QString& path, SPD_File_Result result)
{
    result.path = path;
    return result;
}

// Writes `data` to an already opened device and closes it; false when any of it failed.
bool writeAll(QFileDevice& file, const QByteArray& data, QString& systemError)
{
    bool written = file.write(data) == data.size() && file.flush();
    if (!written) systemError = file.errorString();
    file.close();
    if (written && file.error() != QFileDevice::NoError) {
        written = false;
        systemError = file.errorString();
    }
    return written;
}

}  // namespace

SPD_File_Result SPD_Hex_File::Read(const QString& path)
{
    QByteArray data;
    SPD_File_Result error;
    if (!readFile(path, Read_Limit, data, error)) return error;
    // Only the first Read_Limit characters are read; the length says whether there was more.
    return parsed(path, Parse(data, QFileInfo(path).size()));
}

SPD_File_Result SPD_Bin_File::Read(const QString& path)
{
    QByteArray data;
    SPD_File_Result error;
    if (!readFile(path, File_Size, data, error)) return error;
    SPD_File_Result result = parsed(path, Parse(data));
    // Only the image is read; the length says whether the file held more than that.
    if (result.ok()) result.size = std::max<qint64>(result.size, QFileInfo(path).size());
    return result;
}

SPD_File_Result SPD_Hex_File::Write(const QString& path, const SPD_Image& image)
{
    const QByteArray text = Format(image);
    const QFileInfo target(path);  // follows a symbolic link to what it names

    if (target.isDir()) return failure(path, SPD_File_Status::Is_A_Folder, QString());

    if (isSpecialFile(target)) return failure(path, SPD_File_Status::Not_A_File, QString());

    // The text goes to a temporary file in the same folder, which replaces the old file
    // only once it is complete. A folder that takes no new file still lets a writable file
    // in it be saved: then the file is written in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (!target.isFile()) return failure(path, SPD_File_Status::Create_Failed, file.errorString());
        QFile inPlace(path);
        if (!inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return failure(path, SPD_File_Status::Create_Failed, inPlace.errorString());
        QString systemError;
        if (!writeAll(inPlace, text, systemError))
            return failure(path, SPD_File_Status::Write_Failed, systemError);
        return parsed(path, SPD_File_Result());
    }
    // commit() of this Qt version does not see an error that only shows when its buffer
    // is flushed (a full disk), so flush first and look at the outcome here.
    if (file.write(text) != text.size() || !file.flush()) {
        const QString systemError = file.errorString();
        file.cancelWriting();
        file.commit();
        return failure(path, SPD_File_Status::Write_Failed, systemError);
    }
    if (!file.commit())
        return failure(path, SPD_File_Status::Write_Failed, file.errorString());
    return parsed(path, SPD_File_Result());
}

SPD_File_Result SPD_Bin_File::Write(const QString& path, const SPD_Image& image)
{
    const QFileInfo target(path);
    if (target.isDir()) return failure(path, SPD_File_Status::Is_A_Folder, QString());
    if (isSpecialFile(target)) return failure(path, SPD_File_Status::Not_A_File, QString());
    const bool existed = target.exists();
    // Read-write access neither creates a new file empty nor shortens an existing one.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return failure(path, SPD_File_Status::Create_Failed, file.errorString());
    QString systemError;
    if (!writeAll(file, Format(image), systemError)) {
        if (!existed) QFile::remove(path);
        return failure(path, SPD_File_Status::Write_Failed, systemError);
    }
    return parsed(path, SPD_File_Result());
}

SPD_File_Result Read_SPD_File(const QString& path)
{
    return Is_SPD_Hex_File_Name(path) ? SPD_Hex_File::Read(path) : SPD_Bin_File::Read(path);
}

SPD_File_Result Write_SPD_File(const QString& path, const SPD_Image& image)
{
    return Is_SPD_Hex_File_Name(path) ? SPD_Hex_File::Write(path, image)
                                      : SPD_Bin_File::Write(path, image);
}
