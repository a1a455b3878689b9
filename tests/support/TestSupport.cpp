#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace natalory::test {

TempProgramFolder::TempProgramFolder(const QStringList& dataFiles) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    for (const QString& name : dataFiles) {
        const QString from = QDir(QStringLiteral(NATALORY_SOURCE_DATA)).filePath(name);
        const QString to = file(name);
        QDir().mkpath(QFileInfo(to).path());
        if (!QFile::copy(from, to)) throw std::runtime_error("cannot copy data file " + name.toStdString());
    }
}

QString TempProgramFolder::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}

QByteArray TempProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

}  // namespace natalory::test
