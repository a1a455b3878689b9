#pragma once

#include <QString>

namespace natalory {

struct AppState;

// Where the program finds its data and where it keeps what it writes.
struct ProgramFolders {
    QString data;       // read only: year data, built-in templates, pictures, help
    QString config;     // the settings and the toolbar layout
    QString log;        // the print log
    QString documents;  // where save dialogs start
};

// The folders of a program whose executable lies in `executableFolder`. A folder that
// holds the data and can be written to keeps everything (the build folder, a portable
// copy); an installed program reads ../share/natalory and writes into the user's
// XDG folders.
ProgramFolders FindProgramFolders(const QString& executableFolder);

inline constexpr auto kPrintLogFileName = "birthday print log.log";

void UseProgramFolders(AppState& state, const ProgramFolders& folders);

// The files the program writes and reads again, and the folder save dialogs start in.
// A state whose folders were never set keeps all of them in the program folder.
QString ConfigFile(const AppState& state, const QString& name);
QString PrintLogFile(const AppState& state);
QString SaveFolder(const AppState& state);

// Creates the folder a file is about to be written into; false when it cannot be made.
// Folders made here are the user's alone (0700): what goes into them is private.
bool MakeFolderFor(const QString& filePath);

}  // namespace natalory
