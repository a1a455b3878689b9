#include "foundation/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace natalory {
namespace {

struct FileDescriptor {
    int fd;
    ~FileDescriptor() { ::close(fd); }
};

bool DiskFull(int errorNumber) {
    return errorNumber == ENOSPC || errorNumber == EDQUOT;
}

// Qt reports a write that ran out of room as an unknown error: the system's errno knows better.
QString WriteFailure(int errorNumber, const QFileDevice& file) {
    return DiskFull(errorNumber) || file.errorString().isEmpty() ? SystemReason(errorNumber)
                                                                 : file.errorString();
}

}  // namespace

QString SystemReason(int errorNumber) {
    if (DiskFull(errorNumber)) return QStringLiteral("the disk is full");
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

std::optional<QByteArray> ReadFileBytes(const QString& path, QString* error) {
    const auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error) *error = why;
        return std::nullopt;
    };
    // Opened without blocking so that a FIFO with no writer cannot hang the open; the
    // kind of file is then judged on what was opened, not on an earlier look at the name.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno == ENOENT ? QStringLiteral("the file does not exist") : SystemReason(errno));
    const FileDescriptor file{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0) return fail(SystemReason(errno));
    if (S_ISDIR(status.st_mode)) return fail(QStringLiteral("it is a folder, not a file"));
    if (!S_ISREG(status.st_mode)) return fail(QStringLiteral("it is not a regular file"));
    if (status.st_size > kMaxReadableFile) return fail(QStringLiteral("the file is too large"));
    // The size on record is only a hint (files of /proc say 0, a file may grow while
    // it is read): the cap holds on the bytes that actually arrive.
    QByteArray bytes;
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return fail(SystemReason(errno));
        if (got == 0) return bytes;
        if (bytes.size() + got > kMaxReadableFile) return fail(QStringLiteral("the file is too large"));
        bytes.append(chunk, got);
    }
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error, FileAccess access) {
    QSaveFile file(path);
    // Unbuffered, so that every write below is the system's and its failure is seen
    // here: a buffered save flushed by commit() can lose bytes and still succeed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error) *error = file.errorString();
        return false;
    }
    // Closed to others before the first byte arrives; the new file keeps it when it replaces the old.
    if (access == FileAccess::Private && ::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0) {
        if (error) *error = SystemReason(errno);
        file.cancelWriting();
        return false;
    }
    // A write that fills the disk returns short without an error; only the next one
    // fails, and says why.
    for (qsizetype done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 wrote = file.write(bytes.constData() + done, bytes.size() - done);
        if (wrote <= 0) {
            if (error) *error = WriteFailure(errno, file);
            file.cancelWriting();
            return false;
        }
        done += wrote;
    }
    // Some file systems only find out at this point that the disk is full.
    if (::fdatasync(file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        if (error) *error = WriteFailure(errno, file);
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit()) {
        if (error) *error = WriteFailure(errno, file);
        return false;
    }
    return true;
}

QString ProgramFile(const QString& programFolder, const QString& name) {
    return QDir(programFolder).filePath(name);
}

}  // namespace natalory
