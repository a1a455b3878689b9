#pragma once

#include "shell/Application.h"

#include <QStringList>

namespace natalory {

inline constexpr auto kWindowUsage =
    "Usage: natalory [FILE.als | FILE.alb]\n"
    "\n"
    "Opens Natalory, the Birthday Print designer.\n"
    "\n"
    "  FILE.als       open the birthday dialog with this template chosen\n"
    "  FILE.alb       open the batch window with this batch file\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n";

// What the window program was started with. `exitCode` is set when it should end at
// once, after writing `output` (help, version) or `error`.
struct StartArguments {
    QString file;
    std::optional<int> exitCode;
    QString output;
    QString error;
};

// The arguments after the program's name, as the program was started: Qt's own options
// (-platform, --style, -reverse, ...) are passed over, so that help, version and a bad
// argument are answered before Qt needs a display.
StartArguments ParseStartArguments(const QStringList& arguments);

// Opens a template in the birthday dialog or a batch file in the batch window.
void OpenStartFile(const MainWindows& windows, const QString& file);

// Files a second start handed over: the main window comes up, and each file opens as
// OpenStartFile opens it once no dialog holds the program (a dialog that waits for an
// answer finishes first).
void OpenHandedFiles(const MainWindows& windows, const QStringList& files);

// A template or batch file dropped on the main window opens as OpenHandedFiles opens it.
// `windows` must outlive the main window.
void AcceptDroppedFiles(const MainWindows& windows);

// File > Recent Files lists the files last opened or saved each time it opens; choosing one
// opens it as OpenStartFile does, or, when it is gone, says so and takes it off the list.
// `windows` must outlive the main window.
void ListRecentFiles(const MainWindows& windows, AppState& state, Services& services);

}  // namespace natalory
