#include "foundation/RecentFiles.h"

#include "foundation/FileIO.h"
#include "foundation/ProgramFolders.h"

#include <QFileInfo>

namespace natalory {
namespace {

QString ListPath(const AppState& state) {
    return ConfigFile(state, QString::fromLatin1(kRecentFilesFile));
}

bool WriteList(const AppState& state, const QStringList& files) {
    QByteArray bytes;
    for (const QString& f : files) bytes += f.toUtf8() + '\n';
    const QString path = ListPath(state);
    // Which files the user works on is theirs alone, as the settings are.
    return MakeFolderFor(path) && WriteFileAtomically(path, bytes, nullptr, FileAccess::Private);
}

}  // namespace

QStringList ReadRecentFiles(const AppState& state) {
    QStringList files;
    const std::optional<QByteArray> bytes = ReadFileBytes(ListPath(state));
    if (!bytes) return files;
    for (QByteArray line : bytes->split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        const QString f = QString::fromUtf8(line);
        if (QFileInfo(f).isAbsolute() && !files.contains(f)) files << f;
        if (files.size() == kRecentFilesKept) break;
    }
    return files;
}

bool RememberRecentFile(const AppState& state, const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    // A line a name: a name that holds a line end cannot be kept.
    if (file.isEmpty() || path.contains(u'\n') || path.contains(u'\r')) return false;
    QStringList files = ReadRecentFiles(state);
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFilesKept) files.removeLast();
    return WriteList(state, files);
}

bool ForgetRecentFile(const AppState& state, const QString& file) {
    QStringList files = ReadRecentFiles(state);
    if (!files.removeAll(file)) return true;
    return WriteList(state, files);
}

}  // namespace natalory
