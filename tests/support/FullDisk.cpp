#include "support/FullDisk.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <stdexcept>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>

namespace natalory::test {
namespace {

qint64 FreeBytes(const QString& path) {
    struct statvfs s {};
    if (statvfs(QFile::encodeName(path).constData(), &s) != 0) throw std::runtime_error("statvfs failed");
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

}  // namespace

FullDisk::FullDisk() {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=64k") == 0;
}

FullDisk::~FullDisk() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

QString FullDisk::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

void FullDisk::run(qint64 room, const std::function<void()>& write) {
    if (mounted_) {
        QFile filler(file(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw std::runtime_error("cannot fill the disk");
        const QByteArray page(4096, 'x');
        while (FreeBytes(dir_.path()) > room && filler.write(page) == page.size()) {
        }
        write();
        filler.remove();
        return;
    }
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit limited = before;
    limited.rlim_cur = rlim_t(room);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    write();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
}

}  // namespace natalory::test
