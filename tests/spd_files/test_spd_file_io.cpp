// Reading and writing SPD files on disk: exact bytes, in-place binary writes, real images
// and the failures a save or load can meet.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "spd_files/spd_file_formats.h"

namespace {

const QString kDataDir = QStringLiteral(MB_TESTDATA_DIR "/files");

SPD_Image mixedImage()
{
    SPD_Image image{};
    for (int k = 0; k < 256; ++k) image[static_cast<size_t>(k)] = static_cast<uint8_t>(k * 37 + 11);
    return image;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

void putFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(data), data.size());
}

bool isCharDevice(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISCHR(st.st_mode);
}

// Caps the size of any file this process writes, as a full disk would; SIGXFSZ is ignored
// so that the write fails with EFBIG instead of ending the test program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

class SpdFileIo : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(SpdFileIo, TextFileIs816BytesAndReadsBack)
{
    const SPD_Image image = mixedImage();
    const SPD_File_Result w = Write_SPD_File(path("module.spd"), image);
    ASSERT_TRUE(w.ok()) << w.message().toStdString();
    EXPECT_EQ(w.path, path("module.spd"));

    const QByteArray bytes = fileBytes(path("module.spd"));
    EXPECT_EQ(bytes.size(), 816);
    EXPECT_EQ(bytes, SPD_Hex_File::Format(image));
    EXPECT_EQ(entries(), QStringList{ "module.spd" }) << "no temporary file stays behind";

    const SPD_File_Result r = Read_SPD_File(path("module.spd"));
    ASSERT_TRUE(r.ok()) << r.message().toStdString();
    EXPECT_EQ(r.image, image);
    EXPECT_EQ(r.path, path("module.spd"));
}

TEST_F(SpdFileIo, TextFileReplacesALongerFileWhole)
{
    putFile(path("old.SPD"), QByteArray(2000, 'x'));
    ASSERT_TRUE(Write_SPD_File(path("old.SPD"), mixedImage()).ok());
    EXPECT_EQ(fileBytes(path("old.SPD")), SPD_Hex_File::Format(mixedImage()));
}

TEST_F(SpdFileIo, TextFileKeepsThePermissionsOfTheFileItReplaces)
{
    putFile(path("kept.spd"), "old");
    ASSERT_TRUE(QFile::setPermissions(path("kept.spd"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFile::Permissions before = QFileInfo(path("kept.spd")).permissions();
    ASSERT_TRUE(Write_SPD_File(path("kept.spd"), mixedImage()).ok());
    EXPECT_EQ(QFileInfo(path("kept.spd")).permissions(), before);
    EXPECT_FALSE(QFileInfo(path("kept.spd")).permissions() & QFile::ReadOther);
}

TEST_F(SpdFileIo, BinaryFileIs256BytesWhenNew)
{
    const SPD_Image image = mixedImage();
    ASSERT_TRUE(Write_SPD_File(path("module.bin"), image).ok());
    const QByteArray bytes = fileBytes(path("module.bin"));
    ASSERT_EQ(bytes.size(), 256);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(static_cast<uint8_t>(bytes[k]), image[static_cast<size_t>(k)]) << k;
}

TEST_F(SpdFileIo, BinaryWriteInPlaceKeepsBytesAfter256)
{
    QByteArray old(300, '\0');
    for (int i = 0; i < 300; ++i) old[i] = static_cast<char>(0xFF - i % 251);
    putFile(path("long.bin"), old);

    const SPD_Image image = mixedImage();
    ASSERT_TRUE(Write_SPD_File(path("long.bin"), image).ok());
    const QByteArray bytes = fileBytes(path("long.bin"));
    ASSERT_EQ(bytes.size(), 300);
    EXPECT_EQ(bytes.left(256), SPD_Bin_File::Format(image));
    EXPECT_EQ(bytes.mid(256), old.mid(256));

    // A shorter old file grows to 256 bytes.
    putFile(path("short.bin"), QByteArray(100, 'q'));
    ASSERT_TRUE(Write_SPD_File(path("short.bin"), image).ok());
    EXPECT_EQ(fileBytes(path("short.bin")), SPD_Bin_File::Format(image));
}

TEST_F(SpdFileIo, NameAloneChoosesTheFormat)
{
    const SPD_Image image = mixedImage();
    ASSERT_TRUE(Write_SPD_File(path("module"), image).ok());
    ASSERT_TRUE(Write_SPD_File(path("module.Spd"), image).ok());
    ASSERT_TRUE(Write_SPD_File(path("module.txt"), image).ok());
    EXPECT_EQ(fileBytes(path("module")), SPD_Bin_File::Format(image));
    EXPECT_EQ(fileBytes(path("module.Spd")), SPD_Hex_File::Format(image));
    EXPECT_EQ(fileBytes(path("module.txt")), SPD_Bin_File::Format(image));

    // A .spd text read as binary (by its name) is not what was saved, and the other way round.
    QFile::copy(path("module.Spd"), path("text-as.bin"));
    const SPD_File_Result r = Read_SPD_File(path("text-as.bin"));
    ASSERT_TRUE(r.ok());
    EXPECT_NE(r.image, image);
}

TEST_F(SpdFileIo, RealImagesRoundTripByteForByte)
{
    for (const char* name : { "ddr3-kingston-1333-1", "ddr2-kingston-ddr2-800-1", "sdram-nomfr-pc133-malta-1" }) {
        const QString spd = kDataDir + "/" + name + ".spd";
        const QString bin = kDataDir + "/" + name + ".bin";
        const SPD_File_Result text = Read_SPD_File(spd);
        const SPD_File_Result raw = Read_SPD_File(bin);
        ASSERT_TRUE(text.ok()) << name << ": " << text.message().toStdString();
        ASSERT_TRUE(raw.ok()) << name << ": " << raw.message().toStdString();
        EXPECT_EQ(text.image, raw.image) << name;

        EXPECT_EQ(SPD_Hex_File::Format(text.image), fileBytes(spd)) << name;
        EXPECT_EQ(SPD_Bin_File::Format(raw.image), fileBytes(bin)) << name;

        const QString outSpd = path(QString::fromLatin1(name) + ".spd");
        const QString outBin = path(QString::fromLatin1(name) + ".bin");
        ASSERT_TRUE(Write_SPD_File(outSpd, text.image).ok()) << name;
        ASSERT_TRUE(Write_SPD_File(outBin, raw.image).ok()) << name;
        EXPECT_EQ(fileBytes(outSpd), fileBytes(spd)) << name;
        EXPECT_EQ(fileBytes(outBin), fileBytes(bin)) << name;
    }
    // The memory types these images select after a load.
    EXPECT_EQ(Read_SPD_File(kDataDir + "/ddr3-kingston-1333-1.bin").image[2], 0x0B);
    EXPECT_EQ(Type_Key_Optcrc(Read_SPD_File(kDataDir + "/ddr3-kingston-1333-1.spd").image[2]), 1);
    EXPECT_EQ(Type_Key_Optcrc(Read_SPD_File(kDataDir + "/ddr2-kingston-ddr2-800-1.spd").image[2]), 0);
}

TEST_F(SpdFileIo, UnreadableFilesGiveAnErrorNamingThem)
{
    QByteArrayList lines = SPD_Hex_File::Format(mixedImage()).split('\n');
    putFile(path("fifteen.spd"), lines.mid(0, 15).join('\n') + '\n');
    putFile(path("short.bin"), QByteArray(255, '\x11'));
    QDir(dir.path()).mkdir("folder.spd");
    QDir(dir.path()).mkdir("folder.bin");

    struct Case { QString file; SPD_File_Status status; };
    const Case cases[] = {
        { path("missing.spd"), SPD_File_Status::Open_Failed },
        { path("missing.bin"), SPD_File_Status::Open_Failed },
        { path("no-folder/x.spd"), SPD_File_Status::Open_Failed },
        { path("folder.spd"), SPD_File_Status::Is_A_Folder },
        { path("folder.bin"), SPD_File_Status::Is_A_Folder },
        { path("fifteen.spd"), SPD_File_Status::Too_Few_Lines },
        { path("short.bin"), SPD_File_Status::Bin_Too_Short },
    };
    for (const Case& c : cases) {
        const SPD_File_Result r = Read_SPD_File(c.file);
        EXPECT_EQ(r.status, c.status) << c.file.toStdString();
        EXPECT_EQ(r.path, c.file);
        EXPECT_TRUE(r.message().contains(c.file)) << c.file.toStdString();
        EXPECT_EQ(r.image, SPD_Image{}) << c.file.toStdString();
    }
    EXPECT_EQ(Read_SPD_File(path("short.bin")).size, 255);
    EXPECT_EQ(Read_SPD_File(path("fifteen.spd")).line, 15);
}

TEST_F(SpdFileIo, PipesAndDevicesAreNeverOpened)
{
    // Opening a pipe waits for a program at its other end; a partner thread plays that
    // program, so that a reader or writer that does open the pipe ends instead of hanging.
    ASSERT_EQ(::mkfifo(path("pipe.spd").toLocal8Bit().constData(), 0644), 0);
    ASSERT_EQ(::mkfifo(path("pipe.bin").toLocal8Bit().constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.spd")));
    const QByteArray node = path("full-device").toLocal8Bit();
    const bool haveDevice = ::mknod(node.constData(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const auto oldPipeHandler = std::signal(SIGPIPE, SIG_IGN);
    std::atomic<bool> done{ false };
    std::thread partner([&] {
        while (!done) {
            for (const char* name : { "pipe.spd", "pipe.bin" }) {
                const QByteArray fifo = path(name).toLocal8Bit();
                const int r = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
                const int w = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                if (w >= 0) ::close(w);
                if (r >= 0) ::close(r);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });

    QStringList names = { "pipe.spd", "pipe.bin", "zero.spd" };
    for (const QString& name : names) {
        const SPD_File_Result r = Read_SPD_File(path(name));
        EXPECT_EQ(r.status, SPD_File_Status::Not_A_File) << "read " << name.toStdString();
        EXPECT_TRUE(r.message().contains(path(name)));
    }
    names = QStringList{ "pipe.spd", "pipe.bin" };
    if (haveDevice) names << "full-device";
    for (const QString& name : names) {
        const SPD_File_Result r = Write_SPD_File(path(name), mixedImage());
        EXPECT_EQ(r.status, SPD_File_Status::Not_A_File) << "write " << name.toStdString();
    }
    done = true;
    partner.join();
    std::signal(SIGPIPE, oldPipeHandler);
    // Nothing was replaced by a regular file.
    EXPECT_FALSE(QFileInfo(path("pipe.spd")).isFile());
    EXPECT_TRUE(QFileInfo(path("zero.spd")).isSymLink());
    if (haveDevice) {
        EXPECT_TRUE(isCharDevice(node.constData()));
    }
}

TEST_F(SpdFileIo, TextFileInAFolderThatTakesNoNewFileIsWrittenInPlace)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("closed"));
    const QString file = path("closed/keep.spd");
    putFile(file, SPD_Hex_File::Format(SPD_Image{}));
    const QByteArray folder = path("closed").toLocal8Bit();
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    // The superuser is not bound by the folder's mode: the immutable flag closes it instead.
    int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    const bool immutable = fd >= 0 && ::geteuid() == 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                           [&] { int f = flags | FS_IMMUTABLE_FL; return ::ioctl(fd, FS_IOC_SETFLAGS, &f) == 0; }();
    const bool closed = !QFile(path("closed/probe")).open(QIODevice::WriteOnly);
    SPD_File_Result r;
    if (closed) r = Write_SPD_File(file, mixedImage());
    if (immutable) ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    if (fd >= 0) ::close(fd);
    ::chmod(folder.constData(), 0755);
    if (!closed) GTEST_SKIP() << "no way to close a folder to new files here";

    EXPECT_TRUE(r.ok()) << r.message().toStdString();
    EXPECT_EQ(fileBytes(file), SPD_Hex_File::Format(mixedImage()));
    EXPECT_EQ(QDir(path("closed")).entryList(QDir::Files | QDir::Hidden), QStringList{ "keep.spd" });
}

TEST_F(SpdFileIo, WritesThatCannotStartFailAndCreateNothing)
{
    QDir(dir.path()).mkdir("folder.spd");
    QDir(dir.path()).mkdir("folder.bin");
    const QString cases[] = {
        path("no-folder/x.spd"), path("no-folder/x.bin"),
        path("folder.spd"), path("folder.bin"),
        QStringLiteral("/proc/morrowburn-test.spd"), QStringLiteral("/proc/morrowburn-test.bin"),
    };
    for (const QString& file : cases) {
        const SPD_File_Result r = Write_SPD_File(file, mixedImage());
        EXPECT_EQ(r.status, file.contains("folder.") ? SPD_File_Status::Is_A_Folder : SPD_File_Status::Create_Failed)
            << file.toStdString();
        EXPECT_TRUE(r.message().contains(file)) << file.toStdString();
        EXPECT_FALSE(QFileInfo(file).isFile()) << file.toStdString();
    }
    EXPECT_TRUE(QFileInfo(path("folder.spd")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path("no-folder")));
    EXPECT_EQ(entries(), (QStringList{ "folder.bin", "folder.spd" }));
}

TEST_F(SpdFileIo, FailedTextSaveLeavesTheOldFileAsItWas)
{
    const QByteArray old = SPD_Hex_File::Format(SPD_Image{});
    putFile(path("keep.spd"), old);
    SPD_File_Result r;
    {
        FileSizeLimit limit(100);
        r = Write_SPD_File(path("keep.spd"), mixedImage());
    }
    EXPECT_EQ(r.status, SPD_File_Status::Write_Failed);
    EXPECT_EQ(fileBytes(path("keep.spd")), old);
    EXPECT_EQ(entries(), QStringList{ "keep.spd" }) << "the partial temporary file is removed";
}

TEST_F(SpdFileIo, FailedBinarySaveIsReportedAndANewFileRemoved)
{
    putFile(path("existing.bin"), QByteArray(300, '\x42'));
    SPD_File_Result existing, fresh;
    {
        FileSizeLimit limit(100);
        existing = Write_SPD_File(path("existing.bin"), mixedImage());
        fresh = Write_SPD_File(path("fresh.bin"), mixedImage());
    }
    EXPECT_EQ(existing.status, SPD_File_Status::Write_Failed);
    EXPECT_EQ(fresh.status, SPD_File_Status::Write_Failed);
    EXPECT_EQ(fileBytes(path("existing.bin")).size(), 300);
    EXPECT_FALSE(QFileInfo::exists(path("fresh.bin")));
}
