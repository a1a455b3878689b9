#pragma once

#include <QStringList>

namespace natalory {

struct AppState;

// The templates and batch files last opened or saved, newest first, kept in a file of
// their own beside the settings (one absolute path a line, UTF-8), so that the settings
// file keeps the record format it has.
inline constexpr auto kRecentFilesFile = "recent.lst";
inline constexpr int kRecentFilesKept = 8;

QStringList ReadRecentFiles(const AppState& state);
// Puts the file first (once), keeping the newest kRecentFilesKept. False when the list
// could not be written; it is then as it was.
bool RememberRecentFile(const AppState& state, const QString& file);
bool ForgetRecentFile(const AppState& state, const QString& file);

}  // namespace natalory
