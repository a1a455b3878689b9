#include "foundation/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace natalory {
namespace {

// A folder nobody but this user can enter or change: a lock anywhere else could be
// taken first by another user, who would then keep the program from starting.
bool IsPrivateFolder(const QString& path) {
    struct stat status {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

}  // namespace

SingleInstance::SingleInstance(const QString& lockPath) {
    const QString path = lockPath.isEmpty() ? defaultLockPath() : lockPath;
    if (path.isEmpty()) return;
    lock_ = std::make_unique<QLockFile>(path);
    // The lock is held for the whole run; it must never be taken as stale while we live.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    // Without a folder of the user's own there is no safe place for the lock: the
    // program runs unguarded rather than not at all.
    return !lock_ || lock_->tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    QString folder = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!IsPrivateFolder(folder)) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (cache.isEmpty()) return {};
        folder = QDir(cache).filePath(QStringLiteral("natalory"));
        QDir().mkpath(folder);
        struct stat status {};
        // Our own folder from an older version may have been made open to others.
        if (::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
            status.st_uid == ::geteuid())
            ::chmod(QFile::encodeName(folder).constData(), S_IRWXU);
        if (!IsPrivateFolder(folder)) return {};
    }
    return QDir(folder).filePath(QStringLiteral("natalory.lock"));
}

}  // namespace natalory
