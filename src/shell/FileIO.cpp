#include "shell/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace natalory {

std::optional<QByteArray> ReadFileBytes(const QString& path, QString* error) {
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        if (error) *error = QStringLiteral("the file does not exist");
        return std::nullopt;
    }
    if (info.isDir()) {
        if (error) *error = QStringLiteral("it is a folder, not a file");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > kMaxReadableFile) {
        if (error) *error = QStringLiteral("the file is too large");
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

QString ProgramFile(const QString& programFolder, const QString& name) {
    return QDir(programFolder).filePath(name);
}

}  // namespace natalory
