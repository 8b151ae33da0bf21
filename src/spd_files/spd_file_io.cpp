// Disk side of the SPD file formats: whole-file reads and safe writes.
#include "spd_files/spd_file_formats.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

SPD_File_Result failure(const QString& path, SPD_File_Status status, const QString& systemError)
{
    SPD_File_Result result;
    result.status = status;
    result.path = path;
    result.system_error = systemError;
    return result;
}

// Opens the file and reads at most `limit` bytes of it. On failure, `error` holds the result.
bool readFile(const QString& path, qint64 limit, QByteArray& data, SPD_File_Result& error)
{
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
    return parsed(path, Parse(data));
}

SPD_File_Result SPD_Bin_File::Read(const QString& path)
{
    QByteArray data;
    SPD_File_Result error;
    if (!readFile(path, File_Size, data, error)) return error;
    return parsed(path, Parse(data));
}

SPD_File_Result SPD_Hex_File::Write(const QString& path, const SPD_Image& image)
{
    const QByteArray text = Format(image);
    const QFileInfo target(path);  // follows a symbolic link to what it names

    if (target.exists() && target.isDir())
        return failure(path, SPD_File_Status::Create_Failed, QStringLiteral("Is a directory"));

    if (target.exists() && !target.isFile()) {
        // A device or pipe cannot be replaced by a rename; write to it as it is.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return failure(path, SPD_File_Status::Create_Failed, file.errorString());
        QString systemError;
        if (!writeAll(file, text, systemError))
            return failure(path, SPD_File_Status::Write_Failed, systemError);
        return parsed(path, SPD_File_Result());
    }

    // The text goes to a temporary file in the same folder, which replaces the old file
    // only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, SPD_File_Status::Create_Failed, file.errorString());
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
    const bool existed = QFileInfo::exists(path);
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
