#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace natalory {

// Largest file the program reads whole; anything bigger is not one of its files.
inline constexpr qint64 kMaxReadableFile = 64 * 1024 * 1024;

// Reads a whole regular file of at most kMaxReadableFile bytes. On failure returns
// nothing and says why in `error` ("the file does not exist", "Permission denied",
// "it is not a regular file", ...).
std::optional<QByteArray> ReadFileBytes(const QString& path, QString* error = nullptr);

// Who may read a file the program writes: everyone the user's umask allows, or the user
// alone (the settings, the toolbar layout and the print log, which holds names and birthdays).
enum class FileAccess { Shared, Private };

// Writes a file so that it is either wholly the new content or still the old file:
// the bytes go to a temporary file in the same folder, which then replaces the target.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                         FileAccess access = FileAccess::Shared);

// The system's reason for a failed call, in words ("the disk is full" for a full disk or quota).
QString SystemReason(int errorNumber);

// A file of the program's folder ("vir1.cgf" -> "<program folder>/vir1.cgf").
QString ProgramFile(const QString& programFolder, const QString& name);

}  // namespace natalory
