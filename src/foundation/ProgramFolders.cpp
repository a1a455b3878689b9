#include "foundation/ProgramFolders.h"

#include "foundation/AppState.h"
#include "foundation/FileIO.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace natalory {
namespace {

inline constexpr auto kFolderName = "natalory";
// A folder holds the program's data when it holds the year data every print reads.
inline constexpr auto kDataMarker = "brdstf.fpf";

bool HoldsData(const QDir& folder) {
    return QFileInfo(folder.filePath(QString::fromLatin1(kDataMarker))).isFile();
}

QString UserFolder(QStandardPaths::StandardLocation location) {
    return QDir(QStandardPaths::writableLocation(location)).filePath(QString::fromLatin1(kFolderName));
}

QString UserDocuments() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A home without a documents folder is still a better start than the install.
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

const QString& OrProgramFolder(const AppState& state, const QString& folder) {
    return folder.isEmpty() ? state.ProgramFolder : folder;
}

}  // namespace

ProgramFolders FindProgramFolders(const QString& executableFolder) {
    const QDir beside(QDir(executableFolder).absolutePath());
    ProgramFolders f;
    if (HoldsData(beside) && QFileInfo(beside.path()).isWritable()) {
        f.data = f.config = f.log = f.documents = beside.path();
        return f;
    }
    const QString installed = QDir::cleanPath(beside.filePath(QStringLiteral("../share/natalory")));
    // Without data in either place, the errors of the readers name the folder beside the program.
    f.data = !HoldsData(beside) && HoldsData(QDir(installed)) ? installed : beside.path();
    f.config = UserFolder(QStandardPaths::GenericConfigLocation);
    f.log = UserFolder(QStandardPaths::GenericDataLocation);
    f.documents = UserDocuments();
    return f;
}

void UseProgramFolders(AppState& state, const ProgramFolders& folders) {
    state.ProgramFolder = folders.data;
    state.ConfigFolder = folders.config;
    state.LogFolder = folders.log;
    state.DocumentsFolder = folders.documents;
}

QString ConfigFile(const AppState& state, const QString& name) {
    return ProgramFile(OrProgramFolder(state, state.ConfigFolder), name);
}

QString PrintLogFile(const AppState& state) {
    return ProgramFile(OrProgramFolder(state, state.LogFolder), QString::fromLatin1(kPrintLogFileName));
}

QString SaveFolder(const AppState& state) {
    return OrProgramFolder(state, state.DocumentsFolder);
}

bool MakeFolderFor(const QString& filePath) {
    if (filePath.isEmpty()) return false;
    const QString folder = QFileInfo(filePath).absolutePath();
    // Only the folders this call makes are closed; one that exists is the user's own business.
    QStringList missing;
    for (QString f = folder; !QFileInfo::exists(f) && !missing.contains(f); f = QFileInfo(f).absolutePath())
        missing.prepend(f);
    for (const QString& f : missing)
        if (!QDir().mkdir(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner) &&
            !QFileInfo(f).isDir())
            return false;
    return QFileInfo(folder).isDir();
}

}  // namespace natalory
